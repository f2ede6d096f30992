// The main window's start-up, menus and windows, and the view of a game: each game handler
// forwards to TGame, and the window shows what the game announces.
#include "app/mainform.h"

#include <QActionGroup>
#include <QDateTime>
#include <QIcon>
#include <QKeySequence>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>
#include <functional>

#include "app/confirm.h"
#include "catalogue/about.h"
#include "catalogue/cataloguefolder.h"
#include "catalogue/cocktaildb.h"
#include "catalogue/cocktailicon.h"
#include "catalogue/help.h"
#include "catalogue/pdb.h"
#include "catalogue/recipes.h"
#include "catalogue/review.h"
#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/modal.h"
#include "platform/picture.h"
#include "ranking/openranking.h"
#include "records/gameresult.h"
#include "records/setting.h"
#include "ui_mainform.h"

namespace {
// The keys of a game: answers 1 to 4, the lifelines from the top (the keys below the answers'),
// pause, and the help's "how to play".
constexpr Qt::Key AnswerKeys[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4};
constexpr Qt::Key LifelineKeys[] = {Qt::Key_Q, Qt::Key_W, Qt::Key_E, Qt::Key_R};
constexpr Qt::Key PauseKeys[] = {Qt::Key_Space, Qt::Key_P};
constexpr int HowToPlayTopic = 1;
// A practice round from the history asks at most this many cocktails.
constexpr size_t PracticeSize = 10;

QString KeyName(Qt::Key key) { return QKeySequence(key).toString(QKeySequence::NativeText); }
}  // namespace

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
    title_ = windowTitle();
    ApplyLook();
    ConnectHandlers();
    ConnectKeys();
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
    for (int n = 1; n <= TGame::ButtonCount; ++n) {
        Answer(n)->setToolTip(QStringLiteral("%1キーでも選べます").arg(KeyName(AnswerKeys[n - 1])));
        Saving(n)->setToolTip(Saving(n)->toolTip() +
                              QStringLiteral("（%1キー）").arg(KeyName(LifelineKeys[n - 1])));
    }
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
    connect(ui->mnuReview, &QAction::triggered, this, Guarded([this] { mnuReviewClick(); }));
    connect(ui->mnuPractice, &QAction::triggered, this, Guarded([this] { mnuPracticeClick(); }));
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

// Window shortcuts: they act while this window is the active one, whatever has the focus, and
// never while a menu or a modal dialog is open. Each goes where the click on its control goes.
void TMainForm::ConnectKeys() {
    const auto addKey = [this](const QList<QKeySequence>& keys, std::function<void()> handler) {
        auto* key = new QAction(this);
        key->setShortcuts(keys);
        key->setShortcutContext(Qt::WindowShortcut);
        addAction(key);
        connect(key, &QAction::triggered, this, Guarded(std::move(handler)));
    };
    for (int n = 1; n <= TGame::ButtonCount; ++n) {
        const Qt::Key key = AnswerKeys[n - 1];
        addKey({QKeySequence(key), QKeySequence(Qt::KeypadModifier | key)},
               [this, n] { game_.Answer(n); });
        addKey({QKeySequence(LifelineKeys[n - 1])}, [this, n] { game_.UseLifeline(n); });
    }
    addKey({QKeySequence(PauseKeys[0]), QKeySequence(PauseKeys[1])},
           [this] { game_.TogglePause(); });
    addKey({QKeySequence(QKeySequence::HelpContents)}, [this] { Helper(HowToPlayTopic); });
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
    connect(&game_, &TGame::questionJudged, this,
            Guarded<const std::string&, int, int>(
                [this](const std::string& entry, int answer, int picked) {
                    ShowVerdict(answer, picked);
                    RecordAnswer(entry, answer == picked);
                }));
    connect(&game_, &TGame::pauseChanged, this,
            Guarded<bool>([this](bool paused) { ShowPause(paused); }));
    connect(&game_, &TGame::practiceFinished, this,
            Guarded<int32_t, int32_t>(
                [this](int32_t correct, int32_t count) { ShowPracticeEnd(correct, count); }));
    connect(&game_, &TGame::lifelineStruck, this,
            Guarded<int, const std::vector<int>&>(
                [this](int lifeline, const std::vector<int>& buttons) {
                    ShowStruck(lifeline, buttons);
                }));
    connect(
        &game_, &TGame::gameFinished, this,
        Guarded<const TGameFigures&>([this](const TGameFigures& figures) { ShowResult(figures); }));
    connect(&game_, &TGame::gameStopped, this, Guarded([this] {
        HideGame();
        SaveHistory();
    }));
}

void TMainForm::FormCreate() {
    catalogueList_ = ReadCatalogue(folder_);
    history_ = TPlayerHistory::Load(folder_.HistoryFile());
}

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

