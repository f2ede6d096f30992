// The settings dialog: its fields, its key filters, its buttons, and the settings file behind it.
#include <gtest/gtest.h>

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "records/setting.h"
#include "records/settingsfile.h"
#include "tests/records/qtprint.h"
#include "tests/support/testingsetting.h"
#include "tests/support/testsupport.h"

namespace {
// Stands where the main window stands: loads and saves through the real settings functions.
class FakeHost : public TSettingHost {
  public:
    explicit FakeHost(std::string path) : path_(std::move(path)) {}
    void LoadData() override {
        ++loads;
        LoadSettings(path_, *setting, [this](const std::string& name) { checked.push_back(name); });
    }
    void SaveData() override {
        ++saves;
        SaveSettings(path_, *setting, questionCount);
    }
    void Helper(int context) override { helpContexts.push_back(context); }

    TSetting* setting = nullptr;
    int32_t questionCount = 0;
    int loads = 0, saves = 0;
    std::vector<std::string> checked;
    std::vector<int> helpContexts;

  private:
    std::string path_;
};

// A dialog made the way the program makes it: constructed, then its creation handler run.
struct Fixture {
    explicit Fixture(const QTemporaryDir& dir)
        : path(NativePath(dir.path()) + "/setting.dat"), host(path), setting(host) {
        host.setting = &setting;
    }
    std::string Load() {
        try {
            setting.FormCreate();
        } catch (const Exception& error) {
            return error.what();
        }
        return {};
    }
    QString File() const { return FromNative(path); }
    std::string path;
    FakeHost host;
    TestingSetting setting;
};

QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
}
}  // namespace

// A first start shows the defaults; quitting then writes them with question count 0.
TEST(RecordsSetting, FirstStartShowsDefaultsAndSavesThem) {
    QTemporaryDir dir;
    Fixture f(dir);
    EXPECT_EQ(f.Load(), "");
    EXPECT_EQ(f.host.loads, 1);
    const QStringList times = {"250",  "500",  "750",  "1000", "1500", "2000",
                               "2500", "3000", "3500", "4000", "4500", "5000"};
    EXPECT_EQ(Items(f.setting.cmbError()), times);
    EXPECT_EQ(Items(f.setting.cmbCorrect()), times);
    EXPECT_EQ(f.setting.cmbError()->currentText(), "3000");
    EXPECT_EQ(f.setting.cmbCorrect()->currentText(), "1000");
    EXPECT_EQ(f.setting.txtHN()->text() + f.setting.txtMail()->text() + f.setting.txtURL()->text(),
              "");
    EXPECT_TRUE(f.host.checked.empty());
    EXPECT_EQ(f.setting.windowTitle(), QString::fromUtf8("ｾｯﾃｨﾝｸﾞ"));
    EXPECT_EQ(f.setting.size(), QSize(508, 261));
    EXPECT_EQ(CutLabels(f.setting), std::vector<std::string>{});

    f.host.SaveData();
    EXPECT_EQ(ReadFileBytes(f.File()), "3000\r\n1000\r\n\r\n\r\n\r\n0\r\n");
}

// Japanese identity fields go to the file as CP932 and come back unchanged, with the count.
TEST(RecordsSetting, SettingsRoundTripThroughTheFile) {
    QTemporaryDir dir;
    {
        Fixture f(dir);
        f.Load();
        f.setting.cmbError()->setCurrentText("abc");
        f.setting.cmbCorrect()->setCurrentText("");
        f.setting.txtHN()->setText(QString::fromUtf8("バーテンダー太郎"));
        f.setting.txtMail()->setText("taro@example.jp");
        f.setting.txtURL()->setText(QString::fromUtf8("http://例え.jp/~taro"));
        f.host.questionCount = 30;
        f.host.SaveData();
        EXPECT_EQ(ReadFileBytes(f.File()), "abc\r\n\r\n" + Cp932Text("バーテンダー太郎") +
                                               "\r\ntaro@example.jp\r\n" +
                                               Cp932Text("http://例え.jp/~taro") + "\r\n30\r\n");
    }
    Fixture g(dir);
    EXPECT_EQ(g.Load(), "");
    EXPECT_EQ(g.setting.cmbError()->currentText(), "abc");
    EXPECT_EQ(g.setting.cmbCorrect()->currentText(), "");
    EXPECT_EQ(g.setting.txtHN()->text(), QString::fromUtf8("バーテンダー太郎"));
    EXPECT_EQ(g.setting.txtMail()->text(), "taro@example.jp");
    EXPECT_EQ(g.setting.txtURL()->text(), QString::fromUtf8("http://例え.jp/~taro"));
    EXPECT_EQ(g.host.checked, std::vector<std::string>{"mnu30"});
}

