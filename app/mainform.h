// The main window: the catalogue, the game state, the two game timers, and the menu commands that
// open the other windows. Game rules live in app/game.h; this form shows them and keeps the state.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <string>
#include <vector>

#include "records/settinghost.h"
#include "records/stringfile.h"
#include "ui_mainform.h"

class QLabel;
class TPDB;
class TSetting;
class TTimer;

class TMainForm : public QMainWindow, public TSettingHost {
  public:
    // Window widths: the lifeline column at the right is inside the window only during a game.
    static constexpr int kIdleWidth = 503;
    static constexpr int kGameWidth = 610;
    static constexpr int kClientHeight = 313;

    // `appFolder` is the program's folder (CP932, ending in "/"); the catalogue is read from it.
    explicit TMainForm(const std::string& appFolder, QWidget* parent = nullptr);
    ~TMainForm() override;

    Ui::TMainForm ui;
    TTimer* tmrRest;
    TTimer* tmrQuestion;
    // The windows made at start, set by the program entry.
    TSetting* Setting = nullptr;
    TPDB* PDB = nullptr;

    std::string AppFolder;
    std::vector<std::string> CatalogueList;
    int32_t QuestionCount = 0;
    uint8_t GameActive = 0;
    std::vector<std::string>* QuestionOrder = nullptr;
    int32_t QuestionIndex = 0;
    uint32_t QuestionStartTick = 0;
    bool LifelineReady = false;
    int32_t ElapsedMs = 0;
    int32_t Score = 0;
    int32_t CorrectCount = 0;
    int32_t Combo = 0;

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

    // Settings, records and help, over records/ and catalogue/.
    void LoadData() override;
    void SaveData() override;
    void Helper(int context) override;
    int32_t Checksum(const std::string& text) const;
    void FindFile(const std::string& fileName, TSearchRec& rec) const;
    void LoadStringFromFile(const std::string& fileName, std::string& text) const;
    void SaveStringToFile(const std::string& fileName, const std::string& text) const;

    // The status bar's one text panel (CP932).
    std::string StatusText() const;
    void SetStatusText(const std::string& text);

    // The answer button numbered 1 to 4, and the lifeline picture numbered 1 to 4.
    QPushButton* Answer(int n) const;
    QLabel* Saving(int n) const;
    // A button's mark: 0 for the open question's answer, 1 for a wrong choice.
    static int Tag(const QObject* control);

  private:
    void ConnectHandlers();
    void ApplyLook();
    void SetClientWidth(int width);
    void ShowQuestionPicture(const std::string& entry);
    QLabel* statusText_;
};
