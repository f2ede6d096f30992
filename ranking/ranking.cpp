// The ranking dialog's controls and handlers; the rules they apply live in the plain functions of
// this library.
#include "ranking/ranking.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QTextCursor>
#include <algorithm>

#include "catalogue/helptopics.h"
#include "platform/combofilter.h"
#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/internet.h"
#include "platform/modal.h"
#include "platform/msgbox.h"
#include "platform/scopeguard.h"
#include "platform/shell.h"
#include "ranking/bytecut.h"
#include "ranking/rankinglog.h"
#include "ranking/upload.h"
#include "ui_ranking.h"

namespace {

const int ColumnWidths[] = {100, 100, 75, 50};

}  // namespace

TRanking::TRanking(const TGameFolder& folder, std::function<void(int)> helper,
                   const TRankingEndpoints& endpoints, QWidget* parent)
    : TFlatDialog(parent),
      ui(std::make_unique<Ui::TRanking>()),
      folder_(folder),
      helper_(std::move(helper)),
      endpoints_(endpoints) {
    ui->setupUi(this);

    FinishLayout();
    ui->memComment->setFont(JapaneseFont(QStringLiteral("ＭＳ ゴシック"), 13));

    for (int column = 0; column < 4; ++column)
        ui->lsRanking->setColumnWidth(column, ColumnWidths[column]);
    ui->lsRanking->horizontalHeader()->setSectionsClickable(false);
    ui->lsRanking->verticalHeader()->setDefaultSectionSize(17);

    // Only the drop-down list chooses the count: nothing typed, pasted or dropped reaches the edit.
    FilterComboKeys(*ui->cmbMondai, TComboKeys::Edits,
                    [this](char16_t& Key) { cmbMondaiKeyPress(ui->cmbMondai, Key); });
    ui->cmbMondai->lineEdit()->setAcceptDrops(false);
    ui->cmbMondai->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    // Tab leaves the list for the next control instead of walking its cells.
    ui->lsRanking->setTabKeyNavigation(false);

    SetUpRankingClient(FtpClient1);
    FtpClient1.OnSuccess = [this](TCmdType Trans_Type) { FtpClient1Success(Trans_Type); };

    connect(ui->cmbMondai, &QComboBox::activated, this,
            Guarded([this] { cmbMondaiChange(ui->cmbMondai); }));
    connect(ui->btnOK, &QPushButton::clicked, this, Guarded([this] { btnOKClick(ui->btnOK); }));
    connect(ui->btnCancel, &QPushButton::clicked, this,
            Guarded([this] { btnCancelClick(ui->btnCancel); }));
    connect(ui->btnHelp, &QPushButton::clicked, this,
            Guarded([this] { btnHelpClick(ui->btnHelp); }));
    connect(ui->memComment, &QPlainTextEdit::textChanged, this,
            Guarded([this] { LimitComment(); }));
    for (QLineEdit* edit : {ui->txtHN, ui->txtMail, ui->txtURL}) {
        connect(edit, &QLineEdit::textChanged, this,
                Guarded([this, edit] { KeepFirstLine(edit); }));
    }
}

TRanking::~TRanking() = default;

void TRanking::SetIdentity(const std::string& handleName, const std::string& mail,
                           const std::string& url) {
    ui->txtHN->setText(FromCp932(handleName));
    ui->txtMail->setText(FromCp932(mail));
    ui->txtURL->setText(FromCp932(url));
}

void TRanking::ShowCounts(const std::vector<std::string>& counts) {
    QStringList items;
    for (const std::string& count : counts) items.append(FromCp932(count));
    ui->cmbMondai->addItems(items);
    if (ui->cmbMondai->count() == 0) return;
    ui->cmbMondai->setCurrentIndex(0);
    cmbMondaiChange(nullptr);
}

void TRanking::cmbMondaiChange(QObject*) {
    // Read first: a log that has gone away raises before the list loses the rows it shows.
    const std::string key = CutBytes(ToCp932(ui->cmbMondai->currentText()), RankingFieldLimit);
    const std::vector<TRankingRow> results = ValidResults(folder_.ScoreLog(), key);
    ui->lsRanking->setUpdatesEnabled(false);
    ui->lsRanking->setRowCount(0);
    // All rows at once: one insertion instead of one per result.
    ui->lsRanking->setRowCount(static_cast<int>(results.size()));
    for (int row = 0; row < ui->lsRanking->rowCount(); ++row) {
        const TRankingRow& result = results[static_cast<std::size_t>(row)];
        const std::string* cells[] = {&result.Score, &result.Time, &result.Correct, &result.Combo};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(FromCp932(*cells[column]));
            // The send takes the log's own bytes, not their round trip through the widget.
            item->setData(Qt::UserRole, QByteArray::fromStdString(*cells[column]));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            ui->lsRanking->setItem(row, column, item);
        }
    }
    ui->lsRanking->setUpdatesEnabled(true);
}

