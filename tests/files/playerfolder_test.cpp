// The game's folder: a folder with its own catalogue is used as it is; an installed game plays from
// a folder of the player's own, filled at the first start and kept in step with later versions
// without touching what the player made, changed or removed there.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>

#include "files/playerfolder.h"
#include "platform/cp932.h"
#include "tests/support/testsupport.h"

namespace {

// A machine with the game installed under usr/, and a player's home.
struct Machine {
    QTemporaryDir root;
    QString executable = root.filePath(QStringLiteral("usr/bin"));
    QString installed = root.filePath(QStringLiteral("usr/share/bartendam"));
    QString player = root.filePath(QStringLiteral("home/.local/share/bartendam"));
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
    ScriptedBoxes boxes;
    ASSERT_EQ(Chosen(PrepareGameFolder(m.places)), Writable(m.player));
    EXPECT_EQ(m.PlayersIcons(), QStringList({"Gimlet.ico", "Martini.ico", "Negroni.ico"}));
    EXPECT_EQ(ReadFileBytes(m.Player("cocktail/Martini.ico")), "Martini 1");
    EXPECT_EQ(ReadFileBytes(m.Player("cocktail.hlp")), "help 1");

    // The player plays; then a later version, with every icon redrawn and two new ones.
    QFile::remove(m.Player("cocktail/Martini.ico"));
    Put(m.Player("cocktail/Negroni.ico"), "my Negroni");
    Put(m.Player("cocktail/Sidecar.ico"), "my Sidecar");
    Put(m.Player("cocktail/Mojito.ico"), "my Mojito");
    Put(m.Player("setting.dat"), "settings");
    Put(m.Player("log.dat"), "scores");
    for (const char* icon : {"Gimlet", "Martini", "Negroni", "Daiquiri", "Mojito"})
        Put(m.Installed("cocktail/") + icon + QStringLiteral(".ico"), std::string(icon) + " 2");
    Put(m.Installed("cocktail.hlp"), "help 2");
    ASSERT_EQ(Chosen(PrepareGameFolder(m.places)), Writable(m.player));

    // Rows: a file of the player's folder and what it holds now.
    const std::pair<const char*, std::string> rows[] = {
        {"cocktail/Gimlet.ico", "Gimlet 1"},      // copied once, never overwritten
        {"cocktail/Negroni.ico", "my Negroni"},   // changed by the player
        {"cocktail/Sidecar.ico", "my Sidecar"},   // the player's own
        {"cocktail/Mojito.ico", "my Mojito"},     // the player's own, of a new icon's name
        {"cocktail/Daiquiri.ico", "Daiquiri 2"},  // new in this version
        {"cocktail.hlp", "help 2"},               // the program's, kept current
        {"setting.dat", "settings"},
        {"log.dat", "scores"},
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
        const GameFolderPlaces places = CurrentGameFolderPlaces("../share/bartendam");
        EXPECT_EQ(places.Player, NativePath(player)) << value.value_or("(unset)");
        const QString executable = QCoreApplication::applicationDirPath();
        EXPECT_EQ(places.Executable, NativePath(executable));
        EXPECT_EQ(places.Installed,
                  NativePath(QFileInfo(executable).dir().filePath("share/bartendam")));
    }
    qputenv("HOME", home);
    if (dataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", dataHome);
}
