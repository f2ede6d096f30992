// The ranking page as HTML: every entry's text escaped, links only to web home pages.
#pragma once

#include <string>

#include "service/rankingfile.h"

#include <utility>
#include <vector>

// The most line breaks of a comment that are shown; later ones show as spaces, so that a comment
// of many breaks cannot stretch a row on a narrow screen.
constexpr int ShownCommentBreaks = 4;

// The response headers of every page, as name and value: UTF-8 HTML under a policy that runs no
// script and applies no style but the page's own block, named by its hash. The same for every
// page and every render, so a web server can send them with the stored pages.
std::vector<std::pair<std::string, std::string>> RankingPageHeaders();

// The whole page (UTF-8): links to every count with entries, then the count's table.
std::string RankingPageHtml(const TRankingView& view);
