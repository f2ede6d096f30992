// The dialogs' common look and keys.
#include "records/flatdialog.h"

#include <QKeyEvent>
#include <QPushButton>

#include "platform/fonts.h"

TFlatDialog::TFlatDialog(QWidget* parent) : QDialog(parent) {}

void TFlatDialog::FinishLayout(int clientWidth, int clientHeight) {
    setFont(UiFont());
    // The font goes into the style sheet too: widgets with their own style sheet (the frames)
    // would otherwise hand their children the default font.
    setStyleSheet(
        QStringLiteral("* { font-family: %1; font-size: 12px; }")
            .arg(FontFamilyCss(QStringLiteral("MS UI Gothic"))) +
        QStringLiteral(
            "QDialog, QLabel, QFrame { background: black; color: white; }"
            "QComboBox, QLineEdit { background: black; color: white; border: 1px solid gray; }"
            "QComboBox QAbstractItemView { background: black; color: white;"
            " selection-background-color: navy; }"
            "QPushButton { background: black; color: white; border: none; }"
            "QPushButton:hover { color: yellow; }"
            "QPushButton:pressed { background: #404040; }"));
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setFlat(true);
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
    }
    setFixedSize(clientWidth, clientHeight);
}

void TFlatDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}
