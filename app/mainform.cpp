// The main window's start-up, menus, game flow, judging and lifelines.
#include "app/mainform.h"

#include <QActionGroup>
#include <QIcon>
#include <QScreen>
#include <QStatusBar>

#include "app/game.h"
#include "catalogue/about.h"
#include "catalogue/cataloguefolder.h"
#include "catalogue/cocktaildb.h"
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
#include "platform/tick.h"
#include "platform/timer.h"
#include "ranking/openranking.h"
#include "records/checksum.h"
#include "records/gameresult.h"
#include "records/setting.h"

namespace {
std::string Sjis(const QString& text) { return ToCp932(text); }
}  // namespace

TMainForm::TMainForm(const std::string& appFolder, QWidget* parent)
    : QMainWindow(parent),
      tmrRest(new TTimer(this)),
      tmrQuestion(new TTimer(this)),
      AppFolder(appFolder) {
    ui.setupUi(this);
    statusText_ = new QLabel(ui.stb);
    statusText_->setObjectName(QStringLiteral("stbText"));
    ui.stb->addWidget(statusText_, 1);
    tmrRest->SetEnabled(false);
    tmrQuestion->SetEnabled(false);
    tmrRest->SetInterval(1000);
    tmrQuestion->SetInterval(1000);
    for (int n = 1; n <= 4; ++n) Answer(n)->setProperty("Tag", 1);
    ui.spdDummy->setProperty("Tag", 1);
    ApplyLook();
    ConnectHandlers();
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::ApplyLook() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(QStringLiteral(":/images/app.png")));
    setFont(UiFont());
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

void TMainForm::FormCreate() {
    CatalogueList = ReadCatalogue(AppFolder);
    GameActive = 0;
}

void TMainForm::SetClientWidth(int width) {
    setFixedSize(width, ui.MainMenu->sizeHint().height() + kClientHeight);
}

// ---- Question-count menu and quitting ----

void TMainForm::mnu50Click(QObject* sender) {
    auto* item = qobject_cast<QAction*>(sender);
    if (!item) return;
    item->setChecked(true);
    QuestionCount = StrToIntDef(ToCp932(item->text()), 50);
}

void TMainForm::mnuEndClick() {
    if (GameActive == 1 &&
        !ConfirmWarning(Sjis(QStringLiteral("現在はゲームプレイ中ですが、終了しますか？"))))
        return;
    SaveData();
    close();
}

// ---- Windows opened from the menu ----

void TMainForm::mnuGameSettingClick() { ExecModal(*Setting); }

void TMainForm::mnuDBClick() { ExecModal(*PDB); }

void TMainForm::mnuAboutClick() { ShowAbout(CatalogueList, AppFolder, this); }

void TMainForm::mnuRankingClick() {
    OpenRanking(
        AppFolder, ToCp932(Setting->txtHN->text()), ToCp932(Setting->txtMail->text()),
        ToCp932(Setting->txtURL->text()), [this](int context) { Helper(context); }, this);
}

// ---- The game ----

void TMainForm::mnuStartClick() {
    if (GameActive == 1 && !ConfirmWarning(Sjis(QStringLiteral(
                               "現在はゲームプレイ中ですが、すべて破棄して新しく開始しますか？"))))
        return;
    QuestionOrder = &CatalogueList;
    SetStatusText(Sjis(QStringLiteral("現在問題をシャッフル中です...")));
    ShuffleQuestions(*QuestionOrder);
    GameActive = 1;
    QuestionIndex = 0;
    ElapsedMs = 0;
    Score = 0;
    Combo = 0;
    CorrectCount = 0;
    ui.lblScore->setText(QStringLiteral("0"));
    ui.lblCombo->setText(QStringLiteral("0"));
    ui.lblTime->setText(FromCp932(ClockText(0)));
    for (QAction* item : ui.mnuMondai->actions()) {
        if (item->isChecked()) {
            QuestionCount = StrToIntDef(ToCp932(item->text()), 0);
            break;
        }
    }
    tmrQuestion->SetEnabled(true);
}

void TMainForm::tmrQuestionTimer() {
    if (GameActive != 1) {
        tmrQuestion->SetEnabled(false);
        return;
    }
    // At or past the count (a count lowered during the game), the game ends.
    if (QuestionIndex >= QuestionCount) {
        tmrQuestion->SetEnabled(false);
        TGameResult result(TGameFigures{Score, CorrectCount, QuestionCount,
                                        ToCp932(ui.lblTime->text()), ToCp932(ui.lblCombo->text())},
                           AppFolder, this);
        ExecModal(result);
        mnuStopClick();
        return;
    }
    if (QuestionIndex == 0) {
        ui.pnlQ->setVisible(true);
        for (int n = 1; n <= 4; ++n) Saving(n)->setVisible(true);
        SetClientWidth(kGameWidth);
    }
    LifelineReady = true;
    ui.imgCover->setVisible(false);
    for (int n = 1; n <= 4; ++n) Answer(n)->setText(QString());
    for (int n = 1; n <= 4; ++n) {
        Answer(n)->setEnabled(true);
        Answer(n)->setVisible(true);
        Saving(n)->setEnabled(true);
    }
    SetStatusText("");
    ui.lblQuestion->setText(QStringLiteral("第 %1 問").arg(QuestionIndex + 1));
    const std::vector<std::string>& order = *QuestionOrder;
    ShowQuestionPicture(order[QuestionIndex]);

    const std::array<int, 3> wrong =
        DrawWrongChoices(QuestionIndex, static_cast<int>(order.size()));
    const std::array<int, 4> buttons = PlaceChoices();
    for (int choice = 0; choice < 3; ++choice) {
        Answer(buttons[choice])->setText(FromCp932(NameWithoutExtension(order[wrong[choice]])));
        Answer(buttons[choice])->setProperty("Tag", 1);
    }
    Answer(buttons[3])->setText(FromCp932(NameWithoutExtension(order[QuestionIndex])));
    Answer(buttons[3])->setProperty("Tag", 0);

    ui.lblRest->setText(QString::number(kCountdownSeconds));
    tmrRest->SetEnabled(true);
    ++QuestionIndex;
    QuestionStartTick = GetTickCount();
    tmrQuestion->SetEnabled(false);
}

