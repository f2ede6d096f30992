// The look and keyboard manner shared by the program's small dialogs.
#pragma once

#include <QDialog>

class QKeyEvent;

// A dialog in the program's manner: flat buttons that take no focus. It has no default
// or cancel button, so Enter and Esc never close it; its close box rejects it.
class TFlatDialog : public QDialog {
  protected:
    explicit TFlatDialog(QWidget* parent);
    // Call after the layout is built: fixes the client size at the one the form gave and makes
    // every button flat and unfocusable.
    void FinishLayout();
    void keyPressEvent(QKeyEvent* event) override;
};
