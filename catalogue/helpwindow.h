// The help window: one topic of the help file at a time, with the list of all topics beside it.
#pragma once

#include <QDialog>
#include <vector>

#include "catalogue/helpfile.h"
#include "ui_help.h"

class THelp : public QDialog {
    Q_OBJECT

  public:
    // Opens at the topic numbered `context`, or at the first topic where there is no such number.
    THelp(std::vector<HelpTopic> topics, int context, QWidget* parent = nullptr);

    // The position in the topic list of the topic shown.
    int CurrentTopic() const { return ui.lsTopics->currentRow(); }
    void ShowTopic(int index);

    void lsTopicsChange();
    void btnPrevClick();
    void btnNextClick();

  private:
    friend struct TestAccess;

    Ui::THelp ui;
    std::vector<HelpTopic> topics_;
};