void TMainForm::ShowQuestionPicture(const std::string& entry) {
    QImage picture;
    try {
        picture = LoadCocktailIcon(AppFolder, entry, ui.imgCocktail->devicePixelRatioF());
    } catch (const Exception&) {
        // One message, and the game stops cleanly instead of failing again at every tick.
        tmrQuestion->SetEnabled(false);
        mnuStopClick();
        throw;
    }
    ui.imgCocktail->setPixmap(QPixmap::fromImage(picture));
}

void TMainForm::tmrRestTimer() {
    const int rest = StrToIntDef(ToCp932(ui.lblRest->text()), 0) - 1;
    ui.lblRest->setText(QString::number(rest));
    if (ui.lblRest->text() == QLatin1String("0")) {
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
    GameActive = 0;
    ui.pnlQ->setVisible(false);
    SetClientWidth(kIdleWidth);
}

void TMainForm::spdAnswer1Click(QObject* sender) {
    tmrRest->SetEnabled(false);
    DeadTime();
    // A question left open across a confirmed restart has no entry to judge: it simply ends.
    if (QuestionIndex < 1) return;
    uint32_t answerMs;
    if (Tag(sender) != 0) {
        answerMs = kWrongAnswerMs;
        SetStatusText(Sjis(QStringLiteral("×不正解！！『")) +
                      NameWithoutExtension((*QuestionOrder)[QuestionIndex - 1]) +
                      Sjis(QStringLiteral("』です...")));
        tmrQuestion->SetInterval(
            DisplayTime(ToCp932(Setting->cmbError->currentText()), kWrongDisplayFallback));
        Combo = Combo / 2;
    } else {
        answerMs = GetTickCount() - QuestionStartTick;
        SetStatusText(Sjis(QStringLiteral("○正解！！")));
        tmrQuestion->SetInterval(
            DisplayTime(ToCp932(Setting->cmbCorrect->currentText()), kCorrectDisplayFallback));
        ++Combo;
        ++CorrectCount;
        Score += AnswerPoints(answerMs, Combo);
        ui.lblScore->setText(QString::number(Score));
    }
    ElapsedMs += static_cast<int32_t>(answerMs);
    ui.lblTime->setText(FromCp932(ClockText(ElapsedMs)));
    ui.lblCombo->setText(QString::number(Combo));
    tmrQuestion->SetEnabled(true);
}

// ---- Lifelines ----

void TMainForm::imgSaving1Click(QObject* sender) {
    auto* picture = qobject_cast<QLabel*>(sender);
    if (!picture) return;
    if (!LifelineReady) {
        SetStatusText(Sjis(QStringLiteral("すでに救済処置を使っているので使えません！")));
        return;
    }
    LifelineReady = false;
    picture->setVisible(false);
    int correct = 1;
    while (correct < 4 && Tag(Answer(correct)) != 0) ++correct;
    for (int n : StrikeTwo(correct)) Answer(n)->setVisible(false);
}

void TMainForm::imgSaving4Click() {
    if (!LifelineReady) {
        SetStatusText(Sjis(QStringLiteral("すでに救済処置を使っているので使えません！")));
        return;
    }
    LifelineReady = false;
    ui.imgSaving4->setVisible(false);
    for (int n = 1; n <= 4; ++n) Answer(n)->setVisible(Tag(Answer(n)) == 0);
}

// ---- Settings, records and help ----

void TMainForm::LoadData() {
    LoadSettings(AppFolder + "setting.dat", *Setting, [this](const std::string& itemName) {
        if (auto* item = findChild<QAction*>(FromCp932(itemName))) {
            if (ui.mnuMondai->actions().contains(item)) item->setChecked(true);
        }
    });
}

void TMainForm::SaveData() { SaveSettings(AppFolder + "setting.dat", *Setting, QuestionCount); }

void TMainForm::Helper(int context) { ::Helper(AppFolder, context); }

int32_t TMainForm::Checksum(const std::string& text) const { return ::Checksum(text); }

void TMainForm::FindFile(const std::string& fileName, TSearchRec& rec) const {
    ::FindFile(fileName, rec);
}

void TMainForm::LoadStringFromFile(const std::string& fileName, std::string& text) const {
    ::LoadStringFromFile(fileName, text);
}

void TMainForm::SaveStringToFile(const std::string& fileName, const std::string& text) const {
    ::SaveStringToFile(fileName, text);
}

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

int TMainForm::Tag(const QObject* control) { return control->property("Tag").toInt(); }
