// The formatter on large single-line decks, the server-code masker on large
// pages, and a generator for the
// comparison with xmllint (bench/compare-format.sh):
//   bench_formatter --generate BYTES PATH   writes a deck of about BYTES
//   bench_formatter --format PATH           formats PATH to standard output
#include "wml/FileUtil.h"
#include "wml/ServerCodeMask.h"
#include "wml/WmlFormatter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A well-formed deck on one line, made of cards that use every control kind
// the formatter knows about.
std::string makeDeck(size_t bytes)
{
    std::string deck = "<?xml version=\"1.0\"?><wml><head><meta name=\"a\" content=\"b\"/>"
                       "<access domain=\"example.com\"/></head><template><do type=\"prev\">"
                       "<prev/></do></template>";
    for (int card = 0; deck.size() < bytes; ++card) {
        const std::string id = std::to_string(card);
        deck += "<card id=\"c" + id + "\" title=\"Card " + id
            + "\"><onevent type=\"onenterforward\"><refresh><setvar name=\"v\" value=\"" + id
            + "\"/></refresh></onevent><timer value=\"10\"/><do type=\"accept\" label=\"Go\">"
              "<go href=\"#c1\" method=\"post\"><postfield name=\"a\" value=\"b\"/></go></do>"
              "<do type=\"options\"><noop/></do><p align=\"left\">Text <b>bold</b> <i>it</i> "
              "<u>u</u> <em>em</em> <strong>st</strong> <big>B</big> <small>s</small><br/>"
              "<a href=\"#c0\">link</a><anchor>go<go href=\"#c1\"/></anchor>"
              "<img src=\"i.wbmp\" alt=\"i\"/><input name=\"n"
            + id
            + "\" type=\"text\"/><select name=\"s\"><optgroup title=\"g\"><option value=\"1\">"
              "One</option></optgroup><option value=\"2\">Two</option></select>"
              "<fieldset title=\"f\">A &amp; B</fieldset></p><p/></card>";
    }
    deck += "</wml>";
    return deck;
}

void formatDeck(benchmark::State &state)
{
    const std::string deck = makeDeck(size_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tess::formatWml(deck));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(deck.size()));
}
BENCHMARK(formatDeck)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

// Masking a page's server code, against formatting the same bytes: both are
// one pass over the text, so their times should stay alike as pages grow.
void maskPage(benchmark::State &state)
{
    std::string page = "<?xml version=\"1.0\"?><wml><card><p>";
    while (page.size() < size_t(state.range(0)))
        page += "Some text of the deck <%= value %> and <a href=\"<%= url %>\">more</a>\n";
    page += "</p></card></wml>";
    for (auto _ : state)
        benchmark::DoNotOptimize(tess::maskServerCode(page, tess::PageKind::Asp));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(page.size()));
}
BENCHMARK(maskPage)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--generate") == 0) {
        std::string error;
        if (!tess::writeFileAtomically(argv[3], makeDeck(std::strtoul(argv[2], nullptr, 10)),
                                       &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--format") == 0) {
        std::string error;
        const auto text = tess::readWholeFile(argv[2], &error);
        if (!text) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        const std::string out = tess::formatWml(*text);
        return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
