// The shell's "open" on QDesktopServices, with a seam so that tests never start a browser.
#include "platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "platform/cp932.h"

namespace {
std::function<void(const std::string&)>& Handler() {
    static std::function<void(const std::string&)> handler;
    return handler;
}
}  // namespace

void ShellOpen(const std::string& target) {
    if (Handler()) {
        Handler()(target);
        return;
    }
    const QString text = FromCp932(target).trimmed();
    // A bare path has no scheme; QUrl would otherwise read "C:" or a relative name as one.
    const QUrl url =
        QFileInfo::exists(text) ? QUrl::fromLocalFile(text) : QUrl::fromUserInput(text);
    QDesktopServices::openUrl(url);
}

void SetShellOpenHandler(std::function<void(const std::string&)> handler) {
    Handler() = std::move(handler);
}
