// Builds decks through Insert and finds every node by identifier, at 10k and
// 100k nodes. The ratio of the two sizes shows how cost grows: linear work
// gives about 10, a quadratic tree operation about 100.

#include "bench/TimeReporter.h"
#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tess {
namespace {

struct Deck
{
    DeckModel model;
    std::vector<int> ids;

    int add(int parent, ElementKind kind, const char *fragment, int before = 0)
    {
        NodeInsertRequest request;
        request.root = model.root();
        request.element = makeElement(kind, fragment);
        request.parentId = parent;
        request.beforeId = before;
        ids.push_back(Insert(request));
        return ids.back();
    }
};

// Cards shaped like the designer's: a paragraph of rows (a text inserted
// before its line break, an input, a select of three options, an anchor)
// and a do with a go and two postfields.
void buildDeck(Deck &deck, int nodes)
{
    deck.ids.reserve(nodes + 64);
    deck.ids.push_back(deck.model.makeRoot(ElementKind::Other, "<wml>")->id());
    const int root = deck.ids.back();
    while (static_cast<int>(deck.ids.size()) < nodes) {
        const int card
            = deck.add(root, ElementKind::Card, "<card newcontext=\"false\" ordered=\"true\" >");
        const int p = deck.add(card, ElementKind::Paragraph, "<p align=\"left\" >");
        for (int row = 0; row < 3; ++row) {
            const int br = deck.add(p, ElementKind::Break, "<br >");
            deck.add(p, ElementKind::Text, "Text", br);
            deck.add(p, ElementKind::Input,
                     "<input name=\"x\" title=\"\" type=\"text\" emptyok=\"false\" />");
            const int select
                = deck.add(p, ElementKind::Select, "<select multiple=\"false\" ivalue=\"1\" >");
            for (int o = 0; o < 3; ++o)
                deck.add(deck.add(select, ElementKind::Option, "<option >"), ElementKind::Text,
                         "Option");
            deck.add(deck.add(p, ElementKind::Anchor, "<a href=\"\" >"), ElementKind::Text,
                     "Anchor");
        }
        const int go = deck.add(deck.add(card, ElementKind::Do, "<do type=\"accept\" >"),
                                ElementKind::Other, "<go >");
        deck.add(go, ElementKind::Other, "<postfield name=\"a\" />");
        deck.add(go, ElementKind::Other, "<postfield name=\"b\" />", deck.ids.back());
    }
}

void BM_BuildDeck(benchmark::State &state)
{
    for (auto _ : state) {
        auto deck = std::make_unique<Deck>();
        buildDeck(*deck, static_cast<int>(state.range(0)));
        state.PauseTiming();
        state.counters["nodes"] = static_cast<double>(deck->ids.size());
        deck.reset();
        state.ResumeTiming();
    }
}

void BM_FindEveryNode(benchmark::State &state)
{
    Deck deck;
    buildDeck(deck, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (int id : deck.ids)
            benchmark::DoNotOptimize(FindById(deck.model.root(), id));
    }
    state.counters["nodes"] = static_cast<double>(deck.ids.size());
}

BENCHMARK(BM_BuildDeck)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindEveryNode)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tess

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // CPU rather than wall time: the build machine may be shared.
    tess::bench::TimeReporter reporter(tess::bench::TimeReporter::Clock::Cpu);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char *name : {"BM_BuildDeck", "BM_FindEveryNode"}) {
        const double small = reporter.time(std::string(name) + "/10000");
        if (small > 0)
            std::printf("%s: 100k / 10k = %.2f\n", name,
                        reporter.time(std::string(name) + "/100000") / small);
    }
    benchmark::Shutdown();
    return 0;
}
