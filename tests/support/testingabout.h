// The about box as its tests reach it: the cocktail picture and the credit's labels, by their
// names.
#pragma once

#include <QLabel>

#include "catalogue/about.h"
#include "tests/support/testsupport.h"

class TestingAbout : public TAbout {
  public:
    using TAbout::TAbout;

    QLabel* imgPerfume() const { return Named<QLabel>(*this, "imgPerfume"); }
    QLabel* Label1() const { return Named<QLabel>(*this, "Label1"); }
    QLabel* Label4() const { return Named<QLabel>(*this, "Label4"); }
    QLabel* Label7() const { return Named<QLabel>(*this, "Label7"); }
    QLabel* Label8() const { return Named<QLabel>(*this, "Label8"); }
};
