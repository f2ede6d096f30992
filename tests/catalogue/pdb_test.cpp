// The database browser over real icon files: its filters, its two views and its list kept in step
// with its image list.
#include "catalogue/pdb.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <algorithm>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/support/testingpdb.h"
#include "tests/support/testsupport.h"

namespace {

const std::vector<const char*> kNames = {
    "カンパリ・ソーダ.ico",
    "アレキサンダー.ico",
    "XYZ.ico",
    "キール.ico",
    "ソルティ・ドッグ.ico",
    "カミカゼ.ico",
    "サイドカー.ico",
    "ダイキリ.ico",
    "タワーリシチ.ico",
    "ニコラシカ.ico",
    "ハイボール.ico",
    "マティーニ.ico",
    "ヤングマン.ico",
    "ラスティ・ネイル.ico",
    "ワード・エイト.ico",
    "ﾓｽｺﾐｭｰﾙ.ico",
    "007.ico",
    "ジン・ソーダ.ico",
    "イエロー・パロット.ico",
    "b&b.ico",
};

class BrowserTest : public ::testing::Test {
  protected:
    BrowserTest() : catalogue(kNames), pdb(catalogue.List, catalogue.AppFolder) {}

    // Chooses an index item as the player does with the mouse.
    void ChooseIndex(const char* text) {
        const int target = pdb.cmbSearch()->findText(QString::fromUtf8(text));
        ASSERT_GE(target, 0) << text;
        pdb.cmbSearch()->setCurrentIndex(target);
        emit pdb.cmbSearch()->activated(target);
    }

    void Search(const char* text) {
        pdb.txtPos()->setText(QString::fromUtf8(text));
        QTest::mouseClick(pdb.pnlPos(), Qt::LeftButton);
    }

    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (int i = 0; i < pdb.lsDB()->count(); ++i) {
            captions.push_back(pdb.lsDB()->item(i)->text().toStdString());
        }
        return captions;
    }

    // The names of the catalogue entries that begin with `prefix` (UTF-8), in catalogue order.
    std::vector<std::string> NamesStartingWith(const char* prefix) const {
        std::vector<std::string> names;
        for (const std::string& entry : Utf8(catalogue.List)) {
            if (entry.rfind(prefix, 0) == 0) names.push_back(entry.substr(0, entry.rfind('.')));
        }
        return names;
    }

    // Item i shows picture i of imlDB, and that picture is the icon of the item's own entry.
    void ExpectListAndImagesInStep() const {
        ASSERT_EQ(pdb.ImageList().Count(), pdb.lsDB()->count());
        for (int i = 0; i < pdb.lsDB()->count(); ++i) {
            const QListWidgetItem* item = pdb.lsDB()->item(i);
            EXPECT_EQ(item->data(TPDB::ImageIndexRole).toInt(), i);
            const std::string entry = ToCp932(item->text()) + ".ico";
            EXPECT_EQ(pdb.ImageList().Image(i).pixel(16, 16), catalogue.ColourOf(entry))
                << item->text().toStdString();
            EXPECT_EQ(pdb.ImageList().Image(i).size(), QSize(32, 32));
            // However the view shortens a caption, its hover text is the whole name.
            EXPECT_EQ(item->toolTip(), item->text());
        }
    }

    ScriptedBoxes boxes;
    TestCatalogue catalogue;
    TestingPDB pdb;
};

const QString kNoMatch = QStringLiteral("検索条件に一致するものがありませんでした。");

// A new browser lists nothing until a filter is applied, and its index holds the thirteen items.
TEST_F(BrowserTest, StartsEmptyOnTheFirstKana) {
    QStringList items;
    for (int i = 0; i < pdb.cmbSearch()->count(); ++i) items << pdb.cmbSearch()->itemText(i);
    EXPECT_EQ(items.join(u','), QStringLiteral(",#,ア,カ,サ,タ,ナ,ハ,マ,ヤ,ラ,ワ,ALL"));
    EXPECT_EQ(pdb.cmbSearch()->currentText(), QStringLiteral("ア"));
    EXPECT_EQ(pdb.lsDB()->viewMode(), QListView::IconMode);
    EXPECT_EQ(pdb.lsDB()->count(), 0);
}

// Each kana of the index lists exactly the names that begin with that kana, in catalogue order.
TEST_F(BrowserTest, KanaIndexListsNamesBeginningWithThatCharacter) {
    const char* kana[] = {"カ", "サ", "タ", "ナ", "ハ", "マ", "ヤ", "ラ", "ワ", "ア"};
    for (const char* k : kana) {
        ChooseIndex(k);
        EXPECT_EQ(Captions(), NamesStartingWith(k)) << k;
        ExpectListAndImagesInStep();
    }
    ChooseIndex("カ");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"カンパリ・ソーダ", "カミカゼ"}));
    EXPECT_TRUE(boxes.Seen().empty());
}

