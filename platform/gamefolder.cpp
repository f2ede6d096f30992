// Choosing the game's folder, and keeping a player's folder in step with the installed files
// without touching what the player made, changed or removed there.
#include "platform/gamefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStringList>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/msgbox.h"

namespace {

const QString kCatalogue = QStringLiteral("cocktail");
// The program's own files beside the catalogue: the help file and the recipe cards.
const QString kProgramFiles[] = {QStringLiteral("cocktail.hlp"), QStringLiteral("recipes.tsv")};

[[noreturn]] void Fail(const QString& text) { throw Exception(ToCp932(text)); }

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Written whole or not at all, so that a failed start leaves no half file behind.
void WriteBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        Fail(QStringLiteral("『%1』に書き込めません（%2）。").arg(path, file.errorString()));
}

// Copies the installed icons the player's folder has not been offered yet. An icon of that name
// already there is the player's own and stays; either way the name counts as offered.
void OfferNewIcons(const QDir& installed, const QDir& player) {
    const QString listPath = player.filePath(QLatin1String(kOfferedIconsFile));
    QStringList offered = QString::fromUtf8(ReadBytes(listPath)).split(u'\n', Qt::SkipEmptyParts);
    const QSet<QString> before(offered.cbegin(), offered.cend());
    const QDir from(installed.filePath(kCatalogue));
    const QDir to(player.filePath(kCatalogue));
    for (const QString& icon : from.entryList({QStringLiteral("*.ico")}, QDir::Files, QDir::Name)) {
        if (before.contains(icon)) continue;
        const QString target = to.filePath(icon);
        if (!QFileInfo::exists(target)) {
            QFile source(from.filePath(icon));
            if (!source.copy(target))
                Fail(QStringLiteral("『%1』を『%2』にコピーできません（%3）。")
                         .arg(source.fileName(), target, source.errorString()));
        }
        offered << icon;
    }
    if (offered.size() != before.size()) WriteBytes(listPath, offered.join(u'\n').toUtf8() + '\n');
}

// The help file and the recipes belong to the program, not to the player: they follow the
// installed ones.
void RefreshProgramFiles(const QDir& installed, const QDir& player) {
    for (const QString& name : kProgramFiles) {
        const QByteArray bytes = ReadBytes(installed.filePath(name));
        if (!bytes.isEmpty() && ReadBytes(player.filePath(name)) != bytes)
            WriteBytes(player.filePath(name), bytes);
    }
}

std::string FolderName(const QString& path) { return ToCp932(QDir::cleanPath(path)) + "/"; }

}  // namespace

GameFolderPlaces CurrentGameFolderPlaces(const QString& installedFromExecutable) {
    const QString executable = QCoreApplication::applicationDirPath();
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return {executable, QDir::cleanPath(executable + u'/' + installedFromExecutable),
            QDir::cleanPath(dataHome + QStringLiteral("/bartendam"))};
}

std::string PrepareGameFolder(const GameFolderPlaces& places) {
    if (QFileInfo(QDir(places.Executable).filePath(kCatalogue)).isDir())
        return ToCp932(places.Executable) + "/";
    const QDir player(places.Player);
    try {
        if (!QDir().mkpath(player.filePath(kCatalogue)))
            Fail(QStringLiteral("ゲームのフォルダ『%1』が作れません。").arg(places.Player));
        const QDir installed(places.Installed);
        OfferNewIcons(installed, player);
        RefreshProgramFiles(installed, player);
    } catch (const Exception& error) {
        // Without a folder of its own the game still plays, from the installed files.
        const bool made = player.exists();
        const QString lost = QStringLiteral(
            "\nインストールされたカクテルで遊べますが、"
            "設定と成績は保存されません。");
        ErrorBox(error.what() + (made ? std::string() : ToCp932(lost)), ApplicationTitle());
        if (!made) return FolderName(places.Installed);
    }
    return FolderName(places.Player);
}
