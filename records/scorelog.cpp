// Writing and checking score-log records.
#include "records/scorelog.h"

#include <fcntl.h>

#include "platform/exception.h"
#include "records/checksum.h"
#include "records/nativefile.h"

std::string MakeRecord(const std::string& questions, const std::string& score,
                       const std::string& time, const std::string& correct,
                       const std::string& combo) {
    const std::string body =
        questions + "," + score + "," + time + "," + correct + "," + combo + ",";
    return body + std::to_string(Checksum(body));
}

std::string MakeRecord(const TGameFigures& figures) {
    return MakeRecord(std::to_string(figures.Questions), std::to_string(figures.Score),
                      figures.Time, std::to_string(figures.Correct), std::to_string(figures.Combo));
}

void AppendRecord(const std::string& path, const std::string& record) {
    NativeFile file(path, O_RDWR | O_CREAT | O_APPEND);
    const int64_t size = file.Size();
    const std::optional<char> last = file.LastByte();
    const bool torn = last && *last != '\n' && *last != '\r';
    try {
        // One write, so that a record is never split from the line end that goes before it.
        file.WriteAll((torn ? "\r\n" : "") + record + "\r\n");
        // A full disk may show only here; the cut below must still be possible then.
        file.Sync();
    } catch (const Exception&) {
        // A record's first bytes would stay a garbage line for good: the log stays as it was.
        file.CutBackTo(size);
        throw;
    }
    file.Close();
}

bool IsValidRecord(const std::string& line) {
    const std::size_t comma = line.rfind(',');
    if (comma == std::string::npos) return false;
    return line.substr(comma + 1) == std::to_string(Checksum(line.substr(0, comma + 1)));
}
