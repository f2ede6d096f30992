// The settings dialog's handlers and its fields' binding to the settings file.
#include "records/setting.h"

#include <QLineEdit>
#include <limits>
#include <vector>

#include "catalogue/helptopics.h"
#include "platform/combofilter.h"
#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/guard.h"
#include "platform/keyfilter.h"
#include "platform/picture.h"
#include "records/settingsfile.h"
#include "ui_setting.h"

TSetting::TSetting(TSettingHost& host, QWidget* parent)
    : TFlatDialog(parent), ui(std::make_unique<Ui::TSetting>()), host_(host) {
    ui->setupUi(this);
    // The picture may not be drawn yet; a missing one simply shows nothing.
    ui->Image1->setPixmap(WindowPicture(QStringLiteral("setting"), devicePixelRatioF()));
    FilterComboKeys(*ui->cmbError, TComboKeys::Typed,
                    [this](char16_t& key) { cmbErrorKeyPress(key); });
    FilterComboKeys(*ui->cmbCorrect, TComboKeys::Typed,
                    [this](char16_t& key) { cmbCorrectKeyPress(key); });
    // A settings line of any length comes back from the fields as it went in.
    for (int i = 0; i < FieldCount; ++i) Field(i)->setMaxLength(std::numeric_limits<int>::max());
    connect(ui->btnOK, &QPushButton::clicked, this, Guarded([this] { btnOKClick(); }));
    connect(ui->btnCancel, &QPushButton::clicked, this, Guarded([this] { btnCancelClick(); }));
    connect(ui->btnHelp, &QPushButton::clicked, this, Guarded([this] { btnHelpClick(); }));
    // Each group's title hides its frame's top line just behind its own text.
    for (QLabel* title : {ui->Label1, ui->Label4}) {
        title->ensurePolished();
        title->resize(title->sizeHint().width(), title->height());
    }
    FinishLayout();
}

TSetting::~TSetting() = default;

void TSetting::FormCreate() { host_.LoadData(); }

void TSetting::cmbErrorKeyPress(char16_t& key) {
    if (key != 8 && !IsDigitCharacter(key)) key = 0;
}

void TSetting::cmbCorrectKeyPress(char16_t& key) {
    if (!IsDigitCharacter(key)) key = 0;
}

void TSetting::btnOKClick() {
    host_.SaveData();
    accept();
}

void TSetting::btnCancelClick() { reject(); }

void TSetting::btnHelpClick() { host_.Helper(SettingsHelpContext); }

QLineEdit* TSetting::Field(int field) const {
    QLineEdit* const fields[FieldCount] = {ui->cmbError->lineEdit(), ui->cmbCorrect->lineEdit(),
                                           ui->txtHN, ui->txtMail, ui->txtURL};
    return fields[field];
}

void TSetting::LoadField(int field, const std::string& bytes) {
    Field(field)->setText(FromCp932(bytes));
    loaded_[field] = {Field(field)->text(), bytes};
}

std::string TSetting::FieldText(int field) const { return ToCp932(Field(field)->text()); }

std::string TSetting::FieldBytes(int field) const {
    const QString shown = Field(field)->text();
    return shown == loaded_[field].Shown ? loaded_[field].Bytes : ToCp932(shown);
}

void LoadSettings(const std::string& path, TSetting& setting,
                  const std::function<void(const std::string& itemName)>& checkMenuItem) {
    const auto lines = ReadSettingsLines(path);
    if (!lines) return;
    for (int i = 0; i < TSetting::FieldCount && i < static_cast<int>(lines->size()); ++i)
        setting.LoadField(i, (*lines)[i]);
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
    std::vector<std::string> lines;
    for (int i = 0; i < TSetting::FieldCount; ++i) lines.push_back(setting.FieldBytes(i));
    lines.push_back(std::to_string(questionCount));
    WriteSettingsFile(path, lines);
}
