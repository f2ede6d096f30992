// The FTP client's upload: a passive or active data connection, "APPE ", the file's bytes and the
// completion reply.
#include <sys/stat.h>

#include "net/ftpclient.h"
#include "net/ftpreplyrules.h"
#include "net/steadyclock.h"
#include "platform/cp932.h"
#include "platform/path.h"
#include "platform/scopeguard.h"
#include "platform/winsock.h"

namespace {

// A field of the "PASV" reply: one to three decimal digits, 0 to 255, blanks around allowed.
int PassiveByte(std::string field, const std::string& reply) {
    while (!field.empty() && field.front() == ' ') field.erase(0, 1);
    while (!field.empty() && field.back() == ' ') field.pop_back();
    bool digits = !field.empty() && field.size() <= 3 &&
                  field.find_first_not_of("0123456789") == std::string::npos;
    int value = digits ? std::stoi(field) : 256;
    if (value > 255) {
        std::string shown = reply.substr(0, reply.find_first_of("\r\n"));
        throw ESockError("Invalid Passive Mode Reply: " + shown);
    }
    return value;
}

}  // namespace

void TFtpClient::AppendUpload(const std::string& LocalFile, const std::string& RemoteFile) {
    SetCanceled(false);
    CheckConnection();
    if (DataAvailable()) Read(0);
    if (UploadOverDataConnection(LocalFile, RemoteFile) && OnSuccess) OnSuccess(CtAppe);
}

bool TFtpClient::UploadOverDataConnection(const std::string& localFile,
                                          const std::string& remoteFile) {
    dataConnection_ = std::make_unique<TSocket>();
    // However the upload ends, the data connection does not outlive it: it is gone before
    // OnSuccess, and after a failure.
    const ScopeGuard release([this] { dataConnection_.reset(); });
    dataConnection_->SetTimeOut(TimeOut());
    struct stat info {};
    if (stat(localFile.c_str(), &info) != 0) throw IoError("open", localFile, errno);
    SetBytesTotal(info.st_size);
    if (OnPacketSent) dataConnection_->OnPacketSent = OnPacketSent;
    return UploadSteps(localFile, remoteFile);
}

bool TFtpClient::UploadSteps(const std::string& localFile, const std::string& remoteFile) {
    if (!OpenDataConnection()) return false;
    std::string name = NamePart(localFile);
    // The local name is the file system's; the status and the server see it in CP932.
    ReportStatus(ReportProtocol, "APPE " + (remoteFile.empty() ? ShownName(localFile) : remoteFile));
    std::string reply = Exchange("APPE " + (remoteFile.empty() ? ShownName(name) : remoteFile));
    if (ReplyFails(TFtpStep::Appe, ReplyNumber())) {
        if (ReplyUnsupported(ReplyNumber()) && OnUnSupportedFunction) OnUnSupportedFunction(CtAppe);
        Fail(reply, CtAppe);
        return false;
    }
    if (!passive_) {
        if (!AwaitDataConnection()) return false;
        dataConnection_->InstallAccepted(dataConnection_->Accept());
    }
    if (OnTransactionStart) OnTransactionStart(this);
    // A cancel during the exchange so far must not end in a reported success without the data.
    if (Canceled()) {
        SetCanceled(false);
        throw EAbortError("Upload Canceled");
    }
    dataConnection_->SendFile(localFile);
    if (OnTransactionStop) OnTransactionStop(this);
    // Without linger the close is graceful, and the server receives every byte.
    SockSetLinger(dataConnection_->SocketHandle(), false, 0);
    dataConnection_->CloseSocket();
    return ReadCompletion();
}

bool TFtpClient::OpenDataConnection() {
    if (passive_) {
        std::string reply = Exchange("PASV");
        if (ReplyFails(TFtpStep::Pasv, ReplyNumber())) {
            Fail(reply, CtAppe);
            return false;
        }
        std::string low = NthField(reply, ',', 6);
        low = low.substr(0, low.find(')'));
        int port = PassiveByte(NthField(reply, ',', 5), reply) * 256 + PassiveByte(low, reply);
        if (port == 0) throw ESockError("Invalid Passive Mode Reply: port 0");
        dataConnection_->SetPort(port);
        // The address in the reply is not trusted: the data goes to the server we logged in to.
        dataConnection_->SetHost(Host());
        dataConnection_->Connect();
        return true;
    }
    dataConnection_->SetPort(0);
    dataConnection_->Listen(true);
    std::string reply = Exchange("PORT " + LocalAddressText() + dataConnection_->LocalPortText());
    if (ReplyFails(TFtpStep::Port, ReplyNumber())) {
        Fail(reply, CtAppe);
        return false;
    }
    return true;
}

bool TFtpClient::AwaitDataConnection() {
    // Some servers connect while they handle "PORT ", others only after "APPE "; one that cannot
    // connect says so on the control connection instead (425, 426).
    int64_t start = SteadyMs();
    while (!dataConnection_->WaitDone()) {
        if (Canceled()) {
            SetCanceled(false);
            throw EAbortError("Upload Canceled");
        }
        // A reply while waiting (425, 426) ends the upload at once.
        if (InputWaiting() && !ReadCompletion()) return false;
        if (TimeOut() > 0 && SteadyMs() - start >= TimeOut())
            throw ESockError("Accepting Timed Out");
        // The server's connection to the listener, or its reply, ends the pass at once.
        WaitPass(TWaitFor::Readable, dataConnection_->SocketHandle());
    }
    return true;
}

bool TFtpClient::ReadCompletion() {
    std::string reply = ReadLn();
    // A missing or failing completion reply means the server may not have stored the data.
    if (reply.empty()) throw ESockError("Connection Closed By Server");
    ReportStatus(ReportProtocol, reply);
    ReadReplyLines(reply);
    if (ReplyFails(TFtpStep::Completion, ReplyCode(reply))) {
        Fail(reply, CtAppe);
        return false;
    }
    return true;
}
