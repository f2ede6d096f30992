// The game's folder: a folder with its own catalogue is used as it is; an installed game plays from
// a folder of the player's own, filled at the first start and kept in step with later versions
// without touching what the player made, changed or removed there.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>

#include "platform/cp932.h"
#include "platform/gamefolder.h"
#include "tests/support/testsupport.h"

namespace {

// A machine with the game installed under usr/, and a player's home.
struct Machine {
    QTemporaryDir root;
    GameFolderPlaces places{root.filePath(QStringLiteral("usr/bin")),
                            root.filePath(QStringLiteral("usr/share/bartendam")),
                            root.filePath(QStringLiteral("home/.local/share/bartendam"))};
    QString Installed(const char* file) const { return places.Installed + u'/' + file; }
    QString Player(const char* file) const { return places.Player + u'/' + file; }
    QStringList PlayersIcons() const {
        return QDir(Player("cocktail")).entryList({QStringLiteral("*")}, QDir::Files, QDir::Name);
    }
};

void Put(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    WriteFileBytes(path, bytes);
}

std::string Folder(const QString& path) { return ToCp932(path) + "/"; }

}  // namespace

TEST(GameFolder, AFolderWithItsOwnCatalogueIsUsedAsItIs) {
    Machine m;
    Put(m.places.Executable + QStringLiteral("/cocktail/Gimlet.ico"), "gimlet");
    Put(m.Installed("cocktail/Martini.ico"), "martini");
    ScriptedBoxes boxes;
    EXPECT_EQ(PrepareGameFolder(m.places), Folder(m.places.Executable));
    EXPECT_FALSE(QFileInfo::exists(m.places.Player));
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST(GameFolder, AnInstalledGameFillsThePlayersFolderAndLaterAddsOnlyWhatIsNew) {
    Machine m;
    for (const char* icon : {"Gimlet", "Martini", "Negroni"})
        Put(m.Installed("cocktail/") + icon + QStringLiteral(".ico"), std::string(icon) + " 1");
    Put(m.Installed("cocktail.hlp"), "help 1");
    Put(m.Installed("recipes.tsv"), "recipes 1");
    ScriptedBoxes boxes;
    ASSERT_EQ(PrepareGameFolder(m.places), Folder(m.places.Player));
    EXPECT_EQ(m.PlayersIcons(), QStringList({"Gimlet.ico", "Martini.ico", "Negroni.ico"}));
    EXPECT_EQ(ReadFileBytes(m.Player("cocktail/Martini.ico")), "Martini 1");
    EXPECT_EQ(ReadFileBytes(m.Player("cocktail.hlp")), "help 1");
    EXPECT_EQ(ReadFileBytes(m.Player("recipes.tsv")), "recipes 1");

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
    Put(m.Installed("recipes.tsv"), "recipes 2");
    ASSERT_EQ(PrepareGameFolder(m.places), Folder(m.places.Player));

    // Rows: a file of the player's folder and what it holds now.
    const std::pair<const char*, std::string> rows[] = {
        {"cocktail/Gimlet.ico", "Gimlet 1"},      // copied once, never overwritten
        {"cocktail/Negroni.ico", "my Negroni"},   // changed by the player
        {"cocktail/Sidecar.ico", "my Sidecar"},   // the player's own
        {"cocktail/Mojito.ico", "my Mojito"},     // the player's own, of a new icon's name
        {"cocktail/Daiquiri.ico", "Daiquiri 2"},  // new in this version
        {"cocktail.hlp", "help 2"},               // the program's, kept current
        {"recipes.tsv", "recipes 2"},             // the program's too
        {"setting.dat", "settings"},
        {"log.dat", "scores"},
    };
    for (const auto& [file, bytes] : rows) EXPECT_EQ(ReadFileBytes(m.Player(file)), bytes) << file;
    // Martini, deleted by the player, stays deleted.
    EXPECT_EQ(m.PlayersIcons(), QStringList({"Daiquiri.ico", "Gimlet.ico", "Mojito.ico",
                                             "Negroni.ico", "Sidecar.ico"}));
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST(GameFolder, APlayersFolderThatCannotBePreparedIsReportedAndTheGameStillStarts) {
    // Rows: what stands in the way, and the folder the game then plays from.
    struct Row {
        const char* blocker;  // a file where the prepare step needs a folder or a file of its own
        bool playerFolderMade;
    } rows[] = {{"home/.local/share", false}, {"home/.local/share/bartendam/cocktail.hlp/x", true}};
    for (const Row& row : rows) {
        Machine m;
        Put(m.Installed("cocktail.hlp"), "help");
        Put(m.root.filePath(QLatin1String(row.blocker)), "in the way");
        ScriptedBoxes boxes;
        const std::string folder = PrepareGameFolder(m.places);
        EXPECT_EQ(folder, Folder(row.playerFolderMade ? m.places.Player : m.places.Installed))
            << row.blocker;
        ASSERT_EQ(boxes.Seen().size(), 1u) << row.blocker;
        EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Error);
        EXPECT_TRUE(boxes.Texts()[0].contains(row.playerFolderMade ? QStringLiteral("cocktail.hlp")
                                                                   : m.places.Player))
            << boxes.Texts()[0].toStdString();
    }
}

TEST(GameFolder, ThePlayersFolderFollowsTheDataHomeWhenItIsAnAbsolutePath) {
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
        const GameFolderPlaces places =
            CurrentGameFolderPlaces(QStringLiteral("../share/bartendam"));
        EXPECT_EQ(places.Player, player) << value.value_or("(unset)");
        EXPECT_EQ(places.Executable, QCoreApplication::applicationDirPath());
        EXPECT_EQ(places.Installed, QFileInfo(places.Executable).dir().filePath("share/bartendam"));
    }
    qputenv("HOME", home);
    if (dataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", dataHome);
}
