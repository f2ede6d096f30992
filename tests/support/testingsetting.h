// The settings dialog as its tests reach it: the fields and buttons they work, by their names.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "records/setting.h"
#include "tests/support/testsupport.h"

class TestingSetting : public TSetting {
  public:
    using TSetting::TSetting;

    QComboBox* cmbError() const { return Named<QComboBox>(*this, "cmbError"); }
    QComboBox* cmbCorrect() const { return Named<QComboBox>(*this, "cmbCorrect"); }
    QLineEdit* txtHN() const { return Named<QLineEdit>(*this, "txtHN"); }
    QLineEdit* txtMail() const { return Named<QLineEdit>(*this, "txtMail"); }
    QLineEdit* txtURL() const { return Named<QLineEdit>(*this, "txtURL"); }
    QPushButton* btnOK() const { return Named<QPushButton>(*this, "btnOK"); }
    QPushButton* btnCancel() const { return Named<QPushButton>(*this, "btnCancel"); }
    QPushButton* btnHelp() const { return Named<QPushButton>(*this, "btnHelp"); }
};
