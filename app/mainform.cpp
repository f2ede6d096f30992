// The main window's start-up, menus and windows, and the view of a game: each game handler
// forwards to TGame and shows what it says.
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
#include "platform/exception.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/modal.h"
#include "platform/msgbox.h"
#include "platform/picture.h"
#include "platform/timer.h"
#include "ranking/openranking.h"
#include "records/gameresult.h"
#include "records/setting.h"

TMainForm::TMainForm(const TGameFolder& folder, QWidget* parent)
    : QMainWindow(parent),
      tmrRest(new TTimer(this)),
      tmrQuestion(new TTimer(this)),
      folder_(folder) {
    ui.setupUi(this);
    statusText_ = new QLabel(ui.stb);
    statusText_->setObjectName(QStringLiteral("stbText"));
    ui.stb->addWidget(statusText_, 1);
    tmrRest->SetEnabled(false);
    tmrQuestion->SetEnabled(false);
    tmrRest->SetInterval(1000);
    tmrQuestion->SetInterval(1000);
    ApplyLook();
    ConnectHandlers();
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
    ui.lblRest->setFont(JapaneseFont(QStringLiteral("ＭＳ ゴシック"), 16, true));
    const qreal ratio = devicePixelRatioF();
    ui.imgNew->setPixmap(WindowPicture(QStringLiteral("new"), ratio));
    ui.imgDB->setPixmap(WindowPicture(QStringLiteral("bar"), ratio));
    const QPixmap strikeTwo = WindowPicture(QStringLiteral("lifeline2"), ratio);
    for (int n = 1; n <= 3; ++n) Saving(n)->setPixmap(strikeTwo);
    Saving(4)->setPixmap(WindowPicture(QStringLiteral("lifeline4"), ratio));
    ui.imgCocktail->setAlignment(Qt::AlignCenter);
    // The cover is empty but lies above the answer buttons and takes their clicks.
    ui.imgCover->setVisible(false);
    ui.imgCover->raise();
    ui.MainMenu->setNativeMenuBar(false);
    SetClientWidth(kIdleWidth);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TMainForm::ConnectHandlers() {
    auto* counts = new QActionGroup(this);
    counts->setExclusive(true);
    for (QAction* item : ui.mnuMondai->actions()) {
        counts->addAction(item);
        connect(item, &QAction::triggered, this, Guarded([this, item] { mnu50Click(item); }));
    }
    connect(ui.mnuStart, &QAction::triggered, this, Guarded([this] { mnuStartClick(); }));
    connect(ui.mnuStop, &QAction::triggered, this, Guarded([this] { mnuStopClick(); }));
    connect(ui.mnuEnd, &QAction::triggered, this, Guarded([this] { mnuEndClick(); }));
    connect(ui.mnuGameSetting, &QAction::triggered, this,
            Guarded([this] { mnuGameSettingClick(); }));
    connect(ui.mnuRanking, &QAction::triggered, this, Guarded([this] { mnuRankingClick(); }));
    connect(ui.mnuDB, &QAction::triggered, this, Guarded([this] { mnuDBClick(); }));
    connect(ui.mnuAbout, &QAction::triggered, this, Guarded([this] { mnuAboutClick(); }));
    connect(ui.imgNew, &TPicture::clicked, this, Guarded([this] { mnuStartClick(); }));
    connect(ui.imgDB, &TPicture::clicked, this, Guarded([this] { mnuDBClick(); }));
    for (QPushButton* button :
         {ui.spdAnswer1, ui.spdAnswer2, ui.spdAnswer3, ui.spdAnswer4, ui.spdDummy})
        connect(button, &QPushButton::clicked, this,
                Guarded([this, button] { spdAnswer1Click(button); }));
    for (TPicture* picture : {ui.imgSaving1, ui.imgSaving2, ui.imgSaving3})
        connect(picture, &TPicture::clicked, this,
                Guarded([this, picture] { imgSaving1Click(picture); }));
    connect(ui.imgSaving4, &TPicture::clicked, this, Guarded([this] { imgSaving4Click(); }));
    tmrRest->OnTimer = [this] { tmrRestTimer(); };
    tmrQuestion->OnTimer = [this] { tmrQuestionTimer(); };
}

void TMainForm::FormCreate() { catalogueList_ = ReadCatalogue(folder_); }

void TMainForm::SetClientWidth(int width) {
    setFixedSize(width, ui.MainMenu->sizeHint().height() + kClientHeight);
}

// ---- Question-count menu and quitting ----

void TMainForm::mnu50Click(QObject* sender) {
    auto* item = qobject_cast<QAction*>(sender);
    if (!item) return;
    item->setChecked(true);
    game_.SetQuestionCount(StrToIntDef(ToCp932(item->text()), 50));
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

// ---- The game ----

void TMainForm::mnuStartClick() {
    if (game_.GameActive() == 1 &&
        !ConfirmWarning(
            Cp932Text("現在はゲームプレイ中ですが、すべて破棄して新しく開始しますか？")))
        return;
    SetStatusText(Cp932Text("現在問題をシャッフル中です..."));
    int32_t count = 0;
    for (QAction* item : ui.mnuMondai->actions()) {
        if (item->isChecked()) {
            count = StrToIntDef(ToCp932(item->text()), 0);
            break;
        }
    }
    game_.Start(count);
    ui.lblScore->setText(QStringLiteral("0"));
    ui.lblCombo->setText(QStringLiteral("0"));
    ui.lblTime->setText(FromCp932(TGame::ClockText(0)));
    tmrQuestion->SetEnabled(true);
}

void TMainForm::tmrQuestionTimer() {
    if (game_.GameActive() != 1) {
        tmrQuestion->SetEnabled(false);
        return;
    }
    if (game_.AllQuestionsShown()) {
        tmrQuestion->SetEnabled(false);
        TGameResult result(TGameFigures{game_.Score(), game_.CorrectCount(), game_.QuestionCount(),
                                        ToCp932(ui.lblTime->text()), ToCp932(ui.lblCombo->text())},
                           folder_, this);
        ExecModal(result);
        mnuStopClick();
        return;
    }
    if (game_.QuestionIndex() == 0) {
        ui.pnlQ->setVisible(true);
        for (int n = 1; n <= 4; ++n) Saving(n)->setVisible(true);
        SetClientWidth(kGameWidth);
    }
    ui.imgCover->setVisible(false);
    for (int n = 1; n <= 4; ++n) {
        Answer(n)->setText(QString());
        Answer(n)->setEnabled(true);
        Answer(n)->setVisible(true);
        Saving(n)->setEnabled(true);
    }
    SetStatusText("");
    ui.lblQuestion->setText(QStringLiteral("第 %1 問").arg(game_.QuestionIndex() + 1));
    ShowQuestionPicture(game_.NextEntry());
    const std::array<std::string, 4> names = game_.NextQuestion();
    for (int n = 1; n <= 4; ++n) Answer(n)->setText(FromCp932(names[n - 1]));
    ui.lblRest->setText(QString::number(game_.Countdown()));
    tmrRest->SetEnabled(true);
    tmrQuestion->SetEnabled(false);
}

void TMainForm::ShowQuestionPicture(const std::string& entry) {
    QImage picture;
    try {
        picture = LoadCocktailIcon(folder_, entry, ui.imgCocktail->devicePixelRatioF());
    } catch (const Exception&) {
        // One message, and the game stops cleanly instead of failing again at every tick.
        tmrQuestion->SetEnabled(false);
        mnuStopClick();
        throw;
    }
    ui.imgCocktail->setPixmap(QPixmap::fromImage(picture));
}

void TMainForm::tmrRestTimer() {
    const bool timedOut = game_.CountDown();
    ui.lblRest->setText(QString::number(game_.Countdown()));
    if (timedOut) {
        DeadTime();
        spdAnswer1Click(ui.spdDummy);
        tmrRest->SetEnabled(false);
    }
}

void TMainForm::DeadTime() {
    ui.imgCover->setVisible(true);
    ui.imgCover->raise();
    for (int n = 1; n <= 4; ++n) Saving(n)->setEnabled(false);
}

void TMainForm::mnuStopClick() {
    game_.Stop();
    ui.pnlQ->setVisible(false);
    SetClientWidth(kIdleWidth);
}

void TMainForm::spdAnswer1Click(QObject* sender) {
    tmrRest->SetEnabled(false);
    DeadTime();
    const TGame::TVerdict verdict =
        game_.Judge(ButtonNumber(sender), setting_->FieldText(TSetting::CorrectField),
                    setting_->FieldText(TSetting::ErrorField));
    if (!verdict.Judged) return;
    if (verdict.Correct) {
        SetStatusText(Cp932Text("○正解！！"));
        ui.lblScore->setText(QString::number(game_.Score()));
    } else {
        SetStatusText(Cp932Text("×不正解！！『") + verdict.Answer + Cp932Text("』です..."));
    }
    tmrQuestion->SetInterval(verdict.DisplayMs);
    ui.lblTime->setText(FromCp932(TGame::ClockText(game_.ElapsedMs())));
    ui.lblCombo->setText(QString::number(game_.Combo()));
    tmrQuestion->SetEnabled(true);
}

// ---- Lifelines ----

void TMainForm::imgSaving1Click(QObject* sender) {
    auto* picture = qobject_cast<QLabel*>(sender);
    if (!picture) return;
    const std::optional<std::array<int, 2>> struck = game_.StrikeTwo();
    if (!struck) {
        SetStatusText(Cp932Text("すでに救済処置を使っているので使えません！"));
        return;
    }
    picture->setVisible(false);
    for (int n : *struck) Answer(n)->setVisible(false);
}

void TMainForm::imgSaving4Click() {
    const std::optional<int> answer = game_.CertainAnswer();
    if (!answer) {
        SetStatusText(Cp932Text("すでに救済処置を使っているので使えません！"));
        return;
    }
    ui.imgSaving4->setVisible(false);
    for (int n = 1; n <= 4; ++n) Answer(n)->setVisible(n == *answer);
}

// ---- Settings and help ----

void TMainForm::LoadData() {
    LoadSettings(folder_.SettingFile(), *setting_, [this](const std::string& itemName) {
        if (auto* item = findChild<QAction*>(FromCp932(itemName))) {
            if (ui.mnuMondai->actions().contains(item)) item->setChecked(true);
        }
    });
}

void TMainForm::SaveData() {
    // The installed catalogue, played from without a folder of the player's own, keeps nothing.
    if (folder_.ReadOnly()) return;
    SaveSettings(folder_.SettingFile(), *setting_, game_.QuestionCount());
}

void TMainForm::Helper(int context) { ::Helper(folder_, context); }

// ---- Helpers of the form ----

std::string TMainForm::StatusText() const { return ToCp932(statusText_->text()); }

void TMainForm::SetStatusText(const std::string& text) { statusText_->setText(FromCp932(text)); }

QPushButton* TMainForm::Answer(int n) const {
    QPushButton* buttons[] = {ui.spdAnswer1, ui.spdAnswer2, ui.spdAnswer3, ui.spdAnswer4};
    return buttons[n - 1];
}

QLabel* TMainForm::Saving(int n) const {
    QLabel* pictures[] = {ui.imgSaving1, ui.imgSaving2, ui.imgSaving3, ui.imgSaving4};
    return pictures[n - 1];
}

int TMainForm::ButtonNumber(const QObject* button) const {
    for (int n = 1; n <= 4; ++n)
        if (button == Answer(n)) return n;
    return TGame::TimeOutButton;
}
