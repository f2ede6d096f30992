// Opening the ranking dialog from the main window's menu command.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "files/gamefolder.h"
#include "ranking/endpoints.h"

class TRanking;

// Fills a dialog of the game's `folder`, not yet shown: the identity texts (CP932) copied into its
// edits, the counts of the folder's score log offered and the first count's results listed.
// Without a log it tells the player "データが見つかりませんでした。" and gives false.
bool FillRanking(TRanking& ranking, const TGameFolder& folder, const std::string& handleName,
                 const std::string& mail, const std::string& url);

// A dialog made and filled, or none where FillRanking gave false.
std::unique_ptr<TRanking> PrepareRanking(
    const TGameFolder& folder, const std::string& handleName, const std::string& mail,
    const std::string& url, std::function<void(int)> helper, QWidget* parent,
    const TRankingEndpoints& endpoints = ConfiguredRankingEndpoints());

// The menu command: prepares the dialog, shows it modally and discards it, which also ends the
// FTP session a send left open.
void OpenRanking(const TGameFolder& folder, const std::string& handleName, const std::string& mail,
                 const std::string& url, std::function<void(int)> helper, QWidget* parent);
