// The result dialog as the tests reach it: its labels and buttons by their names.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <stdexcept>

#include "records/gameresult.h"

class TestingGameResult : public TGameResult {
  public:
    using TGameResult::TGameResult;

    // The text of the label named `name` of a result dialog; a name it lacks fails the test.
    static QString Text(const QDialog& dialog, const char* name) {
        return Child<QLabel>(dialog, name)->text();
    }
    // The button named `name` of a result dialog.
    static QPushButton* Button(const QDialog& dialog, const char* name) {
        return Child<QPushButton>(dialog, name);
    }
    QString Text(const char* name) const { return Text(*this, name); }
    QPushButton* Button(const char* name) const { return Button(*this, name); }

  private:
    template <class T>
    static T* Child(const QDialog& dialog, const char* name) {
        T* child = dialog.findChild<T*>(QString::fromLatin1(name));
        if (!child) throw std::logic_error(std::string("no control ") + name);
        return child;
    }
};
