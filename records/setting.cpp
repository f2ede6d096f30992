// The settings dialog's handlers.
#include "records/setting.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>

#include "records/keyfilter.h"

namespace {
// Help topic of the settings dialog in the help file.
constexpr int SettingHelpContext = 5;
}  // namespace

TSetting::TSetting(TSettingHost& host, QWidget* parent) : TFlatDialog(parent), host_(host) {
    setupUi(this);
    // The picture may not be drawn yet; a missing one simply shows nothing.
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/setting.png")));
    for (QComboBox* combo : {cmbError, cmbCorrect}) {
        // Real keys reach the combo box, which hands them to its edit behind every filter, so
        // both are watched; the input method would bypass the filter altogether.
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
        combo->lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    connect(btnOK, &QPushButton::clicked, this, &TSetting::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TSetting::btnCancelClick);
    connect(btnHelp, &QPushButton::clicked, this, &TSetting::btnHelpClick);
    FinishLayout(508, 261);
}

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

void TSetting::btnHelpClick() { host_.Helper(SettingHelpContext); }

bool TSetting::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return TFlatDialog::eventFilter(watched, event);
    char16_t key = TypedCharacter(*static_cast<QKeyEvent*>(event));
    if (key == 0) return false;
    const bool error = watched == cmbError || watched == cmbError->lineEdit();
    const bool correct = watched == cmbCorrect || watched == cmbCorrect->lineEdit();
    if (error) cmbErrorKeyPress(key);
    if (correct) cmbCorrectKeyPress(key);
    return (error || correct) && key == 0;
}
