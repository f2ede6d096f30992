// The help window: one topic of the help file at a time, with the list of all topics beside it.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "catalogue/helpfile.h"

namespace Ui {
class THelp;
}

class THelp : public QDialog {
    Q_OBJECT

  public:
    // Opens at the topic numbered `context`, or at the first topic where there is no such number.
    THelp(std::vector<HelpTopic> topics, int context, QWidget* parent = nullptr);
    ~THelp() override;

    // The position in the topic list of the topic shown.
    int CurrentTopic() const;
    void ShowTopic(int index);

    void lsTopicsChange();
    void btnPrevClick();
    void btnNextClick();

  private:
    std::unique_ptr<Ui::THelp> ui;
    std::vector<HelpTopic> topics_;
};
