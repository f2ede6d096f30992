// The settings file's lines in the dialog's fields.
#include "records/settingsfile.h"

#include <array>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "records/setting.h"

void LoadSettings(const std::string& path, TSetting& setting,
                  const std::function<void(const std::string& itemName)>& checkMenuItem) {
    const auto lines = ReadSettingsLines(path);
    if (!lines) return;
    const std::array<std::function<void(const QString&)>, 5> fields = {
        [&](const QString& t) { setting.cmbError->setCurrentText(t); },
        [&](const QString& t) { setting.cmbCorrect->setCurrentText(t); },
        [&](const QString& t) { setting.txtHN->setText(t); },
        [&](const QString& t) { setting.txtMail->setText(t); },
        [&](const QString& t) { setting.txtURL->setText(t); },
    };
    for (std::size_t i = 0; i < fields.size() && i < lines->size(); ++i) {
        fields[i](FromCp932((*lines)[i]));
    }
    if (lines->size() < SettingsLineCount) {
        // Lines it has are in use already; the player learns why the others show defaults.
        throw Exception(path + ToCp932(QStringLiteral("は%1行しかありません（%2行必要です）。"
                                                      "残りの設定は既定値のままです。")
                                           .arg(lines->size())
                                           .arg(SettingsLineCount)));
    }
    const std::string& count = (*lines)[5];
    if (count != "0") checkMenuItem("mnu" + count);
}

void SaveSettings(const std::string& path, const TSetting& setting, int32_t questionCount) {
    WriteSettingsFile(
        path, {ToCp932(setting.cmbError->currentText()), ToCp932(setting.cmbCorrect->currentText()),
               ToCp932(setting.txtHN->text()), ToCp932(setting.txtMail->text()),
               ToCp932(setting.txtURL->text()), std::to_string(questionCount)});
}
