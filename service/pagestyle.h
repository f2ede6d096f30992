// The ranking page's look: the game's black window with white text and thin grey frames.
#pragma once

// On a narrow screen each entry becomes a block of three lines instead of a table row, whose
// columns may shrink below their texts, so that a long score or count wraps instead of widening it.
inline constexpr const char* RankingPageStyle = R"css(
:root { color-scheme: dark; }
* { box-sizing: border-box; }
body {
  margin: 0; background: #000; color: #fff;
  font: 15px/1.6 "MS UI Gothic", "IPAGothic", "IPAPGothic", "Noto Sans CJK JP",
        "Hiragino Kaku Gothic ProN", "Meiryo", sans-serif;
}
header, nav, main, footer { max-width: 62rem; margin: 0 auto; padding: 0 1rem; }
header { padding-top: 1.5rem; text-align: center; }
h1 {
  margin: 0; font-size: 2.2rem; font-weight: bold; letter-spacing: .08em;
  text-shadow: 0 0 .35em #e33, 0 0 .08em #f66;
}
header p { margin: .2rem 0 0; color: #ccc; letter-spacing: .2em; }
nav { display: flex; flex-wrap: wrap; justify-content: center; gap: .4rem; margin: 1.2rem auto; }
nav a { color: #fff; text-decoration: none; border: 1px solid #808080; padding: .15rem .7rem; }
nav a:hover { border-color: #fff; }
nav a[aria-current] { background: #fff; color: #000; border-color: #fff; }
h2 { font-size: 1.15rem; font-weight: normal; margin: 0 0 .6rem; }
h2::before { content: "◆"; color: #e33; margin-right: .3em; }
table { width: 100%; border-collapse: collapse; }
th, td { border: 1px solid #808080; padding: .3rem .5rem; vertical-align: top; }
th { font-weight: normal; background: #1a1a1a; white-space: nowrap; }
td.place, td.score, td.time, td.correct, td.combo {
  text-align: right; white-space: nowrap; font-variant-numeric: tabular-nums;
}
td.place { text-align: center; }
td.p1 { color: #ffd54a; } td.p2 { color: #d8d8d8; } td.p3 { color: #e0a060; }
td.handle, td.comment { overflow-wrap: anywhere; }
a { color: #8cf; }
.address { display: block; font-size: .8em; color: #aaa; overflow-wrap: anywhere; }
.empty { text-align: center; color: #ccc; padding: 2rem 0; border: 1px solid #808080; }
footer { color: #888; font-size: .8rem; text-align: center; padding: 1.5rem 1rem; }
@media (max-width: 40rem) {
  h1 { font-size: 1.6rem; }
  thead { display: none; }
  table, tbody { display: block; }
  tr {
    display: grid;
    grid-template-columns: 2.4rem minmax(0, max-content) minmax(0, max-content) minmax(0, 1fr)
                           minmax(0, max-content);
    column-gap: .6rem; border-bottom: 1px solid #808080; padding: .45rem 0;
  }
  td { border: 0; padding: 0; }
  td.score, td.time, td.correct, td.combo { white-space: normal; overflow-wrap: anywhere; }
  td.place { grid-column: 1; grid-row: 1 / span 3; font-size: 1.2em; }
  td.handle { grid-column: 2 / 5; grid-row: 1; }
  td.score { grid-column: 5; grid-row: 1; font-size: 1.1em; }
  td.time, td.correct, td.combo { grid-row: 2; font-size: .85em; color: #ccc; text-align: left; }
  td.time { grid-column: 2; } td.correct { grid-column: 3; } td.combo { grid-column: 4 / 6; }
  td.time::before, td.correct::before, td.combo::before { content: attr(data-label) " "; }
  td.comment { grid-column: 2 / 6; grid-row: 3; }
}
)css";
