// The database browser as its tests reach it: the controls they work, by their names, and the image
// list beside the list view.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "catalogue/pdb.h"
#include "tests/support/testsupport.h"

class TestingPDB : public TPDB {
  public:
    using TPDB::TPDB;

    const TImageList& ImageList() const { return imlDB; }

    QComboBox* cmbSearch() const { return Named<QComboBox>(*this, "cmbSearch"); }
    QCheckBox* chkPos() const { return Named<QCheckBox>(*this, "chkPos"); }
    QLineEdit* txtPos() const { return Named<QLineEdit>(*this, "txtPos"); }
    QWidget* pnlPos() const { return Named<QWidget>(*this, "pnlPos"); }
    QListWidget* lsDB() const { return Named<QListWidget>(*this, "lsDB"); }
    QToolButton* spdvslist() const { return Named<QToolButton>(*this, "spdvslist"); }
    QToolButton* spdvsicon() const { return Named<QToolButton>(*this, "spdvsicon"); }
};