// "#" lists the names that begin with a single-byte character, "ALL" every name.
TEST_F(BrowserTest, HashAndAllIndexes) {
    ChooseIndex("#");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"XYZ", "ﾓｽｺﾐｭｰﾙ", "007", "b&b"}));
    ExpectListAndImagesInStep();
    ChooseIndex("ALL");
    EXPECT_EQ(pdb.lsDB()->count(), static_cast<int>(kNames.size()));
    ExpectListAndImagesInStep();
    // Ticked, "ALL" is a text to find, and no lower-cased name holds upper-case letters.
    pdb.chkPos()->setChecked(true);
    ChooseIndex("ワ");
    ChooseIndex("ALL");
    EXPECT_EQ(pdb.lsDB()->count(), 0);
    EXPECT_TRUE(boxes.Seen().empty());  // the index never reports an empty result
}

// The index changes only by choosing an item: Enter, typing and editing keys change neither it nor
// the list (with the box ticked a rebuild would list other names); the arrows choose, Tab leaves.
TEST_F(BrowserTest, TheIndexTakesNoTyping) {
    ChooseIndex("カ");
    pdb.chkPos()->setChecked(true);
    const std::vector<std::string> before = Captions();
    for (QWidget* target : {static_cast<QWidget*>(pdb.cmbSearch()),
                            static_cast<QWidget*>(pdb.cmbSearch()->lineEdit())}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_A, Qt::Key_Backspace,
                            Qt::Key_Delete, Qt::Key_Space})
            QTest::keyClick(target, key);
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(pdb.cmbSearch()->currentText(), QStringLiteral("カ"));
    EXPECT_EQ(Captions(), before);
    pdb.chkPos()->setChecked(false);
    QTest::keyClick(pdb.cmbSearch(), Qt::Key_Down);
    EXPECT_EQ(Captions(), NamesStartingWith("サ"));
    for (QWidget* field :
         {static_cast<QWidget*>(pdb.cmbSearch()), static_cast<QWidget*>(pdb.txtPos())})
        EXPECT_NE(FocusWalk(&pdb, field, 1, false).front(), field);
}

// A rebuilt list is shown from its start, not at the old list's scroll position.
TEST_F(BrowserTest, ARebuildShowsTheListFromItsStart) {
    pdb.resize(320, 240);
    pdb.show();
    ChooseIndex("ALL");
    QApplication::processEvents();
    QScrollBar* bar = pdb.lsDB()->verticalScrollBar();
    bar->setValue(bar->maximum());
    ASSERT_GT(bar->value(), 0);
    ChooseIndex("#");
    QApplication::processEvents();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), 0);
}

// The empty index item and "OK" with an empty edit change nothing at all.
TEST_F(BrowserTest, EmptyFilterLeavesTheListAlone) {
    ChooseIndex("サ");
    const std::vector<std::string> before = Captions();
    ChooseIndex("");
    EXPECT_EQ(Captions(), before);
    EXPECT_EQ(pdb.ImageList().Count(), static_cast<int>(before.size()));
    Search("");
    EXPECT_EQ(Captions(), before);
    EXPECT_TRUE(boxes.Seen().empty());
}

// "OK" over an empty list with an empty edit still reports no match.
TEST_F(BrowserTest, EmptyEditOverAnEmptyListReportsNoMatch) {
    Search("");
    EXPECT_EQ(boxes.Texts(), (std::vector<QString>{kNoMatch}));
    EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Information);
}

// With the check box, the edit's text is found anywhere in the names; Latin text is lowered first.
TEST_F(BrowserTest, ContainsSearchWithKanaAndLatinText) {
    pdb.chkPos()->setChecked(true);
    Search("ソーダ");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"カンパリ・ソーダ", "ジン・ソーダ"}));
    ExpectListAndImagesInStep();
    Search("XyZ");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"XYZ"}));
    Search("ア");  // ア's second byte is "A": lowering must not turn it into another character
    EXPECT_EQ(Captions(), (std::vector<std::string>{"アレキサンダー"}));
    EXPECT_TRUE(boxes.Seen().empty());
    Search("ジンジャー");
    EXPECT_EQ(pdb.lsDB()->count(), 0);
    EXPECT_EQ(boxes.Texts(), (std::vector<QString>{kNoMatch}));
}

// Without the check box, the edit's text is judged by its first character, or lists all on "ALL".
TEST_F(BrowserTest, EditTextWithoutTheCheckBox) {
    Search("ソーダ");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"ソルティ・ドッグ"}));
    Search("zzz");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"XYZ", "ﾓｽｺﾐｭｰﾙ", "007", "b&b"}));
    ChooseIndex("ALL");
    Search("カ");
    EXPECT_EQ(pdb.lsDB()->count(), static_cast<int>(kNames.size()));
}

