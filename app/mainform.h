// The main window: the catalogue, the game panel, the two game timers, and the menu commands that
// open the other windows. It shows a game; the game's state and rules are TGame's (app/game.h).
#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "app/game.h"
#include "files/gamefolder.h"
#include "records/settinghost.h"
#include "ui_mainform.h"

class QLabel;
class QPushButton;
class TPDB;
class TSetting;
class TTimer;

class TMainForm : public QMainWindow, public TSettingHost {
    Q_OBJECT

  public:
    // Window widths: the lifeline column at the right is inside the window only during a game.
    static constexpr int kIdleWidth = 503;
    static constexpr int kGameWidth = 610;
    static constexpr int kClientHeight = 313;

    // The catalogue is read from `folder`, which holds the game's files.
    explicit TMainForm(const TGameFolder& folder, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The settings dialog and the database browser, made at start after this window.
    void SetWindows(TSetting& setting, TPDB& pdb);

    const std::vector<std::string>& CatalogueList() const { return catalogueList_; }
    const TGame& Game() const { return game_; }
    // The status bar's one text panel (CP932).
    std::string StatusText() const;

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

    // Settings and help, over records/ and catalogue/.
    void LoadData() override;
    void SaveData() override;
    void Helper(int context) override;

  private:
    friend struct TestAccess;

    void ConnectHandlers();
    void ApplyLook();
    void SetClientWidth(int width);
    void SetStatusText(const std::string& text);
    void ShowQuestionPicture(const std::string& entry);
    // The answer button numbered 1 to 4, and the lifeline picture numbered 1 to 4.
    QPushButton* Answer(int n) const;
    QLabel* Saving(int n) const;
    // The button number of an answer button, TGame::TimeOutButton for the hidden one.
    int ButtonNumber(const QObject* button) const;

    Ui::TMainForm ui;
    TTimer* tmrRest;
    TTimer* tmrQuestion;
    QLabel* statusText_ = nullptr;
    TGameFolder folder_;
    std::vector<std::string> catalogueList_;
    TGame game_{catalogueList_};
    TSetting* setting_ = nullptr;
    TPDB* pdb_ = nullptr;
};
