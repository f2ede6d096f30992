// Writes the test catalogues' icons with Qt's own ICO writer.
#include "tests/catalogue/catalogue_fixture.h"

#include <QDir>
#include <QImage>
#include <algorithm>
#include <stdexcept>

#include "platform/cp932.h"
#include "tests/support/testsupport.h"

namespace {
QColor Colour(size_t index) {
    return QColor::fromHsv(static_cast<int>(index * 37 % 360), 200,
                           100 + static_cast<int>(index * 13 % 150));
}
}  // namespace

TestCatalogue::TestCatalogue(const std::vector<const char*>& names)
    : AppFolder(FolderAt(dir_.path())) {
    QDir(dir_.path()).mkdir(QStringLiteral("cocktail"));
    for (size_t i = 0; i < names.size(); ++i) {
        const QString name = QString::fromUtf8(names[i]);
        QImage image(32, 32, QImage::Format_ARGB32);
        image.fill(Colour(i));
        if (!image.save(dir_.path() + QStringLiteral("/cocktail/") + name, "ICO")) {
            throw std::runtime_error("cannot write a test icon");
        }
        List.push_back(ToCp932(name));
    }
    written_ = List;
}

QRgb TestCatalogue::ColourOf(const std::string& entry) const {
    const auto found = std::find(written_.begin(), written_.end(), entry);
    return Colour(static_cast<size_t>(found - written_.begin())).rgb();
}

void TestCatalogue::Break(const std::string& entry) const {
    WriteFileBytes(FromNative(AppFolder.IconFile(entry)), "this is no icon");
}

std::vector<std::string> Utf8(const std::vector<std::string>& cp932) {
    std::vector<std::string> texts;
    for (const std::string& text : cp932) texts.push_back(FromCp932(text).toStdString());
    return texts;
}
