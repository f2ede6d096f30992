// The about box: the title, the program's purpose, the credits and the maker's links, with the
// picture of a cocktail drawn at random from the catalogue at each opening.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "files/gamefolder.h"

namespace Ui {
class TAbout;
}

class TAbout : public QDialog {
    Q_OBJECT

  public:
    // The maker's page, the maker's mail address and the icons' page (CP932).
    static const std::string MakerPage;
    static const std::string MakerMail;
    static const std::string IconPage;

    // Draws the cocktail; a catalogue entry that is not a readable icon raises before the box is
    // ever shown. An empty catalogue leaves the picture and its hint empty.
    TAbout(const std::vector<std::string>& catalogueList, const TGameFolder& folder,
           QWidget* parent = nullptr);
    ~TAbout() override;

    void Shape1MouseUp();
    void Label3Click();
    void Label4Click();
    void Label7Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ApplyLook();
    void DrawCocktail(const std::vector<std::string>& catalogueList, const TGameFolder& folder);

    std::unique_ptr<Ui::TAbout> ui;
};

// Opens the about box modally; it is destroyed when it closes.
void ShowAbout(const std::vector<std::string>& catalogueList, const TGameFolder& folder,
               QWidget* parent = nullptr);
