// The result dialog's handlers.
#include "records/gameresult.h"

#include "platform/guard.h"

#include "platform/cp932.h"
#include "records/scorelog.h"

TGameResult::TGameResult(const TGameFigures& figures, const TGameFolder& folder, QWidget* parent)
    : TFlatDialog(parent), folder_(folder) {
    ui.setupUi(this);
    connect(ui.btnOK, &QPushButton::clicked, this, Guarded([this] { btnOKClick(); }));
    connect(ui.btnCancel, &QPushButton::clicked, this, Guarded([this] { btnCancelClick(); }));
    FinishLayout(383, 163);
    FormCreate(figures);
}

void TGameResult::FormCreate(const TGameFigures& figures) {
    ui.lblScore->setText(QString::number(figures.Score));
    ui.lblTime->setText(FromCp932(figures.TimeCaption));
    ui.lblCombo->setText(FromCp932(figures.ComboCaption));
    ui.lblSeikai->setText(QString::number(figures.CorrectCount));
    ui.lblMondai->setText(QString::number(figures.QuestionCount));
}

void TGameResult::btnOKClick() {
    AppendRecord(folder_.ScoreLog(),
                 MakeRecord(ToCp932(ui.lblMondai->text()), ToCp932(ui.lblScore->text()),
                            ToCp932(ui.lblTime->text()), ToCp932(ui.lblSeikai->text()),
                            ToCp932(ui.lblCombo->text())));
    accept();
}

void TGameResult::btnCancelClick() { reject(); }
