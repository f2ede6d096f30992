// The dialogs' common look and keys.
#include "records/flatdialog.h"

#include <QKeyEvent>
#include <QPushButton>

TFlatDialog::TFlatDialog(QWidget* parent) : QDialog(parent) {}

void TFlatDialog::FinishLayout() {
    const QSize client = size();
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setFlat(true);
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
    }
    setFixedSize(client);
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
