// The help window as its tests reach it: the topic list, the page and the buttons, by their names.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>

#include "catalogue/helpwindow.h"
#include "tests/support/testsupport.h"

class TestingHelp : public THelp {
  public:
    using THelp::THelp;

    QListWidget* lsTopics() const { return Named<QListWidget>(*this, "lsTopics"); }
    QLabel* lblTitle() const { return Named<QLabel>(*this, "lblTitle"); }
    QTextBrowser* memTopic() const { return Named<QTextBrowser>(*this, "memTopic"); }
    QPushButton* btnPrev() const { return Named<QPushButton>(*this, "btnPrev"); }
    QPushButton* btnNext() const { return Named<QPushButton>(*this, "btnNext"); }
};
