// The settings file: any bytes read as lines, written back and read again, give the same lines.
#include <QFile>
#include <QTemporaryDir>

#include "fuzz/check.h"
#include "platform/cp932.h"
#include "records/lines.h"
#include "records/settingsfile.h"

namespace {
// On a memory file system where there is one: every save syncs its file.
const QTemporaryDir& Folder() {
    static const QTemporaryDir folder(QStringLiteral("/dev/shm/bartendam-fuzz-XXXXXX"));
    static const QTemporaryDir fallback;
    return folder.isValid() ? folder : fallback;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> lines = SplitLines(Bytes(data, size));
    std::string written;
    for (const std::string& line : lines) {
        FUZZ_CHECK(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
        written += line + "\r\n";
    }
    FUZZ_CHECK(SplitLines(written) == lines);

    const std::string path = QFile::encodeName(Folder().path()).toStdString() + "/setting.dat";
    WriteSettingsFile(path, lines);
    const std::optional<std::vector<std::string>> read = ReadSettingsLines(path);
    FUZZ_CHECK(read && *read == lines);
    return 0;
}
