// Modal dialogs through one replaceable runner.
#include "platform/modal.h"

#include <QDialog>

namespace {
std::function<int(QDialog&)>& Handler() {
    static std::function<int(QDialog&)> handler;
    return handler;
}
}  // namespace

int ExecModal(QDialog& dialog) { return Handler() ? Handler()(dialog) : dialog.exec(); }

void SetModalHandler(std::function<int(QDialog&)> handler) { Handler() = std::move(handler); }
