// The ranking dialog as its tests reach it: the controls they work, by their names, and the dialog
// made and filled as the menu command makes it.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <memory>

#include "ranking/openranking.h"
#include "ranking/ranking.h"
#include "tests/support/testsupport.h"

class TestingRanking : public TRanking {
  public:
    using TRanking::TRanking;

    // A dialog filled as PrepareRanking fills it, or none where there is no score log.
    static std::unique_ptr<TestingRanking> Prepare(const TGameFolder& folder,
                                                   const std::string& handleName,
                                                   const std::string& mail, const std::string& url,
                                                   std::function<void(int)> helper,
                                                   const TRankingEndpoints& endpoints) {
        auto ranking = std::make_unique<TestingRanking>(folder, std::move(helper), endpoints);
        if (!FillRanking(*ranking, folder, handleName, mail, url)) return nullptr;
        return ranking;
    }

    QComboBox* cmbMondai() const { return Named<QComboBox>(*this, "cmbMondai"); }
    QTableWidget* lsRanking() const { return Named<QTableWidget>(*this, "lsRanking"); }
    QLineEdit* txtHN() const { return Named<QLineEdit>(*this, "txtHN"); }
    QLineEdit* txtMail() const { return Named<QLineEdit>(*this, "txtMail"); }
    QLineEdit* txtURL() const { return Named<QLineEdit>(*this, "txtURL"); }
    QPlainTextEdit* memComment() const { return Named<QPlainTextEdit>(*this, "memComment"); }
    QPushButton* btnOK() const { return Named<QPushButton>(*this, "btnOK"); }
    QPushButton* btnCancel() const { return Named<QPushButton>(*this, "btnCancel"); }
    QPushButton* btnHelp() const { return Named<QPushButton>(*this, "btnHelp"); }
};
