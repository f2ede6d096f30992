// Showing a dialog modally. Tests replace the runner, so that no test waits for a person: the
// replacement works the dialog (clicks its buttons) and returns its result.
#pragma once

#include <functional>

class QDialog;

// A dialog's modal results as the windows give them: OK (1) and Cancel (2), the latter also for
// the title bar's close box.
constexpr int ModalOk = 1;
constexpr int ModalCancel = 2;

int ExecModal(QDialog& dialog);
void SetModalHandler(std::function<int(QDialog&)> handler);