// The index changes only by choosing items (the arrow keys choose too); typing into it does
// nothing. Enter in the edit acts as "OK" and is not typed.
TEST_F(BrowserTest, KeysOfTheIndexAndTheEdit) {
    QTest::keyClick(pdb.cmbSearch(), Qt::Key_Down);
    EXPECT_EQ(pdb.cmbSearch()->currentText(), QStringLiteral("カ"));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"カンパリ・ソーダ", "カミカゼ"}));
    QTest::keyClicks(pdb.cmbSearch(), QStringLiteral("ALL"));
    QTest::keyClick(pdb.cmbSearch(), Qt::Key_Backspace);
    QTest::keyClick(pdb.cmbSearch(), Qt::Key_Delete);
    EXPECT_EQ(pdb.cmbSearch()->lineEdit()->text(), QStringLiteral("カ"));
    EXPECT_EQ(pdb.lsDB()->count(), 2);

    pdb.chkPos()->setChecked(true);
    pdb.txtPos()->setText(QStringLiteral("ソーダ"));
    QTest::keyClick(pdb.txtPos(), Qt::Key_Return);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"カンパリ・ソーダ", "ジン・ソーダ"}));
    EXPECT_EQ(pdb.txtPos()->text(), QStringLiteral("ソーダ"));
    pdb.txtPos()->setText(QStringLiteral("ミカ"));
    QTest::keyClick(pdb.txtPos(), Qt::Key_Enter);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"カミカゼ"}));
    QTest::keyClicks(pdb.txtPos(), QStringLiteral("x"));
    EXPECT_EQ(pdb.txtPos()->text(), QStringLiteral("ミカx"));
    EXPECT_TRUE(boxes.Seen().empty());
}

// A game start reorders the catalogue in place; the next filling shows the new order.
TEST_F(BrowserTest, ReorderedCatalogueShowsItsNewOrder) {
    ChooseIndex("カ");
    std::reverse(catalogue.List.begin(), catalogue.List.end());
    ChooseIndex("サ");
    ChooseIndex("カ");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"カミカゼ", "カンパリ・ソーダ"}));
    ExpectListAndImagesInStep();
}

// The two view buttons: exactly one is down, and it sets the list's mode; the items stay.
TEST_F(BrowserTest, ViewButtonsSwitchTheMode) {
    ChooseIndex("ALL");
    QTest::mouseClick(pdb.spdvslist(), Qt::LeftButton);
    EXPECT_EQ(pdb.lsDB()->viewMode(), QListView::ListMode);
    EXPECT_TRUE(pdb.spdvslist()->isChecked());
    EXPECT_FALSE(pdb.spdvsicon()->isChecked());
    EXPECT_EQ(pdb.lsDB()->iconSize(), QSize(32, 32));
    EXPECT_EQ(pdb.lsDB()->count(), static_cast<int>(kNames.size()));
    QTest::mouseClick(pdb.spdvslist(),
                      Qt::LeftButton);  // a button already down stays down
    EXPECT_TRUE(pdb.spdvslist()->isChecked());
    EXPECT_EQ(pdb.lsDB()->viewMode(), QListView::ListMode);
    QTest::mouseClick(pdb.spdvsicon(), Qt::LeftButton);
    EXPECT_EQ(pdb.lsDB()->viewMode(), QListView::IconMode);
    EXPECT_FALSE(pdb.spdvslist()->isChecked());
    // Only toggle buttons switch the mode.
    pdb.spdvslistClick(pdb.chkPos());
    EXPECT_EQ(pdb.lsDB()->viewMode(), QListView::IconMode);
}

// An unreadable icon stops the rebuild there with the loader's error; the items before it stay.
TEST_F(BrowserTest, UnreadableIconStopsTheRebuild) {
    catalogue.Break(Cp932Text("サイドカー.ico"));
    ChooseIndex("カ");  // no broken icon among these
    pdb.chkPos()->setChecked(true);
    try {
        pdb.SetcocktailDB(Cp932Text("ー"));
        FAIL() << "no error for a broken icon";
    } catch (const Exception& error) {
        EXPECT_TRUE(FromCp932(error.what()).contains(QStringLiteral("サイドカー.ico")));
    }
    // The names holding "ー" that come before サイドカー in the catalogue.
    EXPECT_EQ(Captions(),
              (std::vector<std::string>{"カンパリ・ソーダ", "アレキサンダー", "キール"}));
    ExpectListAndImagesInStep();
    EXPECT_TRUE(pdb.lsDB()->updatesEnabled());
}

}  // namespace