bool TMainForm::MayDiscardGame() {
    return game_.GameActive() != 1 ||
           ConfirmWarning(
               Cp932Text("現在はゲームプレイ中ですが、すべて破棄して新しく開始しますか？"));
}

void TMainForm::mnuStartClick() {
    if (!MayDiscardGame()) return;
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

// ---- Review and practice ----

void TMainForm::mnuReviewClick() {
    std::vector<std::string> practise;
    TReview review(folder_, reviewMisses_, RecipeBook::Load(folder_), history_, this);
    connect(&review, &TReview::PracticeRequested, this,
            Guarded<const std::vector<std::string>&>(
                [&practise](const std::vector<std::string>& entries) { practise = entries; }));
    ExecModal(review);
    if (!practise.empty()) StartPractice(practise);
}

void TMainForm::mnuPracticeClick() {
    std::vector<std::string> entries;
    for (const std::string& name :
         history_.PracticeOrder(SIZE_MAX, QDateTime::currentSecsSinceEpoch())) {
        const auto entry =
            std::find_if(catalogueList_.begin(), catalogueList_.end(),
                         [&name](const std::string& e) { return NameWithoutExtension(e) == name; });
        if (entry != catalogueList_.end()) entries.push_back(*entry);
        if (entries.size() == PracticeSize) break;
    }
    if (entries.empty()) {
        SetStatusText(Cp932Text("まだ間違えたカクテルはありません。"));
        return;
    }
    StartPractice(entries);
}

void TMainForm::StartPractice(const std::vector<std::string>& entries) {
    if (!MayDiscardGame()) return;
    game_.StartPractice(entries);
}

// Practice answers count too: they are real recalls, and they move a cocktail through the
// Leitner boxes the practice order reads.
void TMainForm::RecordAnswer(const std::string& entry, bool correct) {
    history_.Record(NameWithoutExtension(entry), correct, QDateTime::currentSecsSinceEpoch());
    historyChanged_ = true;
}

void TMainForm::SaveHistory() {
    if (!historyChanged_ || folder_.ReadOnly()) return;
    history_.Save(folder_.HistoryFile());
    historyChanged_ = false;
}

// ---- The view of the game ----

void TMainForm::ShowGame() {
    ui->mnuReview->setEnabled(false);
    setWindowTitle(game_.Practice() ? title_ + QStringLiteral(" - 練習") : title_);
    ui->pnlQ->setVisible(true);
    for (int n = 1; n <= TGame::LifelineCount; ++n) Saving(n)->setVisible(true);
    SetClientWidth(gameWidth_);
}

void TMainForm::ShowQuestion(int number, const QImage& picture, const TGame::TChoices& names) {
    ui->imgCover->setVisible(false);
    for (int n = 1; n <= TGame::ButtonCount; ++n) {
        MarkAnswer(n, "");
        Answer(n)->setText(FromCp932(names[n - 1]));
        Answer(n)->setEnabled(true);
        Answer(n)->setVisible(true);
    }
    for (int n = 1; n <= TGame::LifelineCount; ++n) Saving(n)->setEnabled(true);
    ui->lblQuestion->setText(
        (game_.Practice() ? QStringLiteral("練習 第 %1 問") : QStringLiteral("第 %1 問"))
            .arg(number));
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

void TMainForm::ShowVerdict(int answer, int picked) {
    if (answer == picked) return;
    MarkAnswer(answer, "right");
    if (picked != TGame::TimeOutButton) MarkAnswer(picked, "wrong");
}

// The style sheet colours a button by its "verdict"; a changed property needs a new polish.
void TMainForm::MarkAnswer(int n, const char* mark) {
    QPushButton* button = Answer(n);
    if (button->property("verdict").toString() == QLatin1String(mark)) return;
    button->setProperty("verdict", QLatin1String(mark));
    button->style()->unpolish(button);
    button->style()->polish(button);
}

void TMainForm::ShowPause(bool paused) {
    ui->lblPause->setVisible(paused);
    ui->lblPause->raise();
}

void TMainForm::ShowResult(const TGameFigures& figures) {
    TGameResult result(figures, folder_, this);
    ExecModal(result);
    OfferReview(QString());
}

void TMainForm::ShowPracticeEnd(int32_t correct, int32_t count) {
    OfferReview(QStringLiteral("練習終了：%1問中%2問正解。").arg(count).arg(correct));
}

void TMainForm::OfferReview(QString status) {
    reviewMisses_ = game_.Misses();
    ui->mnuReview->setEnabled(!reviewMisses_.empty());
    if (!reviewMisses_.empty())
        status += QStringLiteral("間違えたカクテルは「ﾌｧｲﾙ(F)」→「復習(V)」で見直せます。");
    if (!status.isEmpty()) statusText_->setText(status);
}

void TMainForm::HideGame() {
    for (int n = 1; n <= TGame::ButtonCount; ++n) MarkAnswer(n, "");
    setWindowTitle(title_);
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
