// Sending one ranking line: the FTP session's settings and the append to the count's server file.
#pragma once

#include <string>

#include "files/gamefolder.h"
#include "ranking/endpoints.h"

class TFtpClient;

// The server's file for a question count.
std::string RankingRemotePath(const std::string& questions);

// The client as the ranking dialog holds it from its design: active mode, 50 s time-out, no proxy.
void SetUpRankingClient(TFtpClient& client);

// Logs in unless the client's session still lasts (one the server ended is logged into afresh),
// sets text transfers, writes `entry` to the folder's upload file and appends that file to
// `remotePath`; the file is removed once the append has succeeded and kept when it fails. The
// session stays open for the next send.
void UploadRankingEntry(TFtpClient& client, const TRankingEndpoints& endpoints,
                        const TGameFolder& folder, const std::string& remotePath,
                        const std::string& entry);
