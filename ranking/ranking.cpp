// The ranking dialog's controls and handlers; the rules they apply live in the plain functions of
// this library.
#include "ranking/ranking.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTextCursor>
#include <algorithm>

#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/internet.h"
#include "platform/keyfilter.h"
#include "platform/msgbox.h"
#include "platform/shell.h"
#include "ranking/bytecut.h"
#include "ranking/rankinglog.h"
#include "ranking/upload.h"
#include "ui_ranking.h"

namespace {
std::string Text(const QString& text) { return ToCp932(text); }

// The modal result of "ｷｬﾝｾﾙ(&C)" and of the title bar's close box.
constexpr int mrCancel = 2;

const int ColumnWidths[] = {100, 100, 75, 50};

}  // namespace

TRanking::TRanking(const std::string& appFolder, std::function<void(int)> helper,
                   const TRankingEndpoints& endpoints, QWidget* parent)
    : TFlatDialog(parent),
      ui(std::make_unique<Ui::TRanking>()),
      appFolder_(appFolder),
      helper_(std::move(helper)),
      endpoints_(endpoints) {
    ui->setupUi(this);
    cmbMondai = ui->cmbMondai;
    lsRanking = ui->lsRanking;
    txtHN = ui->txtHN;
    txtMail = ui->txtMail;
    txtURL = ui->txtURL;
    memComment = ui->memComment;
    btnOK = ui->btnOK;
    btnCancel = ui->btnCancel;
    btnHelp = ui->btnHelp;

    FinishLayout(width(), height());
    memComment->setFont(JapaneseFont(QStringLiteral("ＭＳ ゴシック"), 13));

    for (int column = 0; column < 4; ++column)
        lsRanking->setColumnWidth(column, ColumnWidths[column]);
    lsRanking->horizontalHeader()->setSectionsClickable(false);
    lsRanking->verticalHeader()->setDefaultSectionSize(17);

    // Only the drop-down list chooses the count: nothing typed, pasted or dropped reaches the edit.
    cmbMondai->setCompleter(nullptr);
    cmbMondai->installEventFilter(this);
    cmbMondai->lineEdit()->installEventFilter(this);
    cmbMondai->lineEdit()->setAcceptDrops(false);
    cmbMondai->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    // An input method would commit its text past every key filter.
    cmbMondai->lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
    // Tab leaves the list for the next control instead of walking its cells.
    lsRanking->setTabKeyNavigation(false);

    SetUpRankingClient(FtpClient1);
    FtpClient1.OnSuccess = [this](TCmdType Trans_Type) { FtpClient1Success(Trans_Type); };

    connect(cmbMondai, &QComboBox::activated, this,
            Guarded([this] { cmbMondaiChange(cmbMondai); }));
    connect(btnOK, &QPushButton::clicked, this, Guarded([this] { btnOKClick(btnOK); }));
    connect(btnCancel, &QPushButton::clicked, this, Guarded([this] { btnCancelClick(btnCancel); }));
    connect(btnHelp, &QPushButton::clicked, this, Guarded([this] { btnHelpClick(btnHelp); }));
    connect(memComment, &QPlainTextEdit::textChanged, this, Guarded([this] { LimitComment(); }));
    for (QLineEdit* edit : {txtHN, txtMail, txtURL}) {
        connect(edit, &QLineEdit::textChanged, this,
                Guarded([this, edit] { KeepFirstLine(edit); }));
    }
}

TRanking::~TRanking() = default;

std::string TRanking::LogFileName() const { return appFolder_ + "log.dat"; }

void TRanking::ShowCounts(const std::vector<std::string>& counts) {
    QStringList items;
    for (const std::string& count : counts) items.append(FromCp932(count));
    cmbMondai->addItems(items);
    if (cmbMondai->count() == 0) return;
    cmbMondai->setCurrentIndex(0);
    cmbMondaiChange(nullptr);
}

void TRanking::cmbMondaiChange(QObject*) {
    // Read first: a log that has gone away raises before the list loses the rows it shows.
    const std::string key = CutBytes(Text(cmbMondai->currentText()), RankingFieldLimit);
    const std::vector<TRankingRow> results = ValidResults(LogFileName(), key);
    lsRanking->setUpdatesEnabled(false);
    lsRanking->setRowCount(0);
    // All rows at once: one insertion instead of one per result.
    lsRanking->setRowCount(static_cast<int>(results.size()));
    for (int row = 0; row < lsRanking->rowCount(); ++row) {
        const TRankingRow& result = results[static_cast<std::size_t>(row)];
        const std::string* cells[] = {&result.Score, &result.Time, &result.Correct, &result.Combo};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(FromCp932(*cells[column]));
            // The send takes the log's own bytes, not their round trip through the widget.
            item->setData(Qt::UserRole, QByteArray::fromStdString(*cells[column]));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            lsRanking->setItem(row, column, item);
        }
    }
    lsRanking->setUpdatesEnabled(true);
}

void TRanking::cmbMondaiKeyPress(QObject*, char16_t& Key) { Key = 0; }

bool TRanking::eventFilter(QObject* watched, QEvent* event) {
    return RunGuarded([&] {
        if ((watched == cmbMondai || watched == cmbMondai->lineEdit()) &&
            event->type() == QEvent::KeyPress) {
            const auto& key = *static_cast<QKeyEvent*>(event);
            if (EditsText(key)) {
                char16_t Key = TypedCharacter(key);  // 0 for Delete, which edits without typing
                cmbMondaiKeyPress(cmbMondai, Key);
                if (Key == 0) return true;
            }
        }
        return TFlatDialog::eventFilter(watched, event);
    });
}

