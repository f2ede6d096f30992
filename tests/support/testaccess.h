// Reaches into the main window and the result dialog for their tests, which name this struct their
// friend; the other windows' tests use their Testing subclasses (tests/support/testing*.h).
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <type_traits>

class TSetting;
class TRanking;

// The controls that tests not yet moved to a window's Testing subclass reach in the dialogs
// whose layouts are now private, found by name (null where a window has none of the name).
struct NamedDialogControls {
    explicit NamedDialogControls(const QObject& window)
        : cmbError(window.findChild<QComboBox*>(QStringLiteral("cmbError"))),
          cmbCorrect(window.findChild<QComboBox*>(QStringLiteral("cmbCorrect"))),
          cmbMondai(window.findChild<QComboBox*>(QStringLiteral("cmbMondai"))),
          txtHN(window.findChild<QLineEdit*>(QStringLiteral("txtHN"))),
          memComment(window.findChild<QPlainTextEdit*>(QStringLiteral("memComment"))),
          lsRanking(window.findChild<QTableWidget*>(QStringLiteral("lsRanking"))),
          btnOK(window.findChild<QPushButton*>(QStringLiteral("btnOK"))) {}
    QComboBox* cmbError;
    QComboBox* cmbCorrect;
    QComboBox* cmbMondai;
    QLineEdit* txtHN;
    QPlainTextEdit* memComment;
    QTableWidget* lsRanking;
    QPushButton* btnOK;
};

struct TestAccess {
    // The window's generated layout: every control by its name. The dialogs whose layouts are
    // private are reached by their controls' names.
    template <class Window>
    static decltype(auto) Ui(Window& window) {
        if constexpr (std::is_same_v<Window, TSetting> || std::is_same_v<Window, TRanking>)
            return NamedDialogControls(window);
        else
            return (window.ui);
    }
    // The main window's countdown and question timers, answer buttons and lifeline pictures.
    template <class Form>
    static auto& RestTimer(Form& form) {
        return *form.tmrRest;
    }
    template <class Form>
    static auto& QuestionTimer(Form& form) {
        return *form.tmrQuestion;
    }
    template <class Form>
    static auto* Answer(Form& form, int n) {
        return form.Answer(n);
    }
    template <class Form>
    static auto* Saving(Form& form, int n) {
        return form.Saving(n);
    }
};
