// The main window's start-up, menus and windows, and the view of a game: each game handler
// forwards to TGame, and the window shows what the game announces.
#include "app/mainform.h"

#include <QActionGroup>
#include <QIcon>
#include <QScreen>
#include <QStatusBar>

#include "catalogue/about.h"
#include "catalogue/cataloguefolder.h"
#include "catalogue/cocktailicon.h"
#include "catalogue/help.h"
#include "catalogue/pdb.h"
#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/modal.h"
#include "platform/msgbox.h"
#include "platform/picture.h"
#include "ranking/openranking.h"
#include "records/gameresult.h"
#include "records/setting.h"
#include "ui_mainform.h"

TMainForm::TMainForm(const TGameFolder& folder, QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::TMainForm>()),
      folder_(folder),
      game_(
          catalogueList_,
          [this](const std::string& entry) {
              return LoadCocktailIcon(folder_, entry, ui->imgCocktail->devicePixelRatioF());
          },
          [this] {
              return TGame::TDisplayTexts{setting_->FieldText(TSetting::CorrectField),
                                          setting_->FieldText(TSetting::ErrorField)};
          }) {
    ui->setupUi(this);
    // The form's size is the game's client area below the menu; narrowed, the lifeline column
    // lies outside the window.
    gameWidth_ = width();
    clientHeight_ = height();
    idleWidth_ = property("idleWidth").toInt();
    statusText_ = new QLabel(ui->stb);
    statusText_->setObjectName(QStringLiteral("stbText"));
    ui->stb->addWidget(statusText_, 1);
    ApplyLook();
    ConnectHandlers();
    ConnectGame();
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::SetWindows(TSetting& setting, TPDB& pdb) {
    setting_ = &setting;
    pdb_ = &pdb;
}

void TMainForm::ApplyLook() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(QStringLiteral(":/images/app.png")));
    ui->lblRest->setFont(JapaneseFont(QStringLiteral("ＭＳ ゴシック"), 16, true));
    const qreal ratio = devicePixelRatioF();
    ui->imgNew->setPixmap(WindowPicture(QStringLiteral("new"), ratio));
    ui->imgDB->setPixmap(WindowPicture(QStringLiteral("bar"), ratio));
    const QPixmap strikeTwo = WindowPicture(QStringLiteral("lifeline2"), ratio);
    for (int n = 1; n <= 3; ++n) Saving(n)->setPixmap(strikeTwo);
    Saving(4)->setPixmap(WindowPicture(QStringLiteral("lifeline4"), ratio));
    ui->imgCocktail->setAlignment(Qt::AlignCenter);
    // The cover is empty but lies above the answer buttons and takes their clicks.
    ui->imgCover->setVisible(false);
    ui->imgCover->raise();
    ui->MainMenu->setNativeMenuBar(false);
    SetClientWidth(idleWidth_);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TMainForm::ConnectHandlers() {
    auto* counts = new QActionGroup(this);
    counts->setExclusive(true);
    for (QAction* item : ui->mnuMondai->actions()) {
        counts->addAction(item);
        connect(item, &QAction::triggered, this, Guarded([this, item] { mnu50Click(item); }));
        if (item->isChecked()) game_.PresetCount(CountOf(*item));
    }
    connect(ui->mnuStart, &QAction::triggered, this, Guarded([this] { mnuStartClick(); }));
    connect(ui->mnuStop, &QAction::triggered, this, Guarded([this] { mnuStopClick(); }));
    connect(ui->mnuEnd, &QAction::triggered, this, Guarded([this] { mnuEndClick(); }));
    connect(ui->mnuGameSetting, &QAction::triggered, this,
            Guarded([this] { mnuGameSettingClick(); }));
    connect(ui->mnuRanking, &QAction::triggered, this, Guarded([this] { mnuRankingClick(); }));
    connect(ui->mnuDB, &QAction::triggered, this, Guarded([this] { mnuDBClick(); }));
    connect(ui->mnuAbout, &QAction::triggered, this, Guarded([this] { mnuAboutClick(); }));
    connect(ui->imgNew, &TPicture::clicked, this, Guarded([this] { mnuStartClick(); }));
    connect(ui->imgDB, &TPicture::clicked, this, Guarded([this] { mnuDBClick(); }));
    for (QPushButton* button :
         {ui->spdAnswer1, ui->spdAnswer2, ui->spdAnswer3, ui->spdAnswer4, ui->spdDummy})
        connect(button, &QPushButton::clicked, this,
                Guarded([this, button] { spdAnswer1Click(button); }));
    for (TPicture* picture : {ui->imgSaving1, ui->imgSaving2, ui->imgSaving3})
        connect(picture, &TPicture::clicked, this,
                Guarded([this, picture] { imgSaving1Click(picture); }));
    connect(ui->imgSaving4, &TPicture::clicked, this, Guarded([this] { imgSaving4Click(); }));
}

