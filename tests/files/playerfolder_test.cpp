// The game's folder: a folder with its own catalogue is used as it is; an installed game plays from
// a folder of the player's own, filled at the first start and kept in step with later versions
// without touching what the player made, changed or removed there.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>

#include "files/playerfolder.h"
#include "platform/cp932.h"
#include "tests/records/hostiledisk.h"
#include "tests/support/testsupport.h"

namespace {

// A machine with the game installed under usr/, and a player's home (or a data home elsewhere).
struct Machine {
    explicit Machine(const QString& dataHome = {})
        : player(
              (dataHome.isEmpty() ? root.filePath(QStringLiteral("home/.local/share")) : dataHome) +
              QStringLiteral("/bartendam")) {}
    QTemporaryDir root;
    QString executable = root.filePath(QStringLiteral("usr/bin"));
    QString installed = root.filePath(QStringLiteral("usr/share/bartendam"));
    QString player;
    GameFolderPlaces places{NativePath(executable), NativePath(installed), NativePath(player)};
    QString Installed(const char* file) const { return installed + u'/' + file; }
    QString Player(const char* file) const { return player + u'/' + file; }
    QStringList PlayersIcons() const {
        return QDir(Player("cocktail")).entryList({QStringLiteral("*")}, QDir::Files, QDir::Name);
    }
};

void Put(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    WriteFileBytes(path, bytes);
}

// The folder a prepare step chose, and whether it may be written.
std::pair<std::string, bool> Chosen(const TGameFolder& folder) {
    return {folder.Path(), folder.ReadOnly()};
}
std::pair<std::string, bool> Writable(const QString& path) { return {NativePath(path), false}; }
std::pair<std::string, bool> ReadOnly(const QString& path) { return {NativePath(path), true}; }

mode_t ModeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Installs `count` icons of `size` bytes each.
void InstallIcons(const Machine& m, int count, std::size_t size) {
    for (int i = 0; i < count; ++i)
        Put(m.Installed("cocktail/") +
                QStringLiteral("Cocktail%1.ico").arg(i, 3, 10, QLatin1Char('0')),
            std::string(size, 'i'));
}

}  // namespace

