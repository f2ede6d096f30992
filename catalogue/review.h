// The review after a game: every cocktail missed or timed out, with the name the player chose and
// its recipe card, and "これを練習" to practise just those.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/recipes.h"
#include "records/history.h"
#include "records/reviewmiss.h"

namespace Ui {
class TReview;
}

class TReview : public QDialog {
    Q_OBJECT

  public:
    // Lists `misses` in the order given, the first one's card shown. Every icon is read here, so
    // one that cannot be read raises before the window is shown.
    TReview(const TGameFolder& folder, std::vector<ReviewMiss> misses, RecipeBook book,
            TPlayerHistory history, QWidget* parent = nullptr);
    ~TReview() override;

    void lsMissesChange();
    // Asks for a practice round of the missed entries and closes the review.
    void btnPracticeClick();

  signals:
    // The missed entries (CP932), each once, in the order listed.
    void PracticeRequested(const std::vector<std::string>& entries);

  private:
    std::unique_ptr<Ui::TReview> ui;
    TGameFolder folder_;
    std::vector<ReviewMiss> misses_;
    RecipeBook book_;
    TPlayerHistory history_;
};
