// Every text of an entry comes from a stranger: it is converted from CP932, escaped, and only a
// home page of the web's own schemes ever becomes a link.
#include "service/rankingpage.h"

#include <QByteArray>
#include <QCryptographicHash>

#include "platform/cp932.h"
#include "service/pagestyle.h"

namespace {

const char* const Title = "The・バーテンダム";

// A count's name on the page, as the game's menu counts questions.
std::string CountName(int count) { return std::to_string(count) + "問"; }

// UTF-8 text safe in element content and in quoted attribute values. Control characters, which
// HTML does not allow, become spaces.
std::string Escape(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                const auto byte = static_cast<unsigned char>(c);
                out += byte < 0x20 || byte == 0x7F ? ' ' : c;
        }
    }
    return out;
}

std::string Utf8(const std::string& cp932) { return FromCp932(cp932).toUtf8().toStdString(); }

std::string Text(const std::string& cp932) { return Escape(Utf8(cp932)); }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// An http or https address with a host and no spaces or control characters.
bool IsWebAddress(std::string_view address) {
    std::size_t host = 0;
    if (StartsWithNoCase(address, "http://")) host = 7;
    if (StartsWithNoCase(address, "https://")) host = 8;
    if (host == 0 || address.size() == host || address[host] == '/') return false;
    for (char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) return false;
    }
    return true;
}

// The game sends "0" for an address the player left empty.
bool Given(const std::string& address) { return address != "0"; }

// The comment's "<br />" marks are the player's line breaks, the first few of them shown.
std::string Comment(const std::string& cp932) {
    const std::string text = Utf8(cp932);
    const std::string_view mark = "<br />";
    std::string out;
    std::size_t start = 0;
    int breaks = 0;
    for (std::size_t at; (at = text.find(mark, start)) != std::string::npos;
         start = at + mark.size()) {
        out += Escape(std::string_view(text).substr(start, at - start)) +
               (++breaks <= ShownCommentBreaks ? "<br>" : " ");
    }
    return out + Escape(std::string_view(text).substr(start));
}

std::string Handle(const TPostedEntry& entry) {
    std::string cell = Text(entry.Handle);
    const bool linked = IsWebAddress(entry.HomePage);
    if (linked) {
        cell = "<a href=\"" + Text(entry.HomePage) +
               "\" rel=\"nofollow ugc noopener noreferrer\">" + cell + "</a>";
    }
    if (Given(entry.Mail)) cell += "<span class=\"address\">" + Text(entry.Mail) + "</span>";
    if (!linked && Given(entry.HomePage)) {
        cell += "<span class=\"address\">" + Text(entry.HomePage) + "</span>";
    }
    return cell;
}

std::string Row(const TPostedEntry& entry, int place) {
    const std::string placeClass = place <= 3 ? " p" + std::to_string(place) : "";
    return "<tr><td class=\"place" + placeClass + "\">" + std::to_string(place) +
           "</td><td class=\"handle\">" + Handle(entry) + "</td><td class=\"score\">" +
           Text(entry.ScoreText) + "</td><td class=\"time\" data-label=\"時間\">" +
           Text(entry.Time) + "</td><td class=\"correct\" data-label=\"正解数\">" +
           Text(entry.Correct) + "</td><td class=\"combo\" data-label=\"ｺﾝﾎﾞ\">" +
           Text(entry.Combo) + "</td><td class=\"comment\">" + Comment(entry.Comment) +
           "</td></tr>\n";
}

std::string Links(const TRankingView& view) {
    std::string nav = "<nav aria-label=\"問題数\">";
    for (int count : view.CountsWithEntries) {
        const std::string current = count == view.Count ? " aria-current=\"page\"" : "";
        nav += "<a href=\"?count=" + std::to_string(count) + "\"" + current + ">" +
               CountName(count) + "</a>";
    }
    return nav + "</nav>\n";
}

std::string Table(const TRankingView& view) {
    if (view.Unreadable) return "<p class=\"empty\">ランキングを読めませんでした。</p>\n";
    if (view.Best.empty()) return "<p class=\"empty\">まだ登録がありません。</p>\n";
    std::string table =
        "<table>\n<thead><tr><th>順位</th><th>ﾊﾝﾄﾞﾙﾈｰﾑ</th><th>点数</th><th>時間</th>"
        "<th>正解数</th><th>ｺﾝﾎﾞ</th><th>ｺﾒﾝﾄ</th></tr></thead>\n<tbody>\n";
    for (std::size_t i = 0; i < view.Best.size(); ++i) table += Row(view.Best[i], view.Places[i]);
    return table + "</tbody>\n</table>\n";
}

}  // namespace

std::vector<std::pair<std::string, std::string>> RankingPageHeaders() {
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray(RankingPageStyle), QCryptographicHash::Sha256);
    return {{"Content-Type", "text/html; charset=utf-8"},
            {"Content-Security-Policy", "default-src 'none'; style-src 'sha256-" +
                                            hash.toBase64().toStdString() +
                                            "'; base-uri 'none'; form-action 'none'; "
                                            "frame-ancestors 'none'"},
            {"X-Content-Type-Options", "nosniff"},
            {"Referrer-Policy", "no-referrer"},
            {"Cache-Control", "no-cache"}};
}

std::string RankingPageHtml(const TRankingView& view) {
    return std::string("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n") +
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           Title + " ｲﾝﾀｰﾈｯﾄﾗﾝｷﾝｸﾞ " + CountName(view.Count) + "</title>\n<style>" +
           RankingPageStyle + "</style>\n</head>\n<body>\n" + "<header><h1>" + Title +
           "</h1><p>ｲﾝﾀｰﾈｯﾄﾗﾝｷﾝｸﾞ</p></header>\n" + Links(view) + "<main>\n<h2>" +
           CountName(view.Count) + "</h2>\n" + Table(view) + "</main>\n" +
           "<footer>各問題数の上位" + std::to_string(view.Limit) +
           "件を表示しています。同じ点数と時間なら先に登録した方が上です。</footer>\n" +
           "</body>\n</html>\n";
}