// The view follows what the game announces; like every handler Qt calls, each runs in the guard.
void TMainForm::ConnectGame() {
    connect(&game_, &TGame::statusText, this,
            Guarded<const std::string&>([this](const std::string& text) { SetStatusText(text); }));
    connect(&game_, &TGame::scoreChanged, this,
            Guarded<int32_t>([this](int32_t score) { ui->lblScore->setNum(score); }));
    connect(&game_, &TGame::comboChanged, this,
            Guarded<int32_t>([this](int32_t combo) { ui->lblCombo->setNum(combo); }));
    connect(&game_, &TGame::clockChanged, this,
            Guarded<const std::string&>(
                [this](const std::string& text) { ui->lblTime->setText(FromCp932(text)); }));
    connect(&game_, &TGame::countdownChanged, this,
            Guarded<int>([this](int seconds) { ui->lblRest->setNum(seconds); }));
    connect(&game_, &TGame::gameShown, this, Guarded([this] { ShowGame(); }));
    connect(&game_, &TGame::questionShown, this,
            Guarded<int, const QImage&, const TGame::TChoices&>(
                [this](int number, const QImage& picture, const TGame::TChoices& names) {
                    ShowQuestion(number, picture, names);
                }));
    connect(&game_, &TGame::questionClosed, this, Guarded([this] { DeadTime(); }));
    connect(&game_, &TGame::lifelineStruck, this,
            Guarded<int, const std::vector<int>&>(
                [this](int lifeline, const std::vector<int>& buttons) {
                    ShowStruck(lifeline, buttons);
                }));
    connect(
        &game_, &TGame::gameFinished, this,
        Guarded<const TGameFigures&>([this](const TGameFigures& figures) { ShowResult(figures); }));
    connect(&game_, &TGame::gameStopped, this, Guarded([this] { HideGame(); }));
}

void TMainForm::FormCreate() { catalogueList_ = ReadCatalogue(folder_); }

void TMainForm::SetClientWidth(int width) {
    setFixedSize(width, ui->MainMenu->sizeHint().height() + clientHeight_);
}

// ---- Question-count menu and quitting ----

int32_t TMainForm::CountOf(const QAction& item) {
    return StrToIntDef(ToCp932(item.text()), TGame::DefaultCount);
}

void TMainForm::mnu50Click(QObject* sender) {
    auto* item = qobject_cast<QAction*>(sender);
    if (!item) return;
    item->setChecked(true);
    game_.ChooseCount(CountOf(*item));
}

void TMainForm::mnuEndClick() {
    if (game_.GameActive() == 1 &&
        !ConfirmWarning(Cp932Text("現在はゲームプレイ中ですが、終了しますか？")))
        return;
    SaveData();
    close();
}

// ---- Windows opened from the menu ----

void TMainForm::mnuGameSettingClick() { ExecModal(*setting_); }

void TMainForm::mnuDBClick() { ExecModal(*pdb_); }

void TMainForm::mnuAboutClick() { ShowAbout(catalogueList_, folder_, this); }

void TMainForm::mnuRankingClick() {
    OpenRanking(
        folder_, setting_->FieldText(TSetting::HandleField),
        setting_->FieldText(TSetting::MailField), setting_->FieldText(TSetting::UrlField),
        [this](int context) { Helper(context); }, this);
}

// ---- The game: each handler forwards to the game ----

