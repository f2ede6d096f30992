// The settings file on disk: reading any line ends, and replacing it without ever tearing it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "records/settingsfile.h"
#include "tests/records/hostiledisk.h"
#include "tests/records/qtprint.h"
#include "tests/support/testsupport.h"

namespace {
const std::vector<std::string> NewLines = {"1000", "500", "taro", "", "", "30"};
const std::string NewText = "1000\r\n500\r\ntaro\r\n\r\n\r\n30\r\n";

std::string SettingPath(const QTemporaryDir& dir) {
    return NativePath(dir.path()) + "/setting.dat";
}
std::string SettingPath(const QString& folder) { return NativePath(folder) + "/setting.dat"; }

// A folder and a file in it, owned by the user of AsPlainUser, with the modes given.
void PrepareForPlainUser(const QString& folder, mode_t folderMode, mode_t fileMode) {
    const QByteArray file = QFile::encodeName(folder + QStringLiteral("/setting.dat"));
    WriteFileBytes(QFile::decodeName(file), "old\r\n");
    ASSERT_EQ(::chown(file.constData(), PlainUserId(), PlainUserId()), 0);
    ASSERT_EQ(::chmod(file.constData(), fileMode), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), folderMode), 0);
}
}  // namespace

// No file, or a folder in its place, reads as no settings at all.
TEST(RecordsSettingsFile, NothingToReadWithoutAFile) {
    QTemporaryDir dir;
    EXPECT_FALSE(ReadSettingsLines(SettingPath(dir)).has_value());
    QDir(dir.path()).mkdir(QStringLiteral("setting.dat"));
    EXPECT_FALSE(ReadSettingsLines(SettingPath(dir)).has_value());
}

// Writing gives six CR LF-ended lines byte for byte, replaces longer contents, keeps the file's
// owner and modes and leaves no side file behind.
TEST(RecordsSettingsFile, WriteReplacesTheWholeFile) {
    QTemporaryDir dir;
    const std::string path = SettingPath(dir);
    WriteFileBytes(FromNative(path), std::string(500, 'z'));
    const QByteArray native = QFile::encodeName(FromNative(path));
    ASSERT_EQ(::chown(native.constData(), PlainUserId(), PlainUserId()), 0);
    ASSERT_EQ(::chmod(native.constData(), 0640), 0);
    WriteSettingsFile(path, {"3000", "1000", "", "", "", "0"});
    EXPECT_EQ(ReadFileBytes(FromNative(path)), "3000\r\n1000\r\n\r\n\r\n\r\n0\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(native.constData(), &info), 0);
    EXPECT_EQ(info.st_uid, PlainUserId());
    EXPECT_EQ(info.st_mode & 0777, 0640u);
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

    EXPECT_THROW(WriteSettingsFile(NativePath(dir.path()) + "/none/setting.dat", {"1"}),
                 EInOutError);
}

// As a player without the superuser's rights: a read-only setting.dat keeps its refusal although a
// rename could replace it, and the error names it; a writable setting.dat in a folder the player
// cannot write is written in place.
TEST(RecordsSettingsFile, ReadOnlyFolderOrFileAsAPlainUser) {
    struct Case {
        const char* name;
        mode_t fileMode;
        bool written;
    };
    for (const Case& c : {Case{"read-only file", 0444, false}, Case{"writable file", 0644, true}}) {
        QTemporaryDir dir;
        PrepareForPlainUser(dir.path(), 0555, c.fileMode);
        const std::string path = SettingPath(dir);
        std::string why;
        const auto error = AsPlainUser([&] { WriteSettingsFile(path, NewLines); }, why);
        if (!error) GTEST_SKIP() << why;
        EXPECT_EQ(error->empty(), c.written) << c.name << ": " << *error;
        if (!c.written) {
            EXPECT_NE(error->find(path + " "), std::string::npos) << *error;
        }
        EXPECT_EQ(ReadFileBytes(FromNative(path)), c.written ? NewText : "old\r\n") << c.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << c.name;
    }
}

// A link planted under the old side file's name is neither followed nor cut; setting.dat becomes
// a file of its own.
TEST(RecordsSettingsFile, APlantedSideFileLinkIsNotFollowed) {
    QTemporaryDir dir;
    const QString victim = dir.filePath(QStringLiteral("victim"));
    WriteFileBytes(victim, "precious");
    ASSERT_TRUE(QFile::link(victim, dir.filePath(QStringLiteral("setting.dat.new"))));
    WriteSettingsFile(SettingPath(dir), NewLines);
    EXPECT_EQ(ReadFileBytes(victim), "precious");
    EXPECT_FALSE(QFileInfo(dir.filePath(QStringLiteral("setting.dat"))).isSymLink());
    EXPECT_EQ(ReadFileBytes(dir.filePath(QStringLiteral("setting.dat"))), NewText);
    // A new file is the player's own, 0600.
    struct stat info {};
    ASSERT_EQ(
        ::stat(QFile::encodeName(dir.filePath(QStringLiteral("setting.dat"))).constData(), &info),
        0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// A setting.dat that is a link (relative, through a second link) keeps its links; the file at
// the end of them gets the settings, and no side file stays in either folder.
TEST(RecordsSettingsFile, ALinkedSettingsFileStaysALink) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("real"));
    WriteFileBytes(dir.filePath(QStringLiteral("real/conf")), "old\r\n");
    ASSERT_TRUE(QFile::link(QStringLiteral("conf"), dir.filePath(QStringLiteral("real/hop"))));
    ASSERT_EQ(::symlink("real/hop", QFile::encodeName(dir.filePath("setting.dat")).constData()), 0);
    WriteSettingsFile(SettingPath(dir), NewLines);
    EXPECT_EQ(QFileInfo(dir.filePath(QStringLiteral("setting.dat"))).symLinkTarget(),
              dir.filePath(QStringLiteral("real/hop")));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("real/hop"))).isSymLink());
    EXPECT_EQ(ReadFileBytes(dir.filePath(QStringLiteral("real/conf"))), NewText);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 1);
    EXPECT_EQ(
        QDir(dir.filePath(QStringLiteral("real"))).entryList(QDir::Files | QDir::System).size(), 2);
}

// On a full disk the save fails naming setting.dat, never its side file, and changes nothing.
TEST(RecordsSettingsFile, AFullDiskChangesNothingAndNamesTheFile) {
    SmallDisk disk;
    if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
    const std::string path = SettingPath(disk.Path());
    WriteFileBytes(FromNative(path), "old\r\n");
    disk.Fill();
    const std::string error = ErrorOf([&] { WriteSettingsFile(path, NewLines); });
    EXPECT_EQ(error.find(path + "."), std::string::npos) << error;
    EXPECT_NE(error.find(path + " "), std::string::npos) << error;
    EXPECT_EQ(ReadFileBytes(FromNative(path)), "old\r\n");
    disk.Free();
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files), QStringList{QStringLiteral("setting.dat")});
}

// A setting.dat far beyond any settings file (here 1 TiB, sparse) is refused by name.
TEST(RecordsSettingsFile, AHugeFileIsRefusedByName) {
    QTemporaryDir dir;
    const std::string path = SettingPath(dir);
    QFile file(FromNative(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 40));
    const std::string error = ErrorOf([&] { ReadSettingsLines(path); });
    EXPECT_NE(error.find(path + " "), std::string::npos) << error;
}