// Files with any line ends and any number of lines load what they hold; a short one applies its
// lines, reports once, and leaves the rest at their defaults.
TEST(RecordsSetting, LoadsEveryShapeOfFile) {
    struct Row {
        const char* name;
        std::string bytes;
        QStringList fields;  // cmbError, cmbCorrect, txtHN, txtMail, txtURL after loading
        std::vector<std::string> checked;
        bool reports;
    };
    const std::vector<Row> rows = {
        {"lone CR", "250\r500\rA\rB\rC\r100\r", {"250", "500", "A", "B", "C"}, {"mnu100"}, false},
        {"lone LF", "250\n500\nA\nB\nC\n10", {"250", "500", "A", "B", "C"}, {"mnu10"}, false},
        {"count 0", "1\r\n2\r\n\r\n\r\n\r\n0\r\n", {"1", "2", "", "", ""}, {}, false},
        {"unknown count", "1\r\n2\r\n\r\n\r\n\r\n33\r\n", {"1", "2", "", "", ""}, {"mnu33"}, false},
        {"over-long",
         "1\r\n2\r\n3\r\n4\r\n5\r\n20\r\n7\r\n8\r\n",
         {"1", "2", "3", "4", "5"},
         {"mnu20"},
         false},
        {"empty", "", {"3000", "1000", "", "", ""}, {}, true},
        {"three lines", "9\r\n8\r\nH", {"9", "8", "H", "", ""}, {}, true},
        {"five lines", "9\r\n8\r\nH\r\nM\r\nU\r\n", {"9", "8", "H", "M", "U"}, {}, true},
    };
    for (const auto& row : rows) {
        QTemporaryDir dir;
        Fixture f(dir);
        WriteFileBytes(f.File(), row.bytes);
        const std::string message = f.Load();
        const QStringList fields = {
            f.setting.cmbError()->currentText(), f.setting.cmbCorrect()->currentText(),
            f.setting.txtHN()->text(), f.setting.txtMail()->text(), f.setting.txtURL()->text()};
        EXPECT_EQ(fields, row.fields) << row.name;
        EXPECT_EQ(f.host.checked, row.checked) << row.name;
        EXPECT_EQ(!message.empty(), row.reports) << row.name;
        if (row.reports) {
            EXPECT_NE(message.find(f.path), std::string::npos) << row.name;
        }
    }
}

// The over-long file is cut back to six lines at the next save.
TEST(RecordsSetting, SaveAfterOverLongFileWritesSixLines) {
    QTemporaryDir dir;
    Fixture f(dir);
    WriteFileBytes(f.File(), "1\r\n2\r\n3\r\n4\r\n5\r\n20\r\n7\r\n");
    f.Load();
    f.host.questionCount = 20;
    f.host.SaveData();
    EXPECT_EQ(ReadFileBytes(f.File()), "1\r\n2\r\n3\r\n4\r\n5\r\n20\r\n");
}

// Loading and saving keep every line as it was: a line longer than an edit's default limit, bytes
// that are no CP932, and characters that would convert back to another code. An edited field is
// saved as it now reads.
TEST(RecordsSetting, LoadingThenSavingKeepsEveryByte) {
    QTemporaryDir dir;
    Fixture f(dir);
    const std::string longLine(40000, 'h');
    const std::string lines[] = {"4\x81",    "\xA0\x80", longLine, "\x87\x90\xED\x40",
                                 "\xFA\x40", "30"};
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    WriteFileBytes(f.File(), bytes);
    EXPECT_EQ(f.Load(), "");
    EXPECT_EQ(f.setting.txtHN()->text().size(), 40000);
    f.host.questionCount = 30;
    f.host.SaveData();
    EXPECT_EQ(ReadFileBytes(f.File()), bytes);
    f.setting.txtHN()->setText(f.setting.txtHN()->text() + "x");
    f.host.SaveData();
    bytes.insert(bytes.find(longLine) + longLine.size(), "x");
    EXPECT_EQ(ReadFileBytes(f.File()), bytes);
}

// Tab walks the five fields in their order; the combo boxes' key filters let it through.
TEST(RecordsSetting, TabWalksTheFields) {
    QTemporaryDir dir;
    Fixture f(dir);
    f.Load();
    const std::vector<QWidget*> order = {f.setting.cmbCorrect(), f.setting.txtHN(),
                                         f.setting.txtMail(), f.setting.txtURL(),
                                         f.setting.cmbError()};
    EXPECT_EQ(FocusWalk(&f.setting, f.setting.cmbError(), 5, false), order);
}

