// The cocktail database browser: every cocktail picture, listed by the initial kana of its name,
// by all, or by a text the name contains, in icon or list view; each opens its recipe card.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/imagelist.h"
#include "files/gamefolder.h"

namespace Ui {
class TPDB;
}

class TPDB : public QDialog {
    Q_OBJECT

  public:
    // The item data role holding an item's picture index in the image list.
    static constexpr int ImageIndexRole = Qt::UserRole;
    // The item data role holding an item's catalogue entry (CP932 bytes).
    static constexpr int EntryRole = Qt::UserRole + 1;

    // Keeps a reference to the main window's catalogue (CP932 file names, reordered in place by
    // each game start); the icons are read from `folder`.
    TPDB(const std::vector<std::string>& catalogueList, const TGameFolder& folder,
         QWidget* parent = nullptr);
    ~TPDB() override;

    // Rebuilds the list for `filter` (CP932); an empty filter leaves everything as it was. An icon
    // that cannot be read stops the rebuild there and raises; the items before it stay.
    void SetcocktailDB(const std::string& filter);

    void cmbSearchChange();
    // Discards every key typed into the index.
    void cmbSearchKeyPress(char16_t& Key);
    void spdvslistClick(QObject* sender);
    void pnlPosClick();
    // Opens the recipe card of the current item (double-click or Enter in the list).
    void lsDBDblClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The pictures of the listed entries, item i showing picture i.
    TImageList imlDB;

  private:
    bool txtPosKeyPress(QEvent* event);
    void SetIconView(bool icons);

    std::unique_ptr<Ui::TPDB> ui;
    const std::vector<std::string>& catalogueList_;
    TGameFolder folder_;
};