bool TRanking::SelectedRow(TRankingRow& row) const {
    const QModelIndexList selected = lsRanking->selectionModel()->selectedRows();
    if (selected.isEmpty()) return false;
    const int index = selected.front().row();
    std::string* cells[] = {&row.Score, &row.Time, &row.Correct, &row.Combo};
    for (int column = 0; column < 4; ++column) {
        *cells[column] =
            lsRanking->item(index, column)->data(Qt::UserRole).toByteArray().toStdString();
    }
    return true;
}

std::string TRanking::CommentBytes() const {
    // The player's line breaks travel as CR LF, as the memo of the program's own platform held
    // them.
    return Text(memComment->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

TRankingIdentity TRanking::Identity() const {
    return {Text(txtHN->text()), Text(txtMail->text()), Text(txtURL->text()), CommentBytes()};
}

void TRanking::LimitComment() {
    const QString now = memComment->toPlainText();
    if (CommentBytes().size() <= RankingFieldLimit) {
        acceptedComment_ = now;
        return;
    }
    // An edit that would pass the limit is refused as a whole; the cursor stays where it was.
    const int cursor = memComment->textCursor().position() - (now.size() - acceptedComment_.size());
    memComment->setPlainText(acceptedComment_);
    QTextCursor restored = memComment->textCursor();
    restored.setPosition(std::clamp(cursor, 0, static_cast<int>(acceptedComment_.size())));
    memComment->setTextCursor(restored);
}

void TRanking::KeepFirstLine(QLineEdit* edit) {
    // A pasted line break would start a forged record in the server's file.
    static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
    const QString text = edit->text();
    const qsizetype at = text.indexOf(lineBreak);
    if (at >= 0) edit->setText(text.left(at));
}

void TRanking::btnOKClick(QObject*) {
    TRankingRow row;
    if (!SelectedRow(row)) {
        ShowMessage(Text(QStringLiteral("登録するリストが選択されておりません。")));
        return;
    }
    if (txtHN->text().isEmpty()) {
        ShowMessage(Text(QStringLiteral("登録の際にハンドルネームは必須です！")));
        return;
    }
    const std::string entry = RankingEntry(row, Identity());
    const MessageBoxRequest confirm{
        Text(QStringLiteral("データを送信します。よろしいですか？記入漏れなどがないか確認してから送"
                            "って下さい。コメントがないと「コメント>>」とだけ表示されてしまいます"
                            "が、よろしいですか？")),
        ApplicationTitle(), MsgIcon::Information, MsgButtons::YesCancel};
    if (ShowMessageBox(confirm, this) != MsgResult::Yes) return;
    if (!IsInternetConnected()) {
        ShowMessage(Text(QStringLiteral("インターネットに接続されていません。")));
        return;
    }
    if (IsGlobalOffline() && !MayGoOnline()) return;
    // The count is fixed with the entry: the player may change the combo while the log-in waits.
    const std::string remotePath = RankingRemotePath(Text(cmbMondai->currentText()));
    // While the send waits on the network the button is off, so that a second press cannot
    // interleave its commands with this session's; a cancel pressed meanwhile closes the dialog
    // once the send is over, whatever its outcome.
    struct Sending {
        explicit Sending(TRanking& ranking) : ranking(ranking) {
            ranking.sending_ = true;
            ranking.btnOK->setEnabled(false);
        }
        ~Sending() {
            ranking.sending_ = false;
            ranking.btnOK->setEnabled(true);
            if (ranking.cancelAfterSend_) ranking.done(mrCancel);
        }
        TRanking& ranking;
    } sending(*this);
    UploadRankingEntry(FtpClient1, endpoints_, appFolder_, remotePath, entry);
}

bool TRanking::MayGoOnline() {
    const MessageBoxRequest question{
        Text(QStringLiteral("ｲﾝﾀｰﾈｯﾄには接続されていますが、ｵﾌﾗｲﾝで作業しています。ｵﾝﾗｲﾝに切"
                            "り替えますか？")),
        ApplicationTitle(), MsgIcon::Question, MsgButtons::YesCancel};
    if (ShowMessageBox(question, this) != MsgResult::Yes) return false;
    if (InternetAttemptConnect() != 0) {
        ShowMessage(Text(QStringLiteral("失敗しました。")));
        return false;
    }
    return true;
}

void TRanking::btnCancelClick(QObject*) {
    if (sending_) {
        cancelAfterSend_ = true;
        return;
    }
    done(mrCancel);
}

void TRanking::btnHelpClick(QObject*) { helper_(4); }

void TRanking::reject() {
    RunGuarded([this] { btnCancelClick(nullptr); });
}

void TRanking::FtpClient1Success(TCmdType Trans_Type) {
    if (Trans_Type != CtAppe) return;
    const MessageBoxRequest question{
        Text(QStringLiteral("登録が完了しました。ページへジャンプしますか？")), ApplicationTitle(),
        MsgIcon::Information, MsgButtons::YesNo};
    if (ShowMessageBox(question, this) == MsgResult::No) return;
    ShellOpen(RankingPageAddress(endpoints_));
}

bool TRanking::IsInternetConnected() { return InternetGetConnectedState(); }

bool TRanking::IsGlobalOffline() {
    uint32_t state = 0;
    return InternetQueryConnectedState(state) && (state & INTERNET_STATE_DISCONNECTED_BY_USER);
}
