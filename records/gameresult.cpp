// The result dialog's handlers.
#include "records/gameresult.h"

#include "platform/guard.h"

#include "platform/cp932.h"
#include "records/scorelog.h"

TGameResult::TGameResult(const TGameFigures& figures, const std::string& appFolder, QWidget* parent)
    : TFlatDialog(parent), appFolder_(appFolder) {
    setupUi(this);
    connect(btnOK, &QPushButton::clicked, this, Guarded([this] { btnOKClick(); }));
    connect(btnCancel, &QPushButton::clicked, this, Guarded([this] { btnCancelClick(); }));
    FinishLayout(383, 163);
    FormCreate(figures);
}

void TGameResult::FormCreate(const TGameFigures& figures) {
    lblScore->setText(QString::number(figures.Score));
    lblTime->setText(FromCp932(figures.TimeCaption));
    lblCombo->setText(FromCp932(figures.ComboCaption));
    lblSeikai->setText(QString::number(figures.CorrectCount));
    lblMondai->setText(QString::number(figures.QuestionCount));
}

void TGameResult::btnOKClick() {
    AppendRecord(
        appFolder_ + "log.dat",
        MakeRecord(ToCp932(lblMondai->text()), ToCp932(lblScore->text()), ToCp932(lblTime->text()),
                   ToCp932(lblSeikai->text()), ToCp932(lblCombo->text())));
    accept();
}

void TGameResult::btnCancelClick() { reject(); }
