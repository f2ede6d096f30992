// The about box's look, its random cocktail and its clicks.
#include "catalogue/about.h"

#include <QMouseEvent>

#include "catalogue/cocktaildb.h"
#include "catalogue/cocktailicon.h"
#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/modal.h"
#include "platform/picture.h"
#include "platform/random.h"
#include "platform/shell.h"
#include "ui_about.h"

const std::string TAbout::MakerPage = "http://quillmoor.example/";
const std::string TAbout::MakerMail = "bartendam@quillmoor.example";
const std::string TAbout::IconPage = "http://quillmoor.example/bartendam/";

namespace {
bool IsLeftReleaseInside(QObject* watched, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* widget = static_cast<QWidget*>(watched);
    return mouse->button() == Qt::LeftButton &&
           widget->rect().contains(mouse->position().toPoint());
}
}  // namespace

TAbout::TAbout(const std::vector<std::string>& catalogueList, const TGameFolder& folder,
               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TAbout>()) {
    // The box's font, before its controls exist, so that every one of them takes it.
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    setFont(arial);
    ui->setupUi(this);
    ApplyLook();
    for (QObject* child : children()) {
        if (child->isWidgetType()) child->installEventFilter(this);
    }
    DrawCocktail(catalogueList, folder);
}

TAbout::~TAbout() = default;

void TAbout::ApplyLook() {
    // The layout's own size, fixed.
    setFixedSize(size());
    ui->Label6->setFont(JapaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    // The credit's three labels share one line of the narrow box, hence the smaller size.
    const QFont credit = JapaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 11);
    for (QLabel* label : {ui->Label1, ui->Label7, ui->Label8}) label->setFont(credit);
    // The credit line reads as one sentence whatever the fonts' widths.
    ui->Label1->adjustSize();
    ui->Label7->adjustSize();
    ui->Label8->adjustSize();
    ui->Label7->move(ui->Label1->geometry().right() + 1, ui->Label1->y());
    ui->Label8->move(ui->Label7->geometry().right() + 1, ui->Label1->y());
    ui->Image1->setPixmap(WindowPicture(QStringLiteral("title"), devicePixelRatioF()));
}

void TAbout::DrawCocktail(const std::vector<std::string>& catalogueList,
                          const TGameFolder& folder) {
    if (catalogueList.empty()) return;
    Randomize();
    const std::string& entry =
        catalogueList[static_cast<size_t>(Random(static_cast<int>(catalogueList.size())))];
    ui->imgPerfume->setPixmap(QPixmap::fromImage(
        LoadCocktailIcon(folder, entry, ui->imgPerfume->devicePixelRatioF())));
    ui->imgPerfume->setToolTip(FromCp932(NameWithoutExtension(entry)));
}

// Any button released anywhere on the box closes it, except on the maker's two links; the icon
// credit opens its page first and then closes too.
bool TAbout::eventFilter(QObject* watched, QEvent* event) {
    return RunGuarded([&] {
        if (event->type() != QEvent::MouseButtonRelease)
            return QDialog::eventFilter(watched, event);
        const bool click = IsLeftReleaseInside(watched, event);
        if (watched == ui->Label3 || watched == ui->Label4) {
            if (click) (watched == ui->Label3 ? Label3Click() : Label4Click());
            return true;
        }
        if (watched == ui->Label7 && click) Label7Click();
        Shape1MouseUp();
        return true;
    });
}

void TAbout::Shape1MouseUp() { accept(); }

void TAbout::Label3Click() { ShellOpen(MakerPage); }

void TAbout::Label4Click() { ShellOpen("mailto:" + MakerMail); }

void TAbout::Label7Click() { ShellOpen(IconPage); }

void ShowAbout(const std::vector<std::string>& catalogueList, const TGameFolder& folder,
               QWidget* parent) {
    TAbout about(catalogueList, folder, parent);
    ExecModal(about);
}
