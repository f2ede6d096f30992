// The ranking page as HTML: every entry's text escaped, links only to web home pages.
#pragma once

#include <string>
#include <string_view>

#include "service/rankingfile.h"

// The count a query such as "count=30" asks for; the game's default for anything else.
int CountFromQuery(std::string_view query);

// The CGI header lines, ended by the empty line: UTF-8 HTML under a policy that runs no script
// and applies only the page's own style block, which carries `styleNonce`.
std::string RankingPageHeaders(std::string_view styleNonce);

// The whole page (UTF-8): links to every count with entries, then the count's table.
std::string RankingPageHtml(const TRankingView& view, std::string_view styleNonce);
