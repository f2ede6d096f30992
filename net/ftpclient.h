// The FTP client component: log-in (plain or through a proxy firewall), single commands, and the
// upload that appends a local file to a server file over an active or passive data connection.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/socket.h"

// A reply of the server that failed a command; the message is the reply line as received,
// with its CR LF.
class FTPException : public Exception {
  public:
    using Exception::Exception;
};

// The kind of command named in OnSuccess, OnFailure and OnUnSupportedFunction.
enum TCmdType : uint8_t {
    CtCwd = 0,
    CtMkd = 1,
    CtDele = 2,
    CtRmd = 3,
    CtList = 4,
    CtRename = 5,
    CtRestUp = 6,
    CtRestDown = 7,
    CtRetr = 8,
    CtStor = 9,
    CtAppe = 10,
    CtRein = 11,
    CtAllo = 12,
    CtNlst = 13,
    CtOther = 14,
    CtPwd = 15,
};

// The kinds SetTransferType sends; any other number sends nothing.
enum TTransferType : int { TransferAscii = 1, TransferImage = 2, TransferLocal8 = 3 };

// How a proxy firewall is told the real host.
enum TFirewallType : uint8_t { FTUser = 0, FtOpen = 1, FtSite = 2 };

using TFailureEvent = std::function<void(bool& Handled, TCmdType Trans_Type)>;
using TSuccessEvent = std::function<void(TCmdType Trans_Type)>;
using TUnsupportedEvent = std::function<void(TCmdType Trans_Type)>;
using TListItemEvent = std::function<void(const std::string& Listing)>;

class TFtpClient : public TSocket {
  public:
    // The vendor a client starts with and returns to at each "QUIT": the automatic choice.
    static constexpr int DefaultVendor = 2411;

    explicit TFtpClient(QObject* owner = nullptr);
    ~TFtpClient() override;

    // Fires after a successful log-in; the socket-level connect event stays TSocket::OnConnect.
    TNotifyEvent OnConnect;
    TNotifyEvent OnTransactionStart;
    TNotifyEvent OnTransactionStop;
    THandlerEvent OnAuthenticationNeeded;
    THandlerEvent OnAuthenticationFailed;
    TFailureEvent OnFailure;
    TSuccessEvent OnSuccess;
    TListItemEvent OnListItem;
    TUnsupportedEvent OnUnSupportedFunction;

    const std::string& UserID() const { return userId_; }
    void SetUserID(const std::string& value) { userId_ = value; }
    const std::string& Password() const { return password_; }
    void SetPassword(const std::string& value) { password_ = value; }
    int Vendor() const { return vendor_; }
    void SetVendor(int value) { vendor_ = value; }
    bool ParseList() const { return parseList_; }
    void SetParseList(bool value) { parseList_ = value; }
    bool Passive() const { return passive_; }
    void SetPassive(bool value) { passive_ = value; }
    TFirewallType FirewallType() const { return firewallType_; }
    void SetFirewallType(TFirewallType value) { firewallType_ = value; }
    const std::string& FWUserID() const { return fwUserId_; }
    void SetFWUserID(const std::string& value) { fwUserId_ = value; }
    const std::string& FWPassword() const { return fwPassword_; }
    void SetFWPassword(const std::string& value) { fwPassword_ = value; }
    bool FWAuthenticate() const { return fwAuthenticate_; }
    void SetFWAuthenticate(bool value) { fwAuthenticate_ = value; }

    // TCP connect, greeting and log-in; does nothing while the session lasts.
    void Connect() override;
    // "QUIT", then close; does nothing when not connected.
    void Disconnect() override;
    // Sends one command and reads its whole reply; the result is the reply's first line.
    std::string Transaction(const std::string& Command) override;
    // Stops a running data transfer only; the control connection goes on.
    void Abort() override;

    void RunCommand(const std::string& Command);
    // TransferAscii "TYPE A", TransferImage "TYPE I", TransferLocal8 "TYPE L 8"; other kinds send
    // nothing.
    void SetTransferType(int Kind);
    // Appends LocalFile (the file system's name) to RemoteFile (the local file's own name when
    // empty) on the server.
    void AppendUpload(const std::string& LocalFile, const std::string& RemoteFile);
    // Reads the continuation lines of a reply whose first line is Line; returns the lines read.
    std::vector<std::string> ReadReplyLines(std::string Line);

    // The N-th (from 1) of the fields that Delimiter separates; empty when there is none.
    static std::string NthField(const std::string& Text, char Delimiter, int N);

    // The data connection; it exists only while AppendUpload runs.
    TSocket* DataConnection() const { return dataConnection_.get(); }

  private:
    void LogIn();
    std::string Exchange(const std::string& command);
    void CheckLogInReply(const std::string& reply);
    void SendPasswordIfAsked(const std::string& password);
    void Fail(const std::string& reply, TCmdType kind);
    bool UploadOverDataConnection(const std::string& localFile, const std::string& remoteFile);
    bool UploadSteps(const std::string& localFile, const std::string& remoteFile);
    bool OpenDataConnection();
    bool AwaitDataConnection();
    bool ReadCompletion();

    std::unique_ptr<TSocket> dataConnection_;
    std::string userId_;
    std::string password_;
    int vendor_ = DefaultVendor;
    bool parseList_ = false;
    bool passive_ = false;
    TFirewallType firewallType_ = FTUser;
    std::string fwUserId_;
    std::string fwPassword_;
    bool fwAuthenticate_ = false;
};
