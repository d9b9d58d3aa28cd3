// The emulator's user agent on a deck of about 50 KB: opening it (reading,
// validating, laying out the first card) and following a link from one
// card to the next. Each must stay well under a frame (16 ms).
#include "ua/Browser.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Cards with every control the layout knows, each linking to the next and
// the last to the first.
std::string makeDeck(size_t bytes)
{
    std::string cards;
    int count = 0;
    for (; cards.size() < bytes; ++count) {
        const std::string id = std::to_string(count);
        cards += "<card id=\"c" + id + "\" title=\"Card " + id
            + "\"><onevent type=\"onenterforward\"><refresh><setvar name=\"v\" value=\"" + id
            + "\"/></refresh></onevent><do type=\"options\" label=\"Menu\"><go href=\"#c0\"/>"
              "</do><p align=\"left\"><a href=\"#next"
            + id
            + "\">next</a> "
              "Text $(v) <b>bold</b> <i>it</i> <u>u</u> <big>B</big> <small>s</small><br/>"
              "<input name=\"n"
            + id
            + "\" format=\"*N\"/><select name=\"s\"><optgroup "
              "title=\"g\"><option value=\"1\">One</option></optgroup><option value=\"2\">"
              "Two</option></select><img src=\"i.wbmp\" alt=\"i\"/>"
              "<table columns=\"2\"><tr><td>a</td><td>b</td></tr></table></p></card>";
    }
    // The links name the next card; the last one's leads back to the first.
    for (int i = 0; i < count; ++i) {
        const std::string from = "#next" + std::to_string(i) + "\"";
        const std::string to = "#c" + std::to_string(i + 1 < count ? i + 1 : 0) + "\"";
        cards.replace(cards.find(from), from.size(), to);
    }
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
           "\"http://www.wapforum.org/DTD/wml_1.1.xml\">\n<wml><template><do type=\"prev\" "
           "label=\"Back\"><prev/></do></template>"
        + cards + "</wml>\n";
}

std::string deckFile()
{
    static const std::string path = [] {
        const std::string file
            = (std::filesystem::temp_directory_path() / "tess-ua-bench.wml").string();
        std::ofstream(file) << makeDeck(50 * 1024);
        return file;
    }();
    return path;
}

void openDeck(benchmark::State &state)
{
    const std::string path = deckFile();
    tess::ua::Browser browser;
    for (auto _ : state) {
        if (!browser.open(path))
            state.SkipWithError(browser.screen().message.c_str());
    }
}
BENCHMARK(openDeck)->Unit(benchmark::kMillisecond);

void followLink(benchmark::State &state)
{
    tess::ua::Browser browser;
    if (!browser.open(deckFile()))
        state.SkipWithError(browser.screen().message.c_str());
    for (auto _ : state) {
        browser.focus(0);
        if (!browser.activate())
            state.SkipWithError("the link was not followed");
    }
}
BENCHMARK(followLink)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
