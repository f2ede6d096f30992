// The game settings dialog: its five fields are the settings themselves, read wherever needed;
// the settings file is loaded into them and saved from them.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "records/flatdialog.h"
#include "records/settinghost.h"

class QLineEdit;
namespace Ui {
class TSetting;
}

class TSetting : public TFlatDialog {
    Q_OBJECT

  public:
    // The fields in the order of the settings file's lines: cmbError, cmbCorrect, txtHN, txtMail,
    // txtURL.
    enum FieldIndex { ErrorField, CorrectField, HandleField, MailField, UrlField, FieldCount };

    explicit TSetting(TSettingHost& host, QWidget* parent = nullptr);
    ~TSetting() override;

    // Runs once, right after construction: loads the settings into the fields.
    void FormCreate();

    // Typed-character filters; a character set to 0 is discarded.
    void cmbErrorKeyPress(char16_t& key);
    void cmbCorrectKeyPress(char16_t& key);
    // Saves first and closes only when saving succeeded.
    void btnOKClick();
    void btnCancelClick();
    void btnHelpClick();

    // What a field holds now, in CP932: the settings as the game and the ranking read them.
    std::string FieldText(int field) const;
    // Field `field` shows a line of the settings file.
    void LoadField(int field, const std::string& bytes);
    // The line to save for a field: the loaded line's own bytes while the field still shows what
    // was loaded (bytes that do not convert, or convert back differently, stay as they were),
    // otherwise the field's text in CP932.
    std::string FieldBytes(int field) const;

  private:
    QLineEdit* Field(int field) const;
    struct Loaded {
        QString Shown;
        std::string Bytes;
    };
    std::unique_ptr<Ui::TSetting> ui;
    std::array<Loaded, FieldCount> loaded_;
    TSettingHost& host_;
};

// Applies the file's lines 1 to 5 to the dialog's fields and, unless line 6 is "0", checks the
// question-count item named "mnu" + line 6. No file: nothing changes. A file of fewer than six
// lines applies what it has and then raises Exception.
void LoadSettings(const std::string& path, TSetting& setting,
                  const std::function<void(const std::string& itemName)>& checkMenuItem);

// Writes the five fields and `questionCount` as the six lines of the file.
void SaveSettings(const std::string& path, const TSetting& setting, int32_t questionCount);
