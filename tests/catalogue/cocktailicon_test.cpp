// The catalogue on disk: every file named like an icon is listed unless CP932 cannot hold its name;
// only ordinary files are read as icons; a dense screen and a large picture get the icon's own
// larger image.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <algorithm>

#include "catalogue/cataloguefolder.h"
#include "catalogue/cocktailicon.h"
#include "platform/cp932.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/support/testsupport.h"

// A FIFO, a device and a folder are listed like any icon and fail to load at once with their
// file's name; opening the FIFO must not wait for a writer.
TEST(Catalogue, ListsEveryMatchAndReadsOnlyOrdinaryFiles) {
    const TestCatalogue catalogue({"ok.ico"});
    const QByteArray folder =
        QByteArray::fromStdString(catalogue.AppFolder.CatalogueFolder() + "/");
    QFile::copy(folder + "ok.ico", folder + "UPPER.ICO");
    WriteFileBytes(folder + "notes.txt", "not listed");
    QDir(folder).mkdir(QStringLiteral("dir.ico"));
    ASSERT_EQ(::mkfifo((folder + "pipe.ico").constData(), 0644), 0);
    ASSERT_EQ(::symlink("/dev/zero", (folder + "zero.ico").constData()), 0);

    std::vector<std::string> listed = Utf8(ReadCatalogue(catalogue.AppFolder));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed,
              (std::vector<std::string>{"UPPER.ICO", "dir.ico", "ok.ico", "pipe.ico", "zero.ico"}));
    for (const char* entry : {"dir.ico", "pipe.ico", "zero.ico"}) {
        const std::string message = ErrorOf([&] { LoadCocktailIcon(catalogue.AppFolder, entry); });
        EXPECT_NE(message.find(ShownName(catalogue.AppFolder.IconFile(entry))), std::string::npos)
            << entry << ": " << message;
    }
    EXPECT_EQ(ErrorOf([&] { LoadCocktailIcon(catalogue.AppFolder, "UPPER.ICO"); }), "");
}

// A name the game could not show, send or find again from CP932 is left out of the catalogue, and
// one box at start names each such file and why.
TEST(Catalogue, LeavesOutNamesCp932CannotHoldAndSaysWhichOnce) {
    const TestCatalogue catalogue({"ok.ico", "ソルティ・ドッグ.ico", "Piña Colada.ico",
                                   "カシス〜オレンジ.ico", "ミモザ～.ico"});
    const std::string folder = catalogue.AppFolder.CatalogueFolder() + "/";
    const std::string notUtf8 = folder + "b\xff.ico";
    ::close(::open(notUtf8.c_str(), O_CREAT | O_WRONLY, 0644));
    ScriptedBoxes boxes;
    std::vector<std::string> listed = Utf8(ReadCatalogue(catalogue.AppFolder));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"ok.ico", "ソルティ・ドッグ.ico", "ミモザ～.ico"}));
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Warning);
    const QStringList lines = boxes.Texts()[0].split(u'\n');
    ASSERT_EQ(lines.size(), 5);
    // In byte order of the names; "?" stands for what the box cannot show.
    EXPECT_EQ(lines.mid(2), (QStringList{"Pi?a Colada.ico：U+00F1 をShift-JISで書けません",
                                         "b?.ico：名前がUTF-8ではありません",
                                         "カシス～オレンジ.ico：U+301C をShift-JISで書けません"}));
}

// Each picture takes the file's own image for the screen's density rather than a blurred
// enlargement: the game's 32 × 32 its 32 or 64 image, the cards' large picture its 64 or 128 one.
TEST(CocktailIcon, TakesTheImageMadeForTheScreensDensity) {
    const QStringList icons = QDir(GameDir() + QStringLiteral("/cocktail"))
                                  .entryList({QStringLiteral("*.ico")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(icons.isEmpty());
    const TGameFolder appFolder = FolderAt(GameDir());
    QImageReader reader(GameDir() + QStringLiteral("/cocktail/") + icons.front());
    std::vector<QImage> stored;
    for (bool more = true; more; more = reader.jumpToNextImage()) stored.push_back(reader.read());
    // Rows: the size in the window, the screen's ratio, the stored image's edge.
    const struct {
        int size;
        qreal ratio;
        int stored;
    } rows[] = {{32, 1, 32}, {32, 2, 64}, {kLargePictureSize, 1, 64}, {kLargePictureSize, 2, 128}};
    for (const auto& row : rows) {
        const QImage image =
            row.size == 32
                ? LoadCocktailIcon(appFolder, ToCp932(icons.front()), row.ratio)
                : LoadCocktailPicture(appFolder, ToCp932(icons.front()), row.size, row.ratio);
        EXPECT_EQ(image.deviceIndependentSize(), QSizeF(row.size, row.size)) << row.stored;
        const auto own = std::find_if(stored.begin(), stored.end(),
                                      [&](const QImage& s) { return s.width() == row.stored; });
        ASSERT_NE(own, stored.end()) << row.stored;
        EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32),
                  own->convertToFormat(QImage::Format_ARGB32))
            << row.stored;
    }
}
