// The result dialog's handlers.
#include "records/gameresult.h"

#include "platform/cp932.h"
#include "platform/guard.h"
#include "ui_gameresult.h"

TGameResult::TGameResult(const TGameFigures& figures, const TGameFolder& folder, QWidget* parent)
    : TFlatDialog(parent), ui(std::make_unique<Ui::TGameResult>()), folder_(folder) {
    ui->setupUi(this);
    connect(ui->btnOK, &QPushButton::clicked, this, Guarded([this] { btnOKClick(); }));
    connect(ui->btnCancel, &QPushButton::clicked, this, Guarded([this] { btnCancelClick(); }));
    FinishLayout();
    FormCreate(figures);
}

TGameResult::~TGameResult() = default;

void TGameResult::FormCreate(const TGameFigures& figures) {
    figures_ = figures;
    ui->lblScore->setNum(figures.Score);
    ui->lblTime->setText(FromCp932(figures.Time));
    ui->lblCombo->setNum(figures.Combo);
    ui->lblSeikai->setNum(figures.Correct);
    ui->lblMondai->setNum(figures.Questions);
}

void TGameResult::btnOKClick() {
    AppendRecord(folder_.ScoreLog(), MakeRecord(figures_));
    accept();
}

void TGameResult::btnCancelClick() { reject(); }
