// The review's list of misses, its card and its practice button.
#include "catalogue/review.h"

#include <algorithm>

#include "catalogue/cocktaildb.h"
#include "catalogue/cocktailicon.h"
#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "ui_review.h"

TReview::TReview(const TGameFolder& folder, std::vector<ReviewMiss> misses, RecipeBook book,
                 TPlayerHistory history, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TReview>()),
      folder_(folder),
      misses_(std::move(misses)),
      book_(std::move(book)),
      history_(std::move(history)) {
    setFont(JapaneseFont(QStringLiteral("MS UI Gothic"), 13));
    ui->setupUi(this);
    ui->lsMisses->setIconSize(QSize(32, 32));
    for (const ReviewMiss& miss : misses_) {
        auto* item = new QListWidgetItem(FromCp932(NameWithoutExtension(miss.Entry)), ui->lsMisses);
        item->setIcon(QIcon(QPixmap::fromImage(
            LoadCocktailIcon(folder_, miss.Entry, ui->lsMisses->devicePixelRatioF()))));
    }
    connect(ui->lsMisses, &QListWidget::currentRowChanged, this,
            Guarded([this] { lsMissesChange(); }));
    connect(ui->btnPractice, &QPushButton::clicked, this, Guarded([this] { btnPracticeClick(); }));
    connect(ui->btnClose, &QPushButton::clicked, this, Guarded([this] { reject(); }));
    ui->btnPractice->setEnabled(!misses_.empty());
    ui->crdRecipe->setVisible(!misses_.empty());
    if (misses_.empty())
        ui->lblChosen->setText(QStringLiteral("このゲームで間違えたカクテルはありません。"));
    else
        ui->lsMisses->setCurrentRow(0);
    ui->lsMisses->setFocus();
}

void TReview::lsMissesChange() {
    const int row = ui->lsMisses->currentRow();
    if (row < 0) return;
    const ReviewMiss& miss = misses_[static_cast<size_t>(row)];
    const std::string name = NameWithoutExtension(miss.Entry);
    ui->lblChosen->setText(QStringLiteral("あなたの答え：") + (miss.Chosen.empty()
                                                                   ? QStringLiteral("時間切れ")
                                                                   : FromCp932(miss.Chosen)));
    ui->crdRecipe->ShowCocktail(folder_, miss.Entry, book_.Find(name), history_.Stats(name));
}

void TReview::btnPracticeClick() {
    std::vector<std::string> entries;
    for (const ReviewMiss& miss : misses_)
        if (std::find(entries.begin(), entries.end(), miss.Entry) == entries.end())
            entries.push_back(miss.Entry);
    emit PracticeRequested(entries);
    accept();
}

TReview::~TReview() = default;
