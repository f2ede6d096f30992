// The settings file on disk: reading any line ends, and replacing it without ever tearing it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "records/settingsfile.h"
#include "tests/support/testsupport.h"

namespace {
std::string SettingPath(const QTemporaryDir& dir) { return ToCp932(dir.path()) + "/setting.dat"; }
}  // namespace

// No file, or a folder in its place, reads as no settings at all.
TEST(RecordsSettingsFile, NothingToReadWithoutAFile) {
    QTemporaryDir dir;
    EXPECT_FALSE(ReadSettingsLines(SettingPath(dir)).has_value());
    QDir(dir.path()).mkdir(QStringLiteral("setting.dat"));
    EXPECT_FALSE(ReadSettingsLines(SettingPath(dir)).has_value());
}

// Writing gives six CR LF-ended lines byte for byte, replaces longer contents and leaves no
// side file behind.
TEST(RecordsSettingsFile, WriteReplacesTheWholeFile) {
    QTemporaryDir dir;
    const std::string path = SettingPath(dir);
    WriteFileBytes(FromCp932(path), std::string(500, 'z'));
    WriteSettingsFile(path, {"3000", "1000", "", "", "", "0"});
    EXPECT_EQ(ReadFileBytes(FromCp932(path)), "3000\r\n1000\r\n\r\n\r\n\r\n0\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("setting.dat")});
    const auto lines = ReadSettingsLines(path);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, (std::vector<std::string>{"3000", "1000", "", "", "", "0"}));
}

// A setting.dat that cannot be written (here a folder, which stops even the superuser) fails
// the write and stays as it was; so does a missing folder.
TEST(RecordsSettingsFile, UnwritableFileFailsAndStaysUntouched) {
    QTemporaryDir dir;
    const std::string path = SettingPath(dir);
    QDir(dir.path()).mkdir(QStringLiteral("setting.dat"));
    WriteFileBytes(dir.filePath(QStringLiteral("setting.dat/inside")), "kept");
    EXPECT_THROW(WriteSettingsFile(path, {"1", "2", "3", "4", "5", "0"}), EInOutError);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("setting.dat"))).isDir());
    EXPECT_EQ(ReadFileBytes(dir.filePath(QStringLiteral("setting.dat/inside"))), "kept");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});

    EXPECT_THROW(WriteSettingsFile(ToCp932(dir.path()) + "/none/setting.dat", {"1"}), EInOutError);
}

// A read-only file keeps its refusal although a rename could replace it.
TEST(RecordsSettingsFile, ReadOnlyFileIsNotReplaced) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser may write read-only files";
    QTemporaryDir dir;
    const std::string path = SettingPath(dir);
    WriteFileBytes(FromCp932(path), "old\r\n");
    QFile::setPermissions(FromCp932(path), QFile::ReadOwner);
    EXPECT_THROW(WriteSettingsFile(path, {"new"}), EInOutError);
    EXPECT_EQ(ReadFileBytes(FromCp932(path)), "old\r\n");
}

// A link planted under the old side file's name is neither followed nor cut; setting.dat becomes
// a file of its own.
TEST(RecordsSettingsFile, APlantedSideFileLinkIsNotFollowed) {
    QTemporaryDir dir;
    const QString victim = dir.filePath(QStringLiteral("victim"));
    WriteFileBytes(victim, "precious");
    ASSERT_TRUE(QFile::link(victim, dir.filePath(QStringLiteral("setting.dat.new"))));
    WriteSettingsFile(SettingPath(dir), {"3000", "1000", "", "", "", "0"});
    EXPECT_EQ(ReadFileBytes(victim), "precious");
    EXPECT_FALSE(QFileInfo(dir.filePath(QStringLiteral("setting.dat"))).isSymLink());
    EXPECT_EQ(ReadFileBytes(dir.filePath(QStringLiteral("setting.dat"))),
              "3000\r\n1000\r\n\r\n\r\n\r\n0\r\n");
}
