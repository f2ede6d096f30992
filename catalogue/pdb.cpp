// The database browser's window and handlers; which entries match is decided in cocktaildb.
#include "catalogue/pdb.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "catalogue/cocktaildb.h"
#include "catalogue/cocktailicon.h"
#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/msgbox.h"

namespace {
constexpr QSize kPictureSize(32, 32);

// Black windows with white text. The frames of the edit fields and the check box are drawn
// grey, since the platform's style would draw them in the window's own colour.
const char* const kBlackLook =
    "QWidget { background: black; color: white; }"
    "QLineEdit, QComboBox { border: 1px solid gray; padding: 1px 2px; }"
    "QComboBox::drop-down { border-left: 1px solid gray; width: 16px; }"
    "QComboBox::down-arrow { width: 0; height: 0; border-left: 4px solid black;"
    " border-right: 4px solid black; border-top: 5px solid white; }"
    "QComboBox QAbstractItemView { border: 1px solid gray; selection-background-color: #000080; }"
    "QCheckBox::indicator { width: 11px; height: 11px; border: 1px solid gray; }"
    "QCheckBox::indicator:checked { background: silver; }"
    "QToolButton { border: 1px solid #404040; padding: 2px; }"
    "QToolButton:checked { border-color: gray; background: #404040; }"
    "TPicture#pnlPos { border: 1px solid gray; border-top-color: #303030;"
    " border-left-color: #303030; }"
    "QListWidget::item:selected { background: #000080; }";

// Holds the list's repainting off while it is rebuilt, also when a failing icon ends the rebuild.
class BatchUpdate {
  public:
    explicit BatchUpdate(QWidget* widget) : widget_(widget) { widget_->setUpdatesEnabled(false); }
    ~BatchUpdate() { widget_->setUpdatesEnabled(true); }
    BatchUpdate(const BatchUpdate&) = delete;
    BatchUpdate& operator=(const BatchUpdate&) = delete;

  private:
    QWidget* widget_;
};
}  // namespace

TPDB::TPDB(const std::vector<std::string>& catalogueList, const std::string& appFolder,
           QWidget* parent)
    : QDialog(parent), imlDB(kPictureSize), catalogueList_(catalogueList), appFolder_(appFolder) {
    setupUi(this);
    setFont(UiFont());
    setStyleSheet(QLatin1String(kBlackLook));
    // The index changes only by choosing one of its items; the edit field takes no typing.
    cmbSearch->lineEdit()->setReadOnly(true);
    lsDB->setIconSize(kPictureSize);
    lsDB->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lsDB->setWordWrap(true);
    spdvslist->setAutoExclusive(true);
    spdvsicon->setAutoExclusive(true);
    SetIconView(true);

    connect(cmbSearch, &QComboBox::activated, this, [this] { cmbSearchChange(); });
    connect(spdvslist, &QToolButton::clicked, this, [this] { spdvslistClick(spdvslist); });
    connect(spdvsicon, &QToolButton::clicked, this, [this] { spdvslistClick(spdvsicon); });
    connect(pnlPos, &TPicture::clicked, this, [this] { pnlPosClick(); });
    txtPos->installEventFilter(this);
}

void TPDB::SetcocktailDB(const std::string& filter) {
    if (filter.empty()) return;
    imlDB.Clear();
    BatchUpdate batch(lsDB);
    lsDB->clear();
    const CocktailFilter rules{filter, chkPos->isChecked(),
                               cmbSearch->currentText() == QLatin1String("ALL")};
    for (size_t i : MatchingEntries(catalogueList_, rules)) {
        const std::string& entry = catalogueList_[i];
        const int index = imlDB.Add(LoadCocktailIcon(appFolder_, entry));
        auto* item = new QListWidgetItem(FromCp932(NameWithoutExtension(entry)), lsDB);
        item->setData(ImageIndexRole, index);
        item->setIcon(QIcon(QPixmap::fromImage(imlDB.Image(index))));
    }
}

void TPDB::cmbSearchChange() { SetcocktailDB(ToCp932(cmbSearch->currentText())); }

void TPDB::spdvslistClick(QObject* sender) {
    if (!qobject_cast<QToolButton*>(sender)) return;
    SetIconView(sender->objectName() != QLatin1String("spdvslist"));
}

void TPDB::pnlPosClick() {
    SetcocktailDB(MultiByteLowerCase(ToCp932(txtPos->text())));
    if (lsDB->count() == 0) {
        InformationBox(ToCp932(QStringLiteral("検索条件に一致するものがありませんでした。")),
                       ApplicationTitle());
    }
}

bool TPDB::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtPos && event->type() == QEvent::KeyPress) return txtPosKeyPress(event);
    return QDialog::eventFilter(watched, event);
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
    lsDB->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
    lsDB->setFlow(icons ? QListView::LeftToRight : QListView::TopToBottom);
    lsDB->setWrapping(true);
    lsDB->setMovement(QListView::Static);
    lsDB->setResizeMode(QListView::Adjust);
    lsDB->setGridSize(icons ? QSize(96, 72) : QSize());
    lsDB->setSpacing(icons ? 0 : 2);
}
