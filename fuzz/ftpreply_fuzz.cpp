// The FTP reply reader: a reply's code is the number of its leading digits when it fits, and the
// fields of a reply line joined again give the line.
#include "fuzz/check.h"
#include "net/ftpclient.h"
#include "net/socket.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line = Bytes(data, size);
    std::size_t digits = 0;
    while (digits < line.size() && digits < 10 && line[digits] >= '0' && line[digits] <= '9') {
        ++digits;
    }
    const long long value = digits ? std::stoll(line.substr(0, digits)) : 0;
    FUZZ_CHECK(TSocket::ReplyCode(line) == (value <= 32767 ? value : 0));

    const char delimiter = size ? static_cast<char>(data[0]) : ' ';
    std::string joined;
    int fields = 1;
    for (std::size_t at = 0; (at = line.find(delimiter, at)) != std::string::npos; ++at) ++fields;
    for (int n = 1; n <= fields; ++n) {
        joined += (n > 1 ? std::string(1, delimiter) : std::string()) +
                  TFtpClient::NthField(line, delimiter, n);
    }
    FUZZ_CHECK(joined == line);
    FUZZ_CHECK(TFtpClient::NthField(line, delimiter, fields + 1).empty());
    FUZZ_CHECK(TFtpClient::NthField(line, delimiter, 0).empty());
    return 0;
}
