// The ranking page as a CGI program: the web server names the data folder in RANKING_DATA and
// passes the query; the answer is one HTML page.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <random>
#include <string>

#include "service/rankingfile.h"
#include "service/rankingpage.h"

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A fresh value per answer, so that no style block an entry might smuggle in could carry it.
std::string Nonce() {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::random_device random;
    std::string nonce;
    for (int i = 0; i < 22; ++i) nonce += digits[random() % 64];
    return nonce;
}

void Write(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// A failure is the operator's to see in the web server's log; the visitor gets a short answer.
int Fail(const std::string& why) {
    std::fprintf(stderr, "cocktailmain.cgi: %s\n", why.c_str());
    Write(
        "Status: 500 Internal Server Error\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n"
        "ランキングを読めませんでした。\n");
    return 0;
}

}  // namespace

int main() {
    const std::string data = Environment("RANKING_DATA");
    if (data.empty()) return Fail("RANKING_DATA names no data folder");
    try {
        const TRankingView view = ReadRanking(data, CountFromQuery(Environment("QUERY_STRING")));
        const std::string nonce = Nonce();
        Write(RankingPageHeaders(nonce) + RankingPageHtml(view, nonce));
    } catch (const std::exception& failure) {
        return Fail(failure.what());
    }
    return 0;
}
