// Listing the cocktail folder with the C library, which hands over every name as it is stored.
#include "catalogue/cataloguefolder.h"

#include <dirent.h>
#include <strings.h>

#include <QFile>
#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/cp932.h"
#include "platform/msgbox.h"
#include "platform/scopeguard.h"

namespace {
// The box names this many files at most, so that it fits on the screen.
constexpr std::size_t kNamedFiles = 20;

bool MatchesIcoPattern(const char* name) {
    const std::size_t length = std::strlen(name);
    return length >= 4 && ::strcasecmp(name + length - 4, ".ico") == 0;
}

// Why the game cannot use a file of this name, or nothing when it can.
std::optional<std::string> WhyLeftOut(const QByteArray& name) {
    const QString text = QFile::decodeName(name);
    if (QFile::encodeName(text) != name) return Cp932Text("名前がUTF-8ではありません");
    for (const char32_t code : text.toUcs4()) {
        const QString character = QString::fromUcs4(&code, 1);
        if (FromCp932(ToCp932(character)) != character) {
            const QString hex = QString::number(code, 16).toUpper().rightJustified(4, u'0');
            return ToCp932(QStringLiteral("U+%1 をShift-JISで書けません").arg(hex));
        }
    }
    return std::nullopt;
}

void ReportLeftOut(const std::vector<TLeftOutIcon>& leftOut) {
    std::string text = Cp932Text(
        "次のアイコンは名前をゲームで扱えないため、カクテルの一覧から外しました。"
        "名前を変えると遊べます。\n");
    for (std::size_t n = 0; n < leftOut.size() && n < kNamedFiles; ++n)
        text += "\n" + ShownName(leftOut[n].File) + Cp932Text("：") + leftOut[n].Reason;
    if (leftOut.size() > kNamedFiles)
        text += ToCp932(QStringLiteral("\nほか %1 個").arg(leftOut.size() - kNamedFiles));
    ShowMessageBox({text, ApplicationTitle(), MsgIcon::Warning, MsgButtons::Ok});
}
}  // namespace

TCatalogueListing ListCatalogue(const TGameFolder& folder) {
    TCatalogueListing listing;
    DIR* dir = ::opendir(folder.CatalogueFolder().c_str());
    if (!dir) return listing;
    const ScopeGuard closing([dir] { ::closedir(dir); });
    while (const dirent* entry = ::readdir(dir)) {
        if (!MatchesIcoPattern(entry->d_name)) continue;
        const QByteArray name(entry->d_name);
        if (const std::optional<std::string> why = WhyLeftOut(name))
            listing.LeftOut.push_back({name.toStdString(), *why});
        else
            listing.Entries.push_back(ToCp932(QFile::decodeName(name)));
    }
    std::sort(listing.LeftOut.begin(), listing.LeftOut.end(),
              [](const TLeftOutIcon& a, const TLeftOutIcon& b) { return a.File < b.File; });
    return listing;
}

std::vector<std::string> ReadCatalogue(const TGameFolder& folder) {
    TCatalogueListing listing = ListCatalogue(folder);
    if (!listing.LeftOut.empty()) ReportLeftOut(listing.LeftOut);
    return std::move(listing.Entries);
}
