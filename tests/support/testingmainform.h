// The main window and the program as the tests reach them: the game, the handlers the tests
// drive, and controls found by their names.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/game.h"
#include "app/mainform.h"
#include "app/program.h"
#include "platform/cp932.h"

class TestingMainForm : public TMainForm {
  public:
    using TMainForm::TMainForm;

    using TMainForm::FormCreate;
    using TMainForm::Game;
    using TMainForm::mnuPracticeClick;
    using TMainForm::mnuStartClick;
    using TMainForm::mnuStopClick;
    using TMainForm::tmrQuestionTimer;
    using TMainForm::tmrRestTimer;

    // The control or menu item named `name`; a name the window lacks fails the test.
    template <class T = QWidget>
    T* Control(const QString& name) const {
        T* control = findChild<T*>(name);
        if (!control) throw std::logic_error("no control " + name.toStdString());
        return control;
    }
    QPushButton* Answer(int n) const {
        return Control<QPushButton>(QStringLiteral("spdAnswer%1").arg(n));
    }
    QLabel* Saving(int n) const { return Control<QLabel>(QStringLiteral("imgSaving%1").arg(n)); }
    QString Text(const QString& label) const { return Control<QLabel>(label)->text(); }
    QString StatusText() const { return Text(QStringLiteral("stbText")); }
};

// The program's windows around a testing main window.
class TestingProgram : public TProgram {
  public:
    explicit TestingProgram(const TGameFolder& folder)
        : TProgram(std::make_unique<TestingMainForm>(folder), folder) {}
    TestingMainForm& MainForm() { return static_cast<TestingMainForm&>(TProgram::MainForm()); }
};
