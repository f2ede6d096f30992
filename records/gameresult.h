// The result dialog shown at the end of a game: Save appends the game to the score log.
#pragma once

#include <cstdint>
#include <string>

#include "files/gamefolder.h"
#include "records/flatdialog.h"
#include "ui_gameresult.h"

// The figures of a finished game, as the main window holds them; captions are CP932.
struct TGameFigures {
    int32_t Score;
    int32_t CorrectCount;
    int32_t QuestionCount;
    std::string TimeCaption;
    std::string ComboCaption;
};

class TGameResult : public TFlatDialog {
    Q_OBJECT

  public:
    // Save appends to the score log of `folder`.
    TGameResult(const TGameFigures& figures, const TGameFolder& folder, QWidget* parent = nullptr);

    // Copies the figures into the labels; the record is later built from the labels.
    void FormCreate(const TGameFigures& figures);
    // Appends the record and closes; a failed write leaves the dialog open.
    void btnOKClick();
    void btnCancelClick();

  private:
    friend struct TestAccess;

    Ui::TGameResult ui;
    TGameFolder folder_;
};
