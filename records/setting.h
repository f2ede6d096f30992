// The game settings dialog: its five fields are the settings themselves, read wherever needed.
#pragma once

#include "records/flatdialog.h"
#include "records/settinghost.h"
#include "ui_setting.h"

class TSetting : public TFlatDialog, public Ui::TSetting {
  public:
    explicit TSetting(TSettingHost& host, QWidget* parent = nullptr);

    // Runs once, right after construction: loads the settings into the fields.
    void FormCreate();

    // Typed-character filters; a character set to 0 is discarded.
    void cmbErrorKeyPress(char16_t& key);
    void cmbCorrectKeyPress(char16_t& key);
    // Saves first and closes only when saving succeeded.
    void btnOKClick();
    void btnCancelClick();
    void btnHelpClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TSettingHost& host_;
};
