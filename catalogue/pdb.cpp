// The database browser's window and handlers; which entries match is decided in cocktaildb.
#include "catalogue/pdb.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "catalogue/captionbreak.h"
#include "catalogue/cocktaildb.h"
#include "catalogue/cocktailicon.h"
#include "catalogue/recipecardwindow.h"
#include "platform/combofilter.h"
#include "platform/cp932.h"
#include "platform/guard.h"
#include "platform/msgbox.h"
#include "platform/scopeguard.h"
#include "ui_pdb.h"

namespace {
constexpr QSize kPictureSize(32, 32);
// An icon view cell: wide enough that the common names fit on two lines under the picture.
constexpr QSize kIconCell(124, 76);

// Icon view captions broken at their word joints to fit the cell.
class TCaptionDelegate : public QStyledItemDelegate {
  public:
    explicit TCaptionDelegate(QListView* view) : QStyledItemDelegate(view), view_(view) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (view_->viewMode() != QListView::IconMode) return;
        // The style keeps a margin of the focus frame and one pixel on each side of the text.
        const int margin = 2 * (view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        option->text =
            BreakCaption(option->text, option->fontMetrics, view_->gridSize().width() - margin);
    }

  private:
    QListView* view_;
};

}  // namespace

TPDB::TPDB(const std::vector<std::string>& catalogueList, const TGameFolder& folder,
           QWidget* parent)
    : QDialog(parent),
      imlDB(kPictureSize),
      ui(std::make_unique<Ui::TPDB>()),
      catalogueList_(catalogueList),
      folder_(folder) {
    ui->setupUi(this);
    // The index changes only by choosing one of its items: every key that would type or edit
    // is discarded, Enter too.
    ui->cmbSearch->lineEdit()->setReadOnly(true);
    FilterComboKeys(*ui->cmbSearch, TComboKeys::Edits,
                    [this](char16_t& Key) { cmbSearchKeyPress(Key); });
    ui->lsDB->setIconSize(kPictureSize);
    ui->lsDB->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->lsDB->setWordWrap(true);
    ui->lsDB->setItemDelegate(new TCaptionDelegate(ui->lsDB));
    ui->spdvslist->setAutoExclusive(true);
    ui->spdvsicon->setAutoExclusive(true);
    SetIconView(true);

    connect(ui->cmbSearch, &QComboBox::activated, this, Guarded([this] { cmbSearchChange(); }));
    connect(ui->spdvslist, &QToolButton::clicked, this,
            Guarded([this] { spdvslistClick(ui->spdvslist); }));
    connect(ui->spdvsicon, &QToolButton::clicked, this,
            Guarded([this] { spdvslistClick(ui->spdvsicon); }));
    connect(ui->pnlPos, &TPicture::clicked, this, Guarded([this] { pnlPosClick(); }));
    // The view's activation: a double-click (or the desktop's single click) and Enter.
    connect(ui->lsDB, &QListWidget::activated, this, Guarded([this] { lsDBDblClick(); }));
    ui->txtPos->installEventFilter(this);
}

TPDB::~TPDB() = default;

void TPDB::SetcocktailDB(const std::string& filter) {
    if (filter.empty()) return;
    imlDB.Clear();
    // The list repaints once it is whole, also when a failing icon ends the rebuild.
    ui->lsDB->setUpdatesEnabled(false);
    const ScopeGuard repaint([this] { ui->lsDB->setUpdatesEnabled(true); });
    ui->lsDB->clear();
    // A new list is read from its start, whatever part of the old one was in view.
    ui->lsDB->verticalScrollBar()->setValue(0);
    ui->lsDB->horizontalScrollBar()->setValue(0);
    const CocktailFilter rules{filter, ui->chkPos->isChecked(),
                               ui->cmbSearch->currentText() == QLatin1String("ALL")};
    for (size_t i : MatchingEntries(catalogueList_, rules)) {
        const std::string& entry = catalogueList_[i];
        const int index =
            imlDB.Add(LoadCocktailIcon(folder_, entry, ui->lsDB->devicePixelRatioF()));
        const QString name = FromCp932(NameWithoutExtension(entry));
        auto* item = new QListWidgetItem(name, ui->lsDB);
        item->setData(ImageIndexRole, index);
        item->setData(EntryRole, QByteArray::fromStdString(entry));
        item->setIcon(QIcon(QPixmap::fromImage(imlDB.Image(index))));
        // The whole name, however the view shortens its caption.
        item->setToolTip(name);
    }
}

void TPDB::cmbSearchKeyPress(char16_t& Key) { Key = 0; }

void TPDB::cmbSearchChange() { SetcocktailDB(ToCp932(ui->cmbSearch->currentText())); }

void TPDB::spdvslistClick(QObject* sender) {
    if (!qobject_cast<QToolButton*>(sender)) return;
    SetIconView(sender->objectName() != QLatin1String("spdvslist"));
}

void TPDB::pnlPosClick() {
    SetcocktailDB(MultiByteLowerCase(ToCp932(ui->txtPos->text())));
    if (ui->lsDB->count() == 0) {
        InformationBox(Cp932Text("検索条件に一致するものがありませんでした。"), ApplicationTitle());
    }
}

void TPDB::lsDBDblClick() {
    const QListWidgetItem* item = ui->lsDB->currentItem();
    if (!item) return;
    ShowRecipeCard(folder_, item->data(EntryRole).toByteArray().toStdString(), this);
}

bool TPDB::eventFilter(QObject* watched, QEvent* event) {
    return RunGuarded([&] {
        if (watched == ui->txtPos && event->type() == QEvent::KeyPress)
            return txtPosKeyPress(event);
        return QDialog::eventFilter(watched, event);
    });
}

// Enter applies the text as "OK" does and is itself swallowed; every other key goes to the edit.
bool TPDB::txtPosKeyPress(QEvent* event) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    pnlPosClick();
    return true;
}

void TPDB::SetIconView(bool icons) {
    // setViewMode resets flow, wrapping and movement, so each mode sets its own afterwards.
    ui->lsDB->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
    ui->lsDB->setFlow(icons ? QListView::LeftToRight : QListView::TopToBottom);
    ui->lsDB->setWrapping(true);
    ui->lsDB->setMovement(QListView::Static);
    ui->lsDB->setResizeMode(QListView::Adjust);
    ui->lsDB->setGridSize(icons ? kIconCell : QSize());
    ui->lsDB->setSpacing(icons ? 0 : 2);
}
