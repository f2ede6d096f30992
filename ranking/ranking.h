// The ranking dialog: pick a stored result of one question count, add a handle name, addresses
// and a comment, and send it to the internet ranking.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/gamefolder.h"
#include "net/ftpclient.h"
#include "ranking/endpoints.h"
#include "ranking/rankingentry.h"
#include "records/flatdialog.h"

class QLineEdit;
namespace Ui {
class TRanking;
}

class TRanking : public TFlatDialog {
    Q_OBJECT

  public:
    // `helper` shows a topic of the program's help; `endpoints` is the service sends go to.
    TRanking(const TGameFolder& folder, std::function<void(int)> helper,
             const TRankingEndpoints& endpoints = ConfiguredRankingEndpoints(),
             QWidget* parent = nullptr);
    ~TRanking() override;

    // The identity texts (CP932) the dialog opens with, copied from the settings.
    void SetIdentity(const std::string& handleName, const std::string& mail,
                     const std::string& url);
    // Offers the score log's question counts and lists the first count's results.
    void ShowCounts(const std::vector<std::string>& counts);

    void cmbMondaiChange(QObject* sender);
    void cmbMondaiKeyPress(QObject* sender, char16_t& Key);
    void btnOKClick(QObject* sender);
    void btnCancelClick(QObject* sender);
    void btnHelpClick(QObject* sender);
    void FtpClient1Success(TCmdType Trans_Type);
    bool IsInternetConnected();
    bool IsGlobalOffline();

  protected:
    void reject() override;

  private:
    bool SelectedRow(TRankingRow& row) const;
    TRankingIdentity Identity() const;
    std::string CommentBytes() const;
    void LimitComment();
    void KeepFirstLine(QLineEdit* edit);
    bool MayGoOnline();

    std::unique_ptr<Ui::TRanking> ui;
    TFtpClient FtpClient1;
    TGameFolder folder_;
    std::function<void(int)> helper_;
    TRankingEndpoints endpoints_;
    QString acceptedComment_;
    bool sending_ = false;
    bool cancelAfterSend_ = false;
};
