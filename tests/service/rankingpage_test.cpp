// The page over hostile entries: every text escaped, no markup, script, attribute or link of the
// sender's making, bytes that are not CP932 replaced, and the page's own structure intact.
#include <gtest/gtest.h>

#include <QCryptographicHash>
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
        {"LineBreaksBeyondTheShownFewAreSpaces",
         EntryLine("3", "many", "01:00`00", "0", "1<br />2<br />3<br />4<br />5<br />6<br />7"),
         {"<td class=\"comment\">1<br>2<br>3<br>4<br>5 6 7</td>"}},
        {"ControlCharacters",
         EntryLine("2", "ctl\x01", "01:00`00", "0", "a\x02" "b\x7f"),
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
    const std::string html =
        RankingPageHtml(RankingView(50, BestEntries(data.File(50), 100), {50}));
    for (const RenderCase& c : RenderCases()) {
        for (const std::string& shown : c.shown) {
            EXPECT_NE(html.find(shown), std::string::npos) << c.name << ": " << shown;
        }
    }
    EXPECT_EQ(ForeignMarkup(html), "");
    EXPECT_EQ(Occurrences(html, "<tr>"), RenderCases().size() + 1);
    EXPECT_EQ(Occurrences(html, "<title>The・バーテンダム ｲﾝﾀｰﾈｯﾄﾗﾝｷﾝｸﾞ 50問</title>"), 1u);
    // The policy admits the page's one style block by its hash, and nothing else.
    const std::size_t style = html.find("<style>") + 7;
    const QByteArray hash = QCryptographicHash::hash(
        QByteArray::fromStdString(html.substr(style, html.find("</style>") - style)),
        QCryptographicHash::Sha256);
    std::string policy;
    for (const auto& [name, value] : RankingPageHeaders()) {
        if (name == "Content-Security-Policy") policy = value;
    }
    EXPECT_EQ(policy, "default-src 'none'; style-src 'sha256-" + hash.toBase64().toStdString() +
                          "'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'");
}
