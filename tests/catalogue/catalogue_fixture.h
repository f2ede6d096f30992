// Small cocktail catalogues of real icon files in a temporary folder, for the browser and about
// box.
#pragma once

#include <QRgb>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "files/gamefolder.h"

class TestCatalogue {
    // First, so that the folder exists before the members that name it.
    QTemporaryDir dir_;

  public:
    // Writes one 32 × 32 icon per name (UTF-8, with extension) into <temp>/cocktail/, each filled
    // with its own colour, and lists them in the given order.
    explicit TestCatalogue(const std::vector<const char*>& names);

    std::vector<std::string> List;  // CP932 entries, as the main window holds them
    TGameFolder AppFolder;          // the temporary folder

    // The colour of the icon written for a CP932 entry.
    QRgb ColourOf(const std::string& entry) const;
    // Replaces an entry's icon file with bytes that are no icon.
    void Break(const std::string& entry) const;

  private:
    std::vector<std::string> written_;
};

// Turns CP932 entries into readable UTF-8 texts for comparisons.
std::vector<std::string> Utf8(const std::vector<std::string>& cp932);
