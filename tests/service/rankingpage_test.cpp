// The page over hostile entries: every text escaped, no markup, script, attribute or link of the
// sender's making, bytes that are not CP932 replaced, and the page's own structure intact.
#include <gtest/gtest.h>

#include <QString>
#include <set>

#include "service/rankingpage.h"
#include "tests/service/servicetestsupport.h"
#include "tests/support/testsupport.h"

namespace {

const char* const Replacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The first tag, attribute or link in `html` that the page does not write itself; "" when none.
std::string ForeignMarkup(const std::string& html) {
    static const std::set<std::string> tags = {
        "!DOCTYPE", "html", "head", "meta", "title", "style", "body",  "header",
        "h1",       "p",    "nav",  "a",    "main",  "h2",    "table", "thead",
        "tbody",    "tr",   "th",   "td",   "span",  "br",    "footer"};
    static const std::set<std::string> attributes = {
        "html", "lang", "charset", "name",         "content",    "nonce",
        "href", "rel",  "class",   "aria-current", "aria-label", "data-label"};
    auto word = [&](std::size_t& i) {
        const std::size_t start = i;
        while (i < html.size() && (std::isalnum(static_cast<unsigned char>(html[i])) ||
                                   html[i] == '-' || html[i] == '!'))
            ++i;
        return html.substr(start, i - start);
    };
    for (std::size_t at = 0; (at = html.find('<', at)) != std::string::npos;) {
        std::size_t i = at + 1;
        const bool closing = html[i] == '/';
        if (closing) ++i;
        const std::string tag = word(i);
        if (!tags.count(tag)) return "tag <" + tag + ">";
        while (i < html.size() && html[i] != '>') {
            if (html[i] == ' ') {
                ++i;
                continue;
            }
            const std::string name = word(i);
            if (name.empty() || !attributes.count(name)) return "attribute " + name + " of " + tag;
            if (html[i] != '=') continue;
            if (html[i + 1] != '"') return "unquoted " + name;
            const std::size_t end = html.find('"', i + 2);
            const std::string value = html.substr(i + 2, end - i - 2);
            const QString link = QString::fromStdString(value).toLower();
            if (name == "href" && !link.startsWith("?count=") && !link.startsWith("http://") &&
                !link.startsWith("https://"))
                return "link " + value;
            i = end + 1;
        }
        at = tag == "style" && !closing ? html.find("</style>", i) : i + 1;
    }
    return "";
}

struct RenderCase {
    const char* name;
    std::string line;
    // Each must appear in the page as written here.
    std::vector<std::string> shown;
};

std::vector<RenderCase> RenderCases() {
    return {
        {"ScriptInTheHandle",
         EntryLine("9", "<script>document.title='x'</script>"),
         {"<td class=\"handle\">&lt;script&gt;document.title=&#39;x&#39;&lt;/script&gt;</td>"}},
        {"QuotesAndAmpersandsInEveryField",
         EntryLine("8", "a\"&'", "01:00`00", "h\"&'>", "c\"&'<", "m\"&'"),
         {">a&quot;&amp;&#39;<span class=\"address\">m&quot;&amp;&#39;</span>"
          "<span class=\"address\">h&quot;&amp;&#39;&gt;</span></td>",
          "<td class=\"comment\">c&quot;&amp;&#39;&lt;</td>"}},
        {"JavascriptHomePage",
         EntryLine("7", "js", "01:00`00", "javascript:alert(1)"),
         {">js<span class=\"address\">javascript:alert(1)</span></td>"}},
        {"MixedCaseJavascript",
         EntryLine("7", "js2", "01:00`00", "JavaScript://x.example/%0aalert(1)"),
         {">js2<span class=\"address\">JavaScript://x.example/%0aalert(1)</span></td>"}},
        {"DataHomePage",
         EntryLine("6", "data", "01:00`00", "data:text/html,<script>alert(1)</script>"),
         {">data<span class=\"address\">data:text/html,&lt;script&gt;alert(1)&lt;/script&gt;"}},
        {"WebHomePageWithQuotes",
         EntryLine("5", "web", "01:00`00", "https://ok.example/?a=\"b\"&c='d'"),
         {"<a href=\"https://ok.example/?a=&quot;b&quot;&amp;c=&#39;d&#39;\" "
          "rel=\"nofollow ugc noopener noreferrer\">web</a></td>"}},
        {"CapitalScheme",
         EntryLine("5", "up", "01:00`00", "HTTP://UP.example/"),
         {"<a href=\"HTTP://UP.example/\" rel=\"nofollow ugc noopener noreferrer\">up</a>"}},
        {"AddressWithASpaceIsNoLink",
         EntryLine("5", "spaced", "01:00`00", "http://x.example/a b"),
         {">spaced<span class=\"address\">http://x.example/a b</span>"}},
        {"AddressWithoutHostIsNoLink",
         EntryLine("5", "hostless", "01:00`00", "http:///etc/passwd"),
         {">hostless<span class=\"address\">http:///etc/passwd</span>"}},
        {"LoneLeadBytesAtFieldEnds",
         EntryLine("4", "lead\x82", "01:00`00", "0", "tail\x82"),
         {std::string(">lead") + Replacement + "</td>",
          std::string("<td class=\"comment\">tail") + Replacement + "</td>"}},
        {"CommentLineBreaksOnlyAsTheGameWritesThem",
         EntryLine("3", "lines", "01:00`00", "0", "one<br />two<br/>three<BR />"),
         {"<td class=\"comment\">one<br>two&lt;br/&gt;three&lt;BR /&gt;</td>"}},
        {"ControlCharacters",
         EntryLine("2", "ctl\x01", "01:00`00", "0", "a\rb\x7f"),
         {">ctl </td>", "<td class=\"comment\">a b </td>"}},
        {"NoAddresses", EntryLine("1", "plain"), {"<td class=\"handle\">plain</td>"}},
        {"Japanese",
         EntryLine("-5", Cp932Text("ﾊﾞｰﾃﾝﾀﾞｰ"), "01:00`00", "0", Cp932Text("初めて＊")),
         {">ﾊﾞｰﾃﾝﾀﾞｰ</td><td class=\"score\">-5</td>", "<td class=\"comment\">初めて＊</td>"}},
    };
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = 0; (at = text.find(part, at)) != std::string::npos; at += part.size())
        ++n;
    return n;
}

}  // namespace

