// The ranking upload over the dialog's FTP client.
#include "ranking/upload.h"

#include <unistd.h>

#include "net/ftpclient.h"
#include "records/stringfile.h"

std::string RankingRemotePath(const std::string& questions) {
    return "/ranking/cocktail/" + questions + ".log";
}

void SetUpRankingClient(TFtpClient& client) {
    client.SetPort(21);
    client.SetTimeOut(50000);
    client.SetPassive(false);
    client.SetFirewallType(FTUser);
    client.SetFWAuthenticate(false);
    client.SetProxy("");
    client.SetProxyPort(0);
    client.SetReportLevel(ReportNothing);
    client.SetParseList(false);
    client.SetVendor(TFtpClient::DefaultVendor);
}

void UploadRankingEntry(TFtpClient& client, const TRankingEndpoints& endpoints,
                        const TGameFolder& folder, const std::string& remotePath,
                        const std::string& entry) {
    client.SetUserID(endpoints.UserID);
    client.SetPassword(endpoints.Password);
    client.SetHost(endpoints.FtpHost);
    client.SetPort(endpoints.FtpPort);
    client.Connect();
    client.SetTransferType(TransferAscii);
    const std::string localPath = folder.UploadFile();
    SaveStringToFile(localPath, entry);
    client.AppendUpload(localPath, remotePath);
    ::unlink(localPath.c_str());
}