namespace {
struct KeyRow {
    const char* name;
    bool errorField;  // cmbError, else cmbCorrect
    std::function<void(QComboBox*)> keys;
    QString expected;
};

void TypeText(QComboBox* combo, const char* text) { QTest::keyClicks(combo, text); }

// A key that types a character the test library has no key code for, as a keyboard layout sends it.
void TypeUnicode(QComboBox* combo, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(combo, &press);
}
}  // namespace

// Typed characters are filtered before they reach the field; keys that type nothing are not.
// Backspace works in cmbError only.
TEST(RecordsSetting, KeyFiltersOfBothComboBoxes) {
    const std::vector<KeyRow> rows = {
        {"digit appends", true, [](QComboBox* c) { TypeText(c, "7"); }, "30007"},
        {"digit appends", false, [](QComboBox* c) { TypeText(c, "7"); }, "10007"},
        {"letters and signs", true, [](QComboBox* c) { TypeText(c, "a-+. Z"); }, "3000"},
        {"letters and signs", false, [](QComboBox* c) { TypeText(c, "a-+. Z"); }, "1000"},
        {"mixed", true, [](QComboBox* c) { TypeText(c, "1x2"); }, "300012"},
        {"full-width digit", true, [](QComboBox* c) { TypeUnicode(c, QString::fromUtf8("５")); },
         "3000"},
        {"backspace", true, [](QComboBox* c) { QTest::keyClick(c, Qt::Key_Backspace); }, "300"},
        {"backspace", false, [](QComboBox* c) { QTest::keyClick(c, Qt::Key_Backspace); }, "1000"},
        {"delete at start", true,
         [](QComboBox* c) {
             QTest::keyClick(c, Qt::Key_Home);
             QTest::keyClick(c, Qt::Key_Delete);
         },
         "000"},
        {"delete at start", false,
         [](QComboBox* c) {
             QTest::keyClick(c, Qt::Key_Home);
             QTest::keyClick(c, Qt::Key_Delete);
         },
         "000"},
        {"arrows then digit", false,
         [](QComboBox* c) {
             QTest::keyClick(c, Qt::Key_Left);
             QTest::keyClick(c, Qt::Key_Left);
             TypeText(c, "5");
         },
         "10500"},
        {"overtype a selection", false,
         [](QComboBox* c) {
             c->lineEdit()->selectAll();
             TypeText(c, "250");
         },
         "250"},
        {"alt with a letter", true,
         [](QComboBox* c) { QTest::keyClick(c, Qt::Key_A, Qt::AltModifier); }, "3000"},
        {"ctrl with a letter", false,
         [](QComboBox* c) {
             c->lineEdit()->selectAll();
             QTest::keyClick(c, Qt::Key_X, Qt::ControlModifier);
         },
         "1000"},
        {"enter adds no item", true, [](QComboBox* c) { QTest::keyClick(c, Qt::Key_Return); },
         "3000"},
        {"no completion", true,
         [](QComboBox* c) {
             c->lineEdit()->clear();
             TypeText(c, "45");
         },
         "45"},
        {"no completion", false,
         [](QComboBox* c) {
             c->lineEdit()->clear();
             TypeText(c, "200");
         },
         "200"},
        {"list choice", true, [](QComboBox* c) { QTest::keyClick(c, Qt::Key_Down); }, "3500"},
        {"list choice", false, [](QComboBox* c) { QTest::keyClick(c, Qt::Key_Up); }, "750"},
        {"sent to the edit", true, [](QComboBox* c) { QTest::keyClicks(c->lineEdit(), "4q"); },
         "30004"},
        {"sent to the edit", false,
         [](QComboBox* c) { QTest::keyClick(c->lineEdit(), Qt::Key_Backspace); }, "1000"},
    };
    for (const auto& row : rows) {
        QTemporaryDir dir;
        Fixture f(dir);
        f.Load();
        // Completion works only in the active window, as for a player.
        f.setting.show();
        f.setting.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.setting));
        QComboBox* combo = row.errorField ? f.setting.cmbError() : f.setting.cmbCorrect();
        combo->setFocus();
        row.keys(combo);
        EXPECT_EQ(combo->currentText(), row.expected)
            << row.name << (row.errorField ? " in cmbError" : " in cmbCorrect");
        EXPECT_EQ(combo->count(), 12) << row.name;
    }
}