// Hostile entries are shown as text, each where it belongs; the page holds only its own tags,
// attributes and links, one row per entry, and its title.
TEST(RankingPage, HostileEntriesStayText) {
    RankingData data;
    std::string file;
    for (const RenderCase& c : RenderCases()) file += c.line;
    data.Write(50, file);
    const std::string html = RankingPageHtml(ReadRanking(data.Folder(), 50), "n0nce");
    for (const RenderCase& c : RenderCases()) {
        for (const std::string& shown : c.shown) {
            EXPECT_NE(html.find(shown), std::string::npos) << c.name << ": " << shown;
        }
    }
    EXPECT_EQ(ForeignMarkup(html), "");
    EXPECT_EQ(Occurrences(html, "<tr>"), RenderCases().size() + 1);
    EXPECT_EQ(Occurrences(html, "<title>The・バーテンダム ｲﾝﾀｰﾈｯﾄﾗﾝｷﾝｸﾞ 50問</title>"), 1u);
    EXPECT_EQ(Occurrences(html, "<style nonce=\"n0nce\">"), 1u);
}

// A count without entries, whether its file is missing, empty or broken, says so instead of
// showing an empty table, and still links to the counts that have entries.
TEST(RankingPage, CountWithoutEntries) {
    RankingData data;
    data.Write(20, EntryLine("1", "a"));
    data.Write(30, "");
    data.Write(40, "broken\r\n");
    for (int count : {30, 40, 50}) {
        const std::string html = RankingPageHtml(ReadRanking(data.Folder(), count), "n");
        EXPECT_NE(html.find("<p class=\"empty\">まだ登録がありません。</p>"), std::string::npos)
            << count;
        EXPECT_EQ(html.find("<table"), std::string::npos) << count;
        EXPECT_NE(html.find("<nav aria-label=\"問題数\"><a href=\"?count=20\">20問</a></nav>"),
                  std::string::npos)
            << count;
        EXPECT_EQ(ForeignMarkup(html), "") << count;
    }
}

// Only the counts the game plays are asked for; anything else shows the game's default.
TEST(RankingPage, CountFromQuery) {
    const std::pair<const char*, int> cases[] = {
        {"", 50},          {"count=30", 30},       {"count=100", 100},
        {"count=10", 10},  {"x=1&count=20", 20},   {"count=20&count=30", 20},
        {"count=35", 50},  {"count=010", 50},      {"count=-10", 50},
        {"count=", 50},    {"count=1000", 50},     {"Count=30", 50},
        {"count=30x", 50}, {"x&count=90&y=2", 90}, {"&&count=60", 60},
    };
    for (const auto& [query, count] : cases) EXPECT_EQ(CountFromQuery(query), count) << query;
}
