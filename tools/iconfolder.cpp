// Writing the cocktail folder and remembering what was written, so that renamed rows leave no
// stale icon behind.
#include "tools/iconfolder.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <cerrno>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "tools/cocktailpainter.h"
#include "tools/icowriter.h"

namespace {

QStringList ReadManifest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

void WriteCocktailFolder(const std::vector<Cocktail>& table, const QString& folder,
                         const QString& manifest) {
    if (!QDir().mkpath(folder)) throw IoError("create", ToCp932(folder), errno);
    QSet<QString> written;
    QByteArray list;
    for (const Cocktail& cocktail : table) {
        const QString file = cocktail.name + QStringLiteral(".ico");
        std::vector<QImage> images;
        for (int size : kIconSizes) images.push_back(PaintCocktail(cocktail, size));
        WriteIco(QDir(folder).filePath(file), images);
        written.insert(file);
        list += file.toUtf8() + '\n';
    }
    for (const QString& old : ReadManifest(manifest))
        if (!written.contains(old)) QFile::remove(QDir(folder).filePath(old));
    QFile out(manifest);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(list) != list.size())
        throw IoError("write", ToCp932(manifest), errno);
}
