// The result dialog shown at the end of a game: Save appends the game to the score log.
#pragma once

#include <memory>
#include <string>

#include "records/flatdialog.h"
#include "records/scorelog.h"

namespace Ui {
class TGameResult;
}

class TGameResult : public TFlatDialog {
    Q_OBJECT

  public:
    // `figures` are the finished game's; `appFolder` is the CP932 folder of log.dat, ending
    // in "/".
    TGameResult(const TGameFigures& figures, const std::string& appFolder,
                QWidget* parent = nullptr);
    ~TGameResult() override;

  protected:
    // Shows the figures, which the record is later made of.
    void FormCreate(const TGameFigures& figures);
    // Appends the record and closes; a failed write leaves the dialog open.
    void btnOKClick();
    void btnCancelClick();

  private:
    std::unique_ptr<Ui::TGameResult> ui;
    TGameFigures figures_;
    std::string appFolder_;
};
