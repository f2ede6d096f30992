// Choosing the game's folder, and keeping a player's folder in step with the installed files
// without touching what the player made, changed or removed there.
#include "files/playerfolder.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

#include "files/privatefiles.h"
#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/msgbox.h"
#include "platform/scopeguard.h"

namespace {

// Far beyond any icon, help file or list of icons.
constexpr long long kFileLimit = 16 << 20;

// `format` (UTF-8) with each "%1", "%2"... replaced by a path, and "%E" by errno's text.
[[noreturn]] void Fail(const char* format, const std::vector<std::string>& paths) {
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    QString text = QString::fromUtf8(format);
    const auto shown = [&](std::size_t n) {
        return QFile::decodeName(QByteArray::fromStdString(paths[n]));
    };
    text = paths.size() == 1 ? text.arg(shown(0)) : text.arg(shown(0), shown(1));
    throw Exception(ToCp932(text.replace(QStringLiteral("%E"), reason)));
}

std::string Joined(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The installed icons: ordinary files named "*.ico" in any case, in byte order.
std::vector<std::string> InstalledIcons(const std::string& folder) {
    std::vector<std::string> icons;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return icons;
    const ScopeGuard closing([dir] { ::closedir(dir); });
    while (const dirent* entry = ::readdir(dir)) {
        const std::size_t length = std::strlen(entry->d_name);
        struct stat info {};
        if (length >= 4 && ::strcasecmp(entry->d_name + length - 4, ".ico") == 0 &&
            ::stat(Joined(folder, entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            icons.emplace_back(entry->d_name);
    }
    std::sort(icons.begin(), icons.end());
    return icons;
}

// The names of the list; an editor may have ended its lines with CR LF.
std::vector<std::string> OfferedIcons(const std::string& listPath) {
    const std::optional<std::string> text = ReadWholeFile(listPath, kFileLimit);
    if (!text && errno != ENOENT) Fail("『%1』を読み込めません（%E）。", {listPath});
    std::vector<std::string> names;
    std::size_t start = 0;
    while (text && start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string name = text->substr(start, end - start);
        if (!name.empty() && name.back() == '\r') name.pop_back();
        if (!name.empty()) names.push_back(std::move(name));
        start = end + 1;
    }
    return names;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    if (!WritePrivateFile(path, bytes)) Fail("『%1』に書き込めません（%E）。", {path});
}

// Copies the installed icons the player's folder has not been offered yet. An icon of that name
// already there is the player's own and stays; either way the name counts as offered.
void OfferNewIcons(const TGameFolder& installed, const TGameFolder& player) {
    const std::string listPath = Joined(player.Path(), kOfferedIconsFile);
    std::vector<std::string> offered = OfferedIcons(listPath);
    const std::set<std::string> before(offered.begin(), offered.end());
    bool added = false;
    for (const std::string& icon : InstalledIcons(installed.CatalogueFolder())) {
        if (before.contains(icon)) continue;
        const std::string source = Joined(installed.CatalogueFolder(), icon);
        const std::string target = Joined(player.CatalogueFolder(), icon);
        if (::access(target.c_str(), F_OK) != 0) {
            const std::optional<std::string> bytes = ReadWholeFile(source, kFileLimit);
            if (!bytes || !WritePrivateFile(target, *bytes))
                Fail("『%1』を『%2』にコピーできません（%E）。", {source, target});
        }
        offered.push_back(icon);
        added = true;
    }
    std::string list;
    for (const std::string& icon : offered) list += icon + "\n";
    if (added) WriteFile(listPath, list);
}

// The help file and the recipe cards belong to the program, not to the player: they follow the
// installed ones.
void RefreshProgramFiles(const TGameFolder& installed, const TGameFolder& player) {
    for (auto file : {&TGameFolder::HelpFile, &TGameFolder::RecipeFile}) {
        const std::optional<std::string> bytes = ReadWholeFile((installed.*file)(), kFileLimit);
        if (bytes && !bytes->empty() && ReadWholeFile((player.*file)(), kFileLimit) != bytes)
            WriteFile((player.*file)(), *bytes);
    }
}

std::string ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return program.parent_path().string();
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? home : QFile::encodeName(QDir::homePath()).toStdString();
}

std::string Clean(const std::filesystem::path& path) {
    std::string clean = path.lexically_normal().string();
    while (clean.size() > 1 && clean.back() == '/') clean.pop_back();
    return clean;
}

}  // namespace

GameFolderPlaces CurrentGameFolderPlaces(const std::string& installedFromExecutable) {
    const std::string executable = ExecutableFolder();
    const char* variable = std::getenv("XDG_DATA_HOME");
    const std::string dataHome =
        variable && variable[0] == '/' ? std::string(variable) : HomeFolder() + "/.local/share";
    return {executable, Clean(std::filesystem::path(executable) / installedFromExecutable),
            Clean(std::filesystem::path(dataHome) / "bartendam")};
}

TGameFolder PrepareGameFolder(const GameFolderPlaces& places) {
    const TGameFolder own(places.Executable);
    if (IsFolder(own.CatalogueFolder())) return own;
    const TGameFolder player(places.Player);
    const TGameFolder installed(places.Installed, true);
    try {
        if (!MakePrivateFolders(player.CatalogueFolder()))
            Fail("ゲームのフォルダ『%1』が作れません（%E）。", {player.Path()});
        // A folder the player cannot write would refuse every save later on.
        if (::access(player.Path().c_str(), W_OK) != 0)
            Fail("ゲームのフォルダ『%1』に書き込めません（%E）。", {player.Path()});
        OfferNewIcons(installed, player);
        RefreshProgramFiles(installed, player);
        return player;
    } catch (const Exception& error) {
        // Without a folder of its own the game still plays, from the installed files.
        ErrorBox(error.what() + Cp932Text("\nインストールされたカクテルで遊べますが、"
                                          "設定と成績は保存されません。"),
                 ApplicationTitle());
        return installed;
    }
}