void TRanking::cmbMondaiKeyPress(QObject*, char16_t& Key) { Key = 0; }

bool TRanking::SelectedRow(TRankingRow& row) const {
    const QModelIndexList selected = ui->lsRanking->selectionModel()->selectedRows();
    if (selected.isEmpty()) return false;
    const int index = selected.front().row();
    std::string* cells[] = {&row.Score, &row.Time, &row.Correct, &row.Combo};
    for (int column = 0; column < 4; ++column) {
        *cells[column] =
            ui->lsRanking->item(index, column)->data(Qt::UserRole).toByteArray().toStdString();
    }
    return true;
}

std::string TRanking::CommentBytes() const {
    // The player's line breaks travel as CR LF, as the memo of the program's own platform held
    // them.
    return ToCp932(
        ui->memComment->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

TRankingIdentity TRanking::Identity() const {
    return {ToCp932(ui->txtHN->text()), ToCp932(ui->txtMail->text()), ToCp932(ui->txtURL->text()),
            CommentBytes()};
}

void TRanking::LimitComment() {
    const QString now = ui->memComment->toPlainText();
    if (CommentBytes().size() <= RankingFieldLimit) {
        acceptedComment_ = now;
        return;
    }
    // An edit that would pass the limit is refused as a whole; the cursor stays where it was.
    const int cursor =
        ui->memComment->textCursor().position() - (now.size() - acceptedComment_.size());
    ui->memComment->setPlainText(acceptedComment_);
    QTextCursor restored = ui->memComment->textCursor();
    restored.setPosition(std::clamp(cursor, 0, static_cast<int>(acceptedComment_.size())));
    ui->memComment->setTextCursor(restored);
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
        ShowMessage(Cp932Text("登録するリストが選択されておりません。"));
        return;
    }
    if (ui->txtHN->text().isEmpty()) {
        ShowMessage(Cp932Text("登録の際にハンドルネームは必須です！"));
        return;
    }
    const std::string entry = RankingEntry(row, Identity());
    const MessageBoxRequest confirm{
        Cp932Text("データを送信します。よろしいですか？記入漏れなどがないか確認してから送"
                  "って下さい。コメントがないと「コメント>>」とだけ表示されてしまいます"
                  "が、よろしいですか？"),
        ApplicationTitle(), MsgIcon::Information, MsgButtons::YesCancel};
    if (ShowMessageBox(confirm, this) != MsgResult::Yes) return;
    if (!IsInternetConnected()) {
        ShowMessage(Cp932Text("インターネットに接続されていません。"));
        return;
    }
    if (IsGlobalOffline() && !MayGoOnline()) return;
    // The count is fixed with the entry: the player may change the combo while the log-in waits.
    const std::string remotePath = RankingRemotePath(ToCp932(ui->cmbMondai->currentText()));
    // While the send waits on the network the button is off, so that a second press cannot
    // interleave its commands with this session's; a cancel pressed meanwhile closes the dialog
    // once the send is over, whatever its outcome.
    sending_ = true;
    ui->btnOK->setEnabled(false);
    const ScopeGuard sent([this] {
        sending_ = false;
        ui->btnOK->setEnabled(true);
        if (cancelAfterSend_) done(ModalCancel);
    });
    UploadRankingEntry(FtpClient1, endpoints_, folder_, remotePath, entry);
}

bool TRanking::MayGoOnline() {
    const MessageBoxRequest question{
        Cp932Text("ｲﾝﾀｰﾈｯﾄには接続されていますが、ｵﾌﾗｲﾝで作業しています。ｵﾝﾗｲﾝに切"
                  "り替えますか？"),
        ApplicationTitle(), MsgIcon::Question, MsgButtons::YesCancel};
    if (ShowMessageBox(question, this) != MsgResult::Yes) return false;
    if (InternetAttemptConnect() != 0) {
        ShowMessage(Cp932Text("失敗しました。"));
        return false;
    }
    return true;
}

void TRanking::btnCancelClick(QObject*) {
    if (sending_) {
        cancelAfterSend_ = true;
        return;
    }
    done(ModalCancel);
}

void TRanking::btnHelpClick(QObject*) { helper_(RankingHelpContext); }

void TRanking::reject() {
    RunGuarded([this] { btnCancelClick(nullptr); });
}

void TRanking::FtpClient1Success(TCmdType Trans_Type) {
    if (Trans_Type != CtAppe) return;
    const MessageBoxRequest question{Cp932Text("登録が完了しました。ページへジャンプしますか？"),
                                     ApplicationTitle(), MsgIcon::Information, MsgButtons::YesNo};
    if (ShowMessageBox(question, this) == MsgResult::No) return;
    ShellOpen(RankingPageAddress(endpoints_));
}

bool TRanking::IsInternetConnected() { return InternetGetConnectedState(); }

bool TRanking::IsGlobalOffline() {
    uint32_t state = 0;
    return InternetQueryConnectedState(state) && (state & INTERNET_STATE_DISCONNECTED_BY_USER);
}
