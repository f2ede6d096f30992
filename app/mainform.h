// The main window: the catalogue, the menus and the windows they open, and the view of a game.
// Its game handlers forward to TGame (app/game.h), which owns the game's flow and clocks; the
// window shows what the game announces.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "app/game.h"
#include "files/gamefolder.h"
#include "records/history.h"
#include "records/reviewmiss.h"
#include "records/settinghost.h"

class QAction;
class QLabel;
class QPushButton;
class TPDB;
class TSetting;

namespace Ui {
class TMainForm;
}

class TMainForm : public QMainWindow, public TSettingHost {
    Q_OBJECT

  public:
    // The catalogue is read from `folder`, which holds the game's files.
    explicit TMainForm(const TGameFolder& folder, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The settings dialog and the database browser, made at start after this window.
    void SetWindows(TSetting& setting, TPDB& pdb);

    const std::vector<std::string>& CatalogueList() const { return catalogueList_; }

  protected:
    const TGame& Game() const { return game_; }

    // The handlers of the design: menus, pictures, buttons and the game's two timers.
    void FormCreate();
    void mnu50Click(QObject* sender);
    void mnuStartClick();
    void mnuStopClick();
    void mnuEndClick();
    void mnuGameSettingClick();
    void mnuDBClick();
    void mnuAboutClick();
    void mnuRankingClick();
    void tmrQuestionTimer();
    void tmrRestTimer();
    void DeadTime();
    void spdAnswer1Click(QObject* sender);
    void imgSaving1Click(QObject* sender);
    void imgSaving4Click();
    // The review of the last game's misses, and a practice round of the most-missed cocktails.
    void mnuReviewClick();
    void mnuPracticeClick();

  private:
    // Settings and help, over records/ and catalogue/, for the settings dialog.
    void LoadData() override;
    void SaveData() override;
    void Helper(int context) override;

    void ConnectHandlers();
    // The keys of the game window: answers, lifelines, pause and help.
    void ConnectKeys();
    void ConnectGame();
    void ApplyLook();
    void SetClientWidth(int width);
    void SetStatusText(const std::string& text);
    // The view of what the game announces.
    void ShowGame();
    void ShowQuestion(int number, const QImage& picture, const TGame::TChoices& names);
    void ShowStruck(int lifeline, const std::vector<int>& buttons);
    void ShowResult(const TGameFigures& figures);
    void ShowPracticeEnd(int32_t correct, int32_t count);
    void HideGame();
    // After a miss, the right answer's button and the picked one are marked until the next
    // question; `mark` is the buttons' "verdict" property, empty for none.
    void ShowVerdict(int answer, int picked);
    void MarkAnswer(int n, const char* mark);
    void ShowPause(bool paused);
    // Keeps the finished game's misses for the review and tells the player where it is.
    void OfferReview(QString status);
    // Asks before a running game is thrown away; true to go on.
    bool MayDiscardGame();
    void StartPractice(const std::vector<std::string>& entries);
    void RecordAnswer(const std::string& entry, bool correct);
    void SaveHistory();
    // The count a question-count item stands for.
    static int32_t CountOf(const QAction& item);
    // The answer button numbered 1 to 4, and the lifeline picture numbered 1 to 4.
    QPushButton* Answer(int n) const;
    QLabel* Saving(int n) const;
    // The button number of an answer button, TGame::TimeOutButton for the hidden one; the
    // lifeline number of a lifeline picture, 0 for anything else.
    int ButtonNumber(const QObject* button) const;
    int LifelineNumber(const QObject* picture) const;

    std::unique_ptr<Ui::TMainForm> ui;
    QLabel* statusText_ = nullptr;
    // The window's widths with the game panel hidden and shown, and the height of its client
    // area below the menu, as its form gives them.
    int idleWidth_ = 0;
    int gameWidth_ = 0;
    int clientHeight_ = 0;
    TGameFolder folder_;
    std::vector<std::string> catalogueList_;
    TGame game_;
    TPlayerHistory history_;
    // Answers were counted since history.dat was last written.
    bool historyChanged_ = false;
    std::vector<ReviewMiss> reviewMisses_;
    QString title_;
    TSetting* setting_ = nullptr;
    TPDB* pdb_ = nullptr;
};
