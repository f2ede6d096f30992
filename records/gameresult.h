// The result dialog shown at the end of a game: Save appends the game to the score log.
#pragma once

#include <memory>
#include <string>

#include "files/gamefolder.h"
#include "records/flatdialog.h"
#include "records/scorelog.h"

namespace Ui {
class TGameResult;
}

class TGameResult : public TFlatDialog {
    Q_OBJECT

  public:
    // `figures` are the finished game's; Save appends them to the score log of `folder`.
    TGameResult(const TGameFigures& figures, const TGameFolder& folder, QWidget* parent = nullptr);
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
    TGameFolder folder_;
};