void TMainForm::mnuStartClick() {
    if (game_.GameActive() == 1 &&
        !ConfirmWarning(
            Cp932Text("現在はゲームプレイ中ですが、すべて破棄して新しく開始しますか？")))
        return;
    game_.Start();
}

void TMainForm::mnuStopClick() { game_.Stop(); }

void TMainForm::tmrQuestionTimer() { game_.QuestionTick(); }

void TMainForm::tmrRestTimer() { game_.CountdownTick(); }

void TMainForm::spdAnswer1Click(QObject* sender) { game_.Answer(ButtonNumber(sender)); }

void TMainForm::imgSaving1Click(QObject* sender) {
    const int lifeline = LifelineNumber(sender);
    if (lifeline != 0 && lifeline != TGame::CertainAnswerLifeline) game_.UseLifeline(lifeline);
}

void TMainForm::imgSaving4Click() { game_.UseLifeline(TGame::CertainAnswerLifeline); }

// ---- The view of the game ----

void TMainForm::ShowGame() {
    ui->pnlQ->setVisible(true);
    for (int n = 1; n <= TGame::LifelineCount; ++n) Saving(n)->setVisible(true);
    SetClientWidth(gameWidth_);
}

void TMainForm::ShowQuestion(int number, const QImage& picture, const TGame::TChoices& names) {
    ui->imgCover->setVisible(false);
    for (int n = 1; n <= TGame::ButtonCount; ++n) {
        Answer(n)->setText(FromCp932(names[n - 1]));
        Answer(n)->setEnabled(true);
        Answer(n)->setVisible(true);
    }
    for (int n = 1; n <= TGame::LifelineCount; ++n) Saving(n)->setEnabled(true);
    ui->lblQuestion->setText(QStringLiteral("第 %1 問").arg(number));
    ui->imgCocktail->setPixmap(QPixmap::fromImage(picture));
}

void TMainForm::DeadTime() {
    ui->imgCover->setVisible(true);
    ui->imgCover->raise();
    for (int n = 1; n <= TGame::LifelineCount; ++n) Saving(n)->setEnabled(false);
}

void TMainForm::ShowStruck(int lifeline, const std::vector<int>& buttons) {
    Saving(lifeline)->setVisible(false);
    for (int n : buttons) Answer(n)->setVisible(false);
}

void TMainForm::ShowResult(const TGameFigures& figures) {
    TGameResult result(figures, folder_, this);
    ExecModal(result);
}

void TMainForm::HideGame() {
    ui->pnlQ->setVisible(false);
    SetClientWidth(idleWidth_);
}

// ---- Settings and help ----

void TMainForm::LoadData() {
    LoadSettings(folder_.SettingFile(), *setting_, [this](const std::string& itemName) {
        auto* item = findChild<QAction*>(FromCp932(itemName));
        if (!item || !ui->mnuMondai->actions().contains(item)) return;
        item->setChecked(true);
        game_.PresetCount(CountOf(*item));
    });
}

void TMainForm::SaveData() {
    // The installed catalogue, played from without a folder of the player's own, keeps nothing.
    if (folder_.ReadOnly()) return;
    SaveSettings(folder_.SettingFile(), *setting_, game_.QuestionCount());
}

void TMainForm::Helper(int context) { ::Helper(folder_, context); }

// ---- Helpers of the form ----

void TMainForm::SetStatusText(const std::string& text) { statusText_->setText(FromCp932(text)); }

QPushButton* TMainForm::Answer(int n) const {
    QPushButton* buttons[] = {ui->spdAnswer1, ui->spdAnswer2, ui->spdAnswer3, ui->spdAnswer4};
    return buttons[n - 1];
}

QLabel* TMainForm::Saving(int n) const {
    QLabel* pictures[] = {ui->imgSaving1, ui->imgSaving2, ui->imgSaving3, ui->imgSaving4};
    return pictures[n - 1];
}

int TMainForm::ButtonNumber(const QObject* button) const {
    for (int n = 1; n <= TGame::ButtonCount; ++n)
        if (button == Answer(n)) return n;
    return TGame::TimeOutButton;
}

int TMainForm::LifelineNumber(const QObject* picture) const {
    for (int n = 1; n <= TGame::LifelineCount; ++n)
        if (picture == Saving(n)) return n;
    return 0;
}
