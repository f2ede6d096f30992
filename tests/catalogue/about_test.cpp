// The about box: its random cocktail with the name as hint, its credit line, and which clicks close
// it.
#include "catalogue/about.h"

#include <gtest/gtest.h>

#include <QTest>
#include <cmath>
#include <set>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/shell.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/support/testingabout.h"
#include "tests/support/testsupport.h"

namespace {

const std::vector<const char*> kNames = {"マティーニ.ico",       "ギムレット.ico", "XYZ.ico",
                                         "ソルティ・ドッグ.ico", "ﾓｽｺﾐｭｰﾙ.ico",    "アラスカ.ico"};

// Records what the box asks the shell to open.
class ShellRequests {
  public:
    ShellRequests() {
        SetShellOpenHandler([this](const std::string& target) { Seen.push_back(target); });
    }
    ~ShellRequests() { SetShellOpenHandler(nullptr); }
    std::vector<std::string> Seen;
};

// The picture is always the icon of the cocktail its hint names, and openings vary the cocktail.
TEST(AboutBox, RandomCocktailWithItsNameAsHint) {
    FixedSeeds seeds(7);
    TestCatalogue catalogue(kNames);
    std::set<std::string> shown;
    for (int opening = 0; opening < 12; ++opening) {
        TestingAbout about(catalogue.List, catalogue.AppFolder);
        const QString hint = about.imgPerfume()->toolTip();
        const std::string entry = ToCp932(hint) + ".ico";
        ASSERT_NE(std::find(catalogue.List.begin(), catalogue.List.end(), entry),
                  catalogue.List.end())
            << hint.toStdString();
        const QImage picture = about.imgPerfume()->pixmap().toImage();
        EXPECT_EQ(picture.size(), QSize(32, 32));
        EXPECT_EQ(picture.pixel(16, 16), catalogue.ColourOf(entry));
        shown.insert(entry);
    }
    EXPECT_GT(shown.size(), 1u);
}

// An empty catalogue opens the box without a picture and without a hint.
TEST(AboutBox, EmptyCatalogueShowsNoPictureAndNoHint) {
    TestCatalogue catalogue({});
    TestingAbout about(catalogue.List, catalogue.AppFolder);
    EXPECT_TRUE(about.imgPerfume()->pixmap().isNull());
    EXPECT_TRUE(about.imgPerfume()->toolTip().isEmpty());
}

// A cocktail file that is no icon fails the opening before the box exists.
TEST(AboutBox, UnreadablePictureRaises) {
    TestCatalogue catalogue({"マティーニ.ico"});
    catalogue.Break(catalogue.List[0]);
    EXPECT_THROW(TAbout(catalogue.List, catalogue.AppFolder), Exception);
}

// The credit's three labels read as one line that fits inside the box, whatever the fonts.
TEST(AboutBox, CreditLineFitsTheBox) {
    TestCatalogue catalogue({});
    TestingAbout about(catalogue.List, catalogue.AppFolder);
    EXPECT_EQ(about.Label7()->x(), about.Label1()->geometry().right() + 1);
    EXPECT_EQ(about.Label8()->x(), about.Label7()->geometry().right() + 1);
    EXPECT_LT(about.Label8()->geometry().right(), about.width() - 1);
    EXPECT_EQ(about.Label4()->text(), QStringLiteral("mailto : ") + FromCp932(TAbout::MakerMail));
}

// Every text of the box fits its label in the font it is shown in.
TEST(AboutBox, EveryTextFitsItsLabel) {
    TestCatalogue catalogue({});
    TestingAbout about(catalogue.List, catalogue.AppFolder);
    EXPECT_EQ(CutLabels(about), std::vector<std::string>{});
}

// The links read on the box's black: each colour's contrast is at least 4.5:1.
TEST(AboutBox, LinksContrastWithBlack) {
    TestCatalogue catalogue({});
    TestingAbout about(catalogue.List, catalogue.AppFolder);
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    for (QLabel* link : {Named<QLabel>(about, "Label3"), about.Label4(), about.Label7()}) {
        link->ensurePolished();
        const QColor c = link->palette().color(QPalette::WindowText);
        const double luminance =
            0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
        EXPECT_GE((luminance + 0.05) / 0.05, 4.5)
            << link->objectName().toStdString() << " " << c.name().toStdString();
    }
}

// A click anywhere closes the box, except on the maker's two links, which only open their targets;
// the icon credit opens its page and closes.
TEST(AboutBox, ClicksCloseExceptOnTheMakersLinks) {
    TestCatalogue catalogue(kNames);
    struct Case {
        const char* control;
        bool closes;
        std::string opened;
    };
    const Case cases[] = {
        {"Shape1", true, ""},
        {"imgPerfume", true, ""},
        {"Image1", true, ""},
        {"Label1", true, ""},
        {"Label2", true, ""},
        {"Label5", true, ""},
        {"Label6", true, ""},
        {"Label8", true, ""},
        {"Label7", true, TAbout::IconPage},
        {"Label3", false, TAbout::MakerPage},
        {"Label4", false, "mailto:" + TAbout::MakerMail},
    };
    for (const Case& c : cases) {
        ShellRequests shell;
        TestingAbout about(catalogue.List, catalogue.AppFolder);
        about.show();
        auto* control = about.findChild<QWidget*>(QString::fromLatin1(c.control));
        ASSERT_NE(control, nullptr) << c.control;
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_EQ(!about.isVisible(), c.closes) << c.control;
        const std::vector<std::string> expected =
            c.opened.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.opened};
        EXPECT_EQ(shell.Seen, expected) << c.control;
    }
    // The right button closes too, but opens no link.
    ShellRequests shell;
    TestingAbout about(catalogue.List, catalogue.AppFolder);
    about.show();
    QTest::mouseClick(about.Label7(), Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(shell.Seen.empty());
}

}  // namespace