// OK saves before it closes; Cancel and the close box close without saving or undoing.
TEST(RecordsSetting, ButtonsSaveCloseAndHelp) {
    QTemporaryDir dir;
    Fixture f(dir);
    f.Load();
    f.setting.show();
    f.setting.cmbCorrect()->setCurrentText("250");
    QTest::mouseClick(f.setting.btnCancel(), Qt::LeftButton);
    EXPECT_FALSE(f.setting.isVisible());
    EXPECT_EQ(f.setting.result(), QDialog::Rejected);
    EXPECT_EQ(f.setting.cmbCorrect()->currentText(), "250");
    EXPECT_EQ(f.host.saves, 0);

    f.setting.show();
    f.setting.close();
    EXPECT_FALSE(f.setting.isVisible());
    EXPECT_EQ(f.setting.result(), QDialog::Rejected);
    EXPECT_EQ(f.host.saves, 0);

    f.setting.show();
    QTest::mouseClick(f.setting.btnHelp(), Qt::LeftButton);
    EXPECT_EQ(f.host.helpContexts, std::vector<int>{5});
    EXPECT_TRUE(f.setting.isVisible());

    QTest::mouseClick(f.setting.btnOK(), Qt::LeftButton);
    EXPECT_FALSE(f.setting.isVisible());
    EXPECT_EQ(f.setting.result(), QDialog::Accepted);
    EXPECT_EQ(ReadFileBytes(f.File()), "3000\r\n250\r\n\r\n\r\n\r\n0\r\n");
}

// Enter and Esc never close the dialog, and the buttons never take the focus.
TEST(RecordsSetting, EnterAndEscDoNotClose) {
    QTemporaryDir dir;
    Fixture f(dir);
    f.Load();
    f.setting.show();
    for (QWidget* field :
         std::initializer_list<QWidget*>{f.setting.txtHN(), f.setting.cmbError()}) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClick(field, Qt::Key_Escape);
        EXPECT_TRUE(f.setting.isVisible());
    }
    QTest::keyClick(&f.setting, Qt::Key_Escape);
    EXPECT_TRUE(f.setting.isVisible());
    for (QPushButton* b : {f.setting.btnOK(), f.setting.btnCancel(), f.setting.btnHelp()}) {
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << b->objectName().toStdString();
        EXPECT_TRUE(b->isFlat());
    }
    EXPECT_EQ(f.host.saves, 0);
}

// Each group's title interrupts its frame's top line: the line is hidden under the blank that
// opens the title, and shows again just after the title's text.
TEST(RecordsSetting, GroupTitlesInterruptTheirFrames) {
    QTemporaryDir dir;
    Fixture f(dir);
    const QImage shown = f.setting.grab().toImage();
    for (auto [titleName, frameName] : {std::pair{"Label1", "Shape1"}, {"Label4", "Shape2"}}) {
        const auto* title = Named<QLabel>(f.setting, titleName);
        const auto* frame = Named<QWidget>(f.setting, frameName);
        SCOPED_TRACE(title->objectName().toStdString());
        const int line = frame->y();
        const int blank = title->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        EXPECT_LE(title->width(), title->fontMetrics().horizontalAdvance(title->text()) + 2);
        for (int x = title->x(); x < title->x() + blank; ++x)
            EXPECT_EQ(shown.pixelColor(x, line), QColor(Qt::black)) << "x " << x;
        const QColor frameLine = shown.pixelColor(frame->geometry().right() - 4, line);
        EXPECT_NE(frameLine, QColor(Qt::black));
        EXPECT_EQ(shown.pixelColor(title->geometry().right() + 4, line), frameLine);
    }
}

// The fields are visited in the order cmbError, cmbCorrect, txtHN, txtMail, txtURL.
TEST(RecordsSetting, TabOrder) {
    QTemporaryDir dir;
    Fixture f(dir);
    f.setting.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.setting));
    f.setting.cmbError()->setFocus();
    std::vector<QString> visited;
    for (int i = 0; i < 5; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        // An editable combo box keeps the focus on itself; its edit proxies to it.
        visited.push_back(focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(visited,
              (std::vector<QString>{"cmbError", "cmbCorrect", "txtHN", "txtMail", "txtURL"}));
}

// A setting.dat that cannot be written is reported and keeps the dialog open.
TEST(RecordsSetting, UnwritableFileKeepsTheDialogOpen) {
    QTemporaryDir dir;
    Fixture f(dir);
    f.Load();
    QDir(dir.path()).mkdir(QStringLiteral("setting.dat"));
    ScriptedBoxes boxes;
    f.setting.show();
    QTest::mouseClick(f.setting.btnOK(), Qt::LeftButton);
    EXPECT_EQ(f.host.saves, 1);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Error);
    EXPECT_TRUE(f.setting.isVisible());
    EXPECT_EQ(f.setting.result(), 0);
}
