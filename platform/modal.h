// Showing a dialog modally. Tests replace the runner, so that no test waits for a person: the
// replacement works the dialog (clicks its buttons) and returns its result.
#pragma once

#include <functional>

class QDialog;

int ExecModal(QDialog& dialog);
void SetModalHandler(std::function<int(QDialog&)> handler);