TEST(PlayerFolder, AFolderWithItsOwnCatalogueIsUsedAsItIs) {
    Machine m;
    Put(m.executable + QStringLiteral("/cocktail/Gimlet.ico"), "gimlet");
    Put(m.Installed("cocktail/Martini.ico"), "martini");
    ScriptedBoxes boxes;
    EXPECT_EQ(Chosen(PrepareGameFolder(m.places)), Writable(m.executable));
    EXPECT_FALSE(QFileInfo::exists(m.player));
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST(PlayerFolder, AnInstalledGameFillsThePlayersFolderAndLaterAddsOnlyWhatIsNew) {
    Machine m;
    for (const char* icon : {"Gimlet", "Martini", "Negroni"})
        Put(m.Installed("cocktail/") + icon + QStringLiteral(".ico"), std::string(icon) + " 1");
    Put(m.Installed("cocktail.hlp"), "help 1");
    Put(m.Installed("recipes.tsv"), "recipes 1");
    ScriptedBoxes boxes;
    ASSERT_EQ(Chosen(PrepareGameFolder(m.places)), Writable(m.player));
    EXPECT_EQ(m.PlayersIcons(), QStringList({"Gimlet.ico", "Martini.ico", "Negroni.ico"}));
    // The player's own, as the XDG base directories ask: folders 0700, files 0600.
    for (const QString& made :
         {m.root.filePath(QStringLiteral("home")), m.player, m.Player("cocktail")})
        EXPECT_EQ(ModeOf(made), 0700u) << made.toStdString();
    for (const char* file : {"cocktail/Martini.ico", "cocktail.hlp", "installed-icons.txt"})
        EXPECT_EQ(ModeOf(m.Player(file)), 0600u) << file;

    // The player plays; then a later version, with every icon redrawn and two new ones.
    QFile::remove(m.Player("cocktail/Martini.ico"));
    Put(m.Player("cocktail/Negroni.ico"), "my Negroni");
    Put(m.Player("cocktail/Sidecar.ico"), "my Sidecar");
    Put(m.Player("cocktail/Mojito.ico"), "my Mojito");
    for (const char* icon : {"Gimlet", "Martini", "Negroni", "Daiquiri", "Mojito"})
        Put(m.Installed("cocktail/") + icon + QStringLiteral(".ico"), std::string(icon) + " 2");
    Put(m.Installed("cocktail.hlp"), "help 2");
    Put(m.Installed("recipes.tsv"), "recipes 2");
    ASSERT_EQ(Chosen(PrepareGameFolder(m.places)), Writable(m.player));

    // Rows: a file of the player's folder and what it holds now.
    const std::pair<const char*, std::string> rows[] = {
        {"cocktail/Gimlet.ico", "Gimlet 1"},      // copied once, never overwritten
        {"cocktail/Negroni.ico", "my Negroni"},   // changed by the player
        {"cocktail/Sidecar.ico", "my Sidecar"},   // the player's own
        {"cocktail/Mojito.ico", "my Mojito"},     // the player's own, of a new icon's name
        {"cocktail/Daiquiri.ico", "Daiquiri 2"},  // new in this version
        {"cocktail.hlp", "help 2"},               // the program's, kept current
        {"recipes.tsv", "recipes 2"},             // the program's too
    };
    for (const auto& [file, bytes] : rows) EXPECT_EQ(ReadFileBytes(m.Player(file)), bytes) << file;
    // Martini, deleted by the player, stays deleted.
    EXPECT_EQ(m.PlayersIcons(), QStringList({"Daiquiri.ico", "Gimlet.ico", "Mojito.ico",
                                             "Negroni.ico", "Sidecar.ico"}));
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST(PlayerFolder, APlayersFolderThatCannotBePreparedIsReportedAndTheGameStillStarts) {
    // Rows: what stands in the way (a file where the prepare step needs a folder or a file of its
    // own), and what the message names.
    const std::pair<const char*, const char*> rows[] = {
        {"home/.local/share", "home/.local/share/bartendam"},
        {"home/.local/share/bartendam/cocktail.hlp/x", "cocktail.hlp"}};
    for (const auto& [blocker, named] : rows) {
        Machine m;
        Put(m.Installed("cocktail.hlp"), "help");
        Put(m.root.filePath(QLatin1String(blocker)), "in the way");
        ScriptedBoxes boxes;
        // The installed catalogue, which nothing may be saved into.
        EXPECT_EQ(Chosen(PrepareGameFolder(m.places)), std::pair(NativePath(m.installed), true))
            << blocker;
        ASSERT_EQ(boxes.Seen().size(), 1u) << blocker;
        EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Error);
        EXPECT_TRUE(boxes.Texts()[0].contains(QLatin1String(named)))
            << boxes.Texts()[0].toStdString();
        EXPECT_TRUE(boxes.Texts()[0].contains(QStringLiteral("設定と成績は保存されません")));
    }
}

// A folder made but not filled (a full disk), or one that cannot be written: the game plays from
// the installed catalogue, read-only, and leaves no half-copied file behind.
TEST(PlayerFolder, AFolderThatCannotBeFilledGivesWayToTheInstalledCatalogue) {
    for (const bool full : {true, false}) {
        SmallDisk disk;
        if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
        Machine m(disk.Path());
        InstallIcons(m, full ? 40 : 3, 4096);
        ScriptedBoxes boxes;
        if (!full) {
            ASSERT_EQ(Chosen(PrepareGameFolder(m.places)), Writable(m.player));
            ASSERT_TRUE(disk.MakeReadOnly());
        }
        EXPECT_EQ(Chosen(PrepareGameFolder(m.places)), ReadOnly(m.installed)) << full;
        ASSERT_EQ(boxes.Seen().size(), 1u) << full;
        EXPECT_TRUE(boxes.Texts()[0].contains(full ? QStringLiteral("コピーできません")
                                                   : QStringLiteral("書き込めません")))
            << boxes.Texts()[0].toStdString();
        for (const QString& file : QDir(m.Player("cocktail")).entryList(QDir::Files))
            EXPECT_TRUE(file.endsWith(QStringLiteral(".ico"))) << file.toStdString();
    }
}

// The list of offered icons, saved by an editor with CR LF line ends, still keeps a deleted icon
// deleted (the list as the game writes it is read in the test above).
TEST(PlayerFolder, OfferedIconsAreReadWithCrLfLineEnds) {
    Machine m;
    InstallIcons(m, 2, 10);
    ScriptedBoxes boxes;
    ASSERT_EQ(Chosen(PrepareGameFolder(m.places)), Writable(m.player));
    QFile::remove(m.Player("cocktail/Cocktail000.ico"));
    WriteFileBytes(m.Player("installed-icons.txt"), "Cocktail000.ico\r\nCocktail001.ico\r\n");
    ASSERT_EQ(Chosen(PrepareGameFolder(m.places)), Writable(m.player));
    EXPECT_EQ(m.PlayersIcons(), QStringList{"Cocktail001.ico"});
    EXPECT_TRUE(boxes.Seen().empty());
}

// Two programs started at once on a new account fill the same folder side by side: neither
// reports a copy error, and every icon arrives whole.
TEST(PlayerFolder, TwoProgramsFillingOneFolderAtOnceBothSucceed) {
    Machine m;
    InstallIcons(m, 300, 2000);
    pid_t children[2];
    for (pid_t& child : children) {
        child = ::fork();
        if (child == 0) {
            ScriptedBoxes boxes;
            const TGameFolder folder = PrepareGameFolder(m.places);
            ::_exit(boxes.Seen().empty() && !folder.ReadOnly() ? 0 : 1);
        }
        ASSERT_GT(child, 0);
    }
    for (const pid_t child : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    const QStringList icons = m.PlayersIcons();
    EXPECT_EQ(icons.size(), 300);
    for (const QString& icon : icons)
        EXPECT_EQ(ReadFileBytes(m.Player("cocktail/") + icon), std::string(2000, 'i'));
    EXPECT_EQ(ReadFileBytes(m.Player("installed-icons.txt")).size(), 300u * 16);
}

TEST(PlayerFolder, ThePlayersFolderFollowsTheDataHomeWhenItIsAnAbsolutePath) {
    const QByteArray home = qgetenv("HOME"), dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", "/home/player");
    // Rows: $XDG_DATA_HOME (none: unset), the player's folder.
    const std::pair<std::optional<const char*>, QString> rows[] = {
        {std::nullopt, QStringLiteral("/home/player/.local/share/bartendam")},
        {"", QStringLiteral("/home/player/.local/share/bartendam")},
        {"data", QStringLiteral("/home/player/.local/share/bartendam")},
        {"/srv/games/", QStringLiteral("/srv/games/bartendam")},
    };
    for (const auto& [value, player] : rows) {
        if (value)
            qputenv("XDG_DATA_HOME", *value);
        else
            qunsetenv("XDG_DATA_HOME");
        EXPECT_EQ(CurrentGameFolderPlaces("").Player, NativePath(player))
            << value.value_or("(unset)");
    }
    // The installed files are found from the program's folder, the path made plain.
    const QString executable = QCoreApplication::applicationDirPath();
    const GameFolderPlaces places = CurrentGameFolderPlaces("../share/bartendam");
    EXPECT_EQ(places.Executable, NativePath(executable));
    EXPECT_EQ(places.Installed,
              NativePath(QFileInfo(executable).dir().filePath("share/bartendam")));
    qputenv("HOME", home);
    if (dataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", dataHome);
}
