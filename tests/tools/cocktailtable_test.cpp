// The cocktail table: the bundled rows are usable catalogue names, and bad rows are refused.
#include <gtest/gtest.h>

#include <QSet>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "tests/support/testsupport.h"
#include "tools/cocktailtable.h"

namespace {

std::vector<Cocktail> BundledTable() {
    return ReadCocktailTable(SourceDir() + QStringLiteral("/data/cocktails.tsv"));
}

std::string ParseFailure(const char* row) {
    try {
        ParseCocktailTable(QByteArray("# header\n") + row, QStringLiteral("t.tsv"));
    } catch (const Exception& e) {
        return e.what();
    }
    return "(accepted)";
}

}  // namespace

TEST(CocktailTable, BundledTableIsLargeAndFreeOfDuplicates) {
    // Windows folders ignore case, so two names differing only in case would be one file there.
    const auto table = BundledTable();
    EXPECT_GE(table.size(), 120u);
    QSet<QString> seen;
    for (const Cocktail& c : table) {
        EXPECT_FALSE(seen.contains(c.name.toCaseFolded())) << c.name.toStdString();
        seen.insert(c.name.toCaseFolded());
        EXPECT_EQ(CatalogueNameProblem(c.name), QString()) << c.name.toStdString();
        EXPECT_FALSE(c.layers.empty());
    }
}

TEST(CocktailTable, EveryItemOfTheBrowsersIndexFindsSeveralNames) {
    // The browser matches a kana item on the name's first two CP932 bytes, and "#" on names whose
    // first byte is not a lead byte.
    const auto table = BundledTable();
    for (const char* kana : {"ア", "カ", "サ", "タ", "ナ", "ハ", "マ", "ヤ", "ラ", "ワ"}) {
        const std::string item = Cp932Text(kana);
        int found = 0;
        for (const Cocktail& c : table)
            if (ToCp932(c.name).compare(0, 2, item) == 0) ++found;
        EXPECT_GE(found, 3) << kana;
    }
    int singleByte = 0;
    for (const Cocktail& c : table)
        if (!IsLeadByte(static_cast<unsigned char>(ToCp932(c.name)[0]))) ++singleByte;
    EXPECT_GE(singleByte, 5);
}

TEST(CocktailTable, ParsesLayersIceAndGarnishes) {
    const auto table = ParseCocktailTable(
        "# comment\r\n\r\nテキーラ・サンライズ\tcollins\t#b0102a*1~, #f6a21e80*3\tcubes\t"
        "orange_slice, cherry\r\nB-52\tshot\t#3a1808\tnone\t-\n",
        QStringLiteral("t.tsv"));
    ASSERT_EQ(table.size(), 2u);
    const Cocktail& sunrise = table[0];
    EXPECT_EQ(sunrise.name, QString::fromUtf8("テキーラ・サンライズ"));
    EXPECT_EQ(sunrise.line, 3);
    EXPECT_EQ(sunrise.glass, Glass::Collins);
    EXPECT_EQ(sunrise.ice, Ice::Cubes);
    ASSERT_EQ(sunrise.layers.size(), 2u);
    EXPECT_TRUE(sunrise.layers[0].blend);
    EXPECT_EQ(sunrise.layers[0].colour, QColor(0xb0, 0x10, 0x2a));
    EXPECT_EQ(sunrise.layers[1].colour, QColor(0xf6, 0xa2, 0x1e, 0x80));
    EXPECT_DOUBLE_EQ(sunrise.layers[1].weight, 3);
    EXPECT_TRUE(sunrise.Has(Garnish::OrangeSlice));
    EXPECT_TRUE(sunrise.Has(Garnish::Cherry));
    EXPECT_TRUE(table[1].garnishes.empty());
}

TEST(CocktailTable, MalformedRowsAreRefusedWithTheirLine) {
    // Rows: a bad row, a word the message must name.
    struct Row {
        const char* row;
        const char* mentions;
    } rows[] = {
        {"A\tcocktail\t#ffffff\tnone", "columns"},
        {"A\tbucket\t#ffffff\tnone\t-", "bucket"},
        {"A\tcocktail\twhite\tnone\t-", "white"},
        {"A\tcocktail\t#fffff\tnone\t-", "#fffff"},
        {"A\tcocktail\t#ffffff*0\tnone\t-", "weight"},
        {"A\tcocktail\t#ffffff~\tnone\t-", "blend"},
        {"A\tcocktail\t#ffffff\tsnow\t-", "snow"},
        {"A\tcocktail\t#ffffff\tnone\tolive,pickle", "pickle"},
        {"A/B\tcocktail\t#ffffff\tnone\t-", "A/B"},
        {"A:B\tcocktail\t#ffffff\tnone\t-", "A:B"},
        {"A&B\tcocktail\t#ffffff\tnone\t-", "&"},
        {"ユーロ€\tcocktail\t#ffffff\tnone\t-", "code page"},
        {" A\tcocktail\t#ffffff\tnone\t-", "blank"},
        {"A.\tcocktail\t#ffffff\tnone\t-", "dot"},
        {"\tcocktail\t#ffffff\tnone\t-", "empty"},
        {"Con\tcocktail\t#ffffff\tnone\t-", "device"},
    };
    for (const Row& row : rows) {
        const QString message = FromCp932(ParseFailure(row.row));
        EXPECT_TRUE(message.startsWith(QStringLiteral("t.tsv:2:")))
            << row.row << " -> " << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(row.mentions)))
            << row.row << " -> " << message.toStdString();
    }
}

TEST(CocktailTable, NamesDifferingOnlyInCaseAreOneCocktail) {
    const QString message =
        FromCp932(ParseFailure("b-52\tshot\t#3a1808\tnone\t-\n"
                               "B-52\tshot\t#e89030\tnone\t-"));
    EXPECT_TRUE(message.startsWith(QStringLiteral("t.tsv:3:"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("line 2"))) << message.toStdString();
}

TEST(CocktailTable, MissingFileIsAnInputOutputError) {
    EXPECT_THROW(ReadCocktailTable(QStringLiteral("/nonexistent/cocktails.tsv")), EInOutError);
}
