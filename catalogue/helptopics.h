// The topics of the help file cocktail.hlp that the dialogs open, by their context numbers.
#pragma once

constexpr int RankingHelpContext = 4;
constexpr int SettingsHelpContext = 5;
