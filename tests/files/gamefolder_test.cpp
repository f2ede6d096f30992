// The game's folder under a name CP932 cannot write: every file of the game is found and written
// under the folder's own bytes.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "catalogue/cataloguefolder.h"
#include "catalogue/cocktailicon.h"
#include "files/gamefolder.h"
#include "records/scorelog.h"
#include "records/settingsfile.h"
#include "tests/support/testsupport.h"

TEST(GameFolder, AFolderNamedOutsideCp932ListsItsIconsAndKeepsItsFiles) {
    QTemporaryDir root;
    // "é" has no CP932 character, and "〜" (U+301C) comes back from CP932 as "～" (U+FF5E).
    const QString path = root.filePath(QStringLiteral("café〜/あ〜ん"));
    ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/cocktail")));
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    ASSERT_TRUE(icon.save(path + QStringLiteral("/cocktail/ジン.ico"), "ICO"));
    const TGameFolder folder = FolderAt(path + QStringLiteral("/"));

    EXPECT_EQ(folder.Path(), NativePath(path));
    const std::vector<std::string> catalogue = ReadCatalogue(folder);
    ASSERT_EQ(catalogue, std::vector<std::string>{Cp932Text("ジン.ico")});
    EXPECT_EQ(LoadCocktailIcon(folder, catalogue[0]).pixel(5, 5), QColor(Qt::red).rgb());

    WriteSettingsFile(folder.SettingFile(), {"3000"});
    AppendRecord(folder.ScoreLog(), "1,2,3,4,5,6");
    // Rows: the file the folder names, and its name in the folder.
    const std::pair<std::string, const char*> rows[] = {
        {folder.SettingFile(), "setting.dat"},
        {folder.ScoreLog(), "log.dat"},
        {folder.UploadFile(), "_temp.dat"},
        {folder.HelpFile(), "cocktail.hlp"},
        {folder.CatalogueFolder(), "cocktail"},
        {folder.IconFile(catalogue[0]), "cocktail/ジン.ico"}};
    for (const auto& [file, name] : rows)
        EXPECT_EQ(FromNative(file), path + u'/' + QString::fromUtf8(name)) << name;
    EXPECT_EQ(ReadFileBytes(path + QStringLiteral("/setting.dat")), "3000\r\n");
    EXPECT_EQ(ReadFileBytes(path + QStringLiteral("/log.dat")), "1,2,3,4,5,6\r\n");
}
