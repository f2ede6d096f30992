// The string-file helpers write and read files byte for byte under the file system's names.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "records/stringfile.h"
#include "tests/support/testsupport.h"

namespace {
// A file of `dir`, named as the file system spells it.
std::string PathIn(const QTemporaryDir& dir, const char* utf8Name) {
    return NativePath(dir.path()) + "/" + utf8Name;
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::string AllByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
    return bytes + bytes;
}

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& error) {
        return error.what();
    }
    return "(nothing raised)";
}
}  // namespace

// Saving then loading gives back exactly the bytes saved, with nothing added; each save
// replaces the whole of what an earlier, longer one left.
TEST(RecordsStringFile, RoundTripsExactBytes) {
    QTemporaryDir dir;
    const std::vector<std::string> texts = {"", "abc", AllByteValues(), Cp932Text("ﾏﾃｨｰﾆ\r\n")};
    for (const auto& text : texts) {
        const std::string name = PathIn(dir, "カクテル.dat");
        SaveStringToFile(name, text);
        EXPECT_EQ(ReadFileBytes(FromNative(name)), text);
        std::string loaded = "stale";
        LoadStringFromFile(name, loaded);
        EXPECT_EQ(loaded, text);
    }
}

// Missing folders and their parents are made; a folder that cannot be made is named in the error.
TEST(RecordsStringFile, SaveCreatesMissingFoldersOrSaysWhichCannotBeMade) {
    QTemporaryDir dir;
    const std::string deep = PathIn(dir, "新/a/b/file.txt");
    SaveStringToFile(deep, "abc");
    EXPECT_EQ(ReadFileBytes(FromNative(deep)), "abc");
    // The player's own: folders 0700, files 0600, whatever the umask.
    EXPECT_EQ(ModeOf(PathIn(dir, "新")), 0700u);
    EXPECT_EQ(ModeOf(PathIn(dir, "新/a/b")), 0700u);
    EXPECT_EQ(ModeOf(deep), 0600u);

    // A regular file where a folder should be stops even the superuser.
    const std::string blocker = PathIn(dir, "plain");
    SaveStringToFile(blocker, "x");
    const std::string folder = blocker + "/sub";
    EXPECT_EQ(MessageOf([&] { SaveStringToFile(folder + "/f.txt", "abc"); }),
              Cp932Text("ディレクトリ") + ShownName(folder) + Cp932Text("が作れません。"));
}

// A file that cannot be created is the platform's input/output error, not the folder message.
TEST(RecordsStringFile, UncreatableFileIsAnInOutError) {
    QTemporaryDir dir;
    const std::string name = PathIn(dir, "taken");
    QDir(dir.path()).mkdir(QStringLiteral("taken"));
    EXPECT_THROW(SaveStringToFile(name, "abc"), EInOutError);
}

// A missing file is reported by name; a 0-byte file loads as the empty text.
TEST(RecordsStringFile, LoadReportsMissingFileAndAcceptsEmptyOne) {
    QTemporaryDir dir;
    const std::string missing = PathIn(dir, "無い.dat");
    std::string text;
    EXPECT_EQ(MessageOf([&] { LoadStringFromFile(missing, text); }),
              ShownName(missing) + Cp932Text("の情報の取得に失敗しました。"));

    const std::string empty = PathIn(dir, "empty.dat");
    WriteFileBytes(FromNative(empty), "");
    text = "stale";
    LoadStringFromFile(empty, text);
    EXPECT_EQ(text, "");
}

// The directory entry carries the size and the entry's own name; folders are found too.
TEST(RecordsStringFile, FindFileDescribesTheEntry) {
    QTemporaryDir dir;
    const std::string name = PathIn(dir, "ジン.ico");
    WriteFileBytes(FromNative(name), "12345");
    TSearchRec rec{};
    FindFile(name, rec);
    EXPECT_EQ(rec.Size, 5);
    EXPECT_EQ(rec.Name, "ジン.ico");
    EXPECT_FALSE(rec.Directory);

    FindFile(NativePath(dir.path()), rec);
    EXPECT_TRUE(rec.Directory);
    // Reading a folder as a text fails instead of passing for an empty file.
    std::string text;
    EXPECT_THROW(LoadStringFromFile(NativePath(dir.path()), text), EInOutError);
}
