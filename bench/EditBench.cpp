// Editing the design: inserting, moving and deleting one control on a card
// that already holds N controls (inputs, bold texts with their breaks,
// selects of three options, anchors, ASP blocks, laid out by Align All), each
// as the view runs it (a scratch painter, the edit, its history command), and
// Align All on the whole card. The worst places are taken: an insertion below
// everything and a move to the bottom walk the whole card for the ordering
// rule; a delete collects every control for the scroll size. The reference
// is one paint of the same card. After the runs it prints the CPU time per
// edit at 2000 controls against a 16 ms frame and against the paint, and
// Align All's 8000 / 2000 ratio (4 means linear).
#include "bench/TimeReporter.h"
#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"
#include "deck/ElementKind.h"
#include "editor/CardLayout.h"
#include "editor/DeckDocument.h"
#include "editor/DesignEditing.h"
#include "editor/Prompter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr double kFrameSeconds = 0.016;

struct Card
{
    explicit Card(int n)
    {
        doc.startNewDeck();
        doc.model().validDeck = true;
        // Bounded, so that thousands of iterations do not pile up commands.
        doc.undoStack()->setUndoLimit(50);
        tess::DeckNode *p = doc.CurrentCard()->firstChild;
        for (int i = 0; i < n; ++i) {
            switch (i % 5) {
            case 0:
                add(p, tess::ElementKind::Input, "<input name=\"x\" title=\"Name\" />");
                break;
            case 1:
                add(add(p, tess::ElementKind::Text, "<b >"), tess::ElementKind::Text, "Some words");
                add(p, tess::ElementKind::Break, "<br >");
                break;
            case 2: {
                tess::DeckNode *s = add(p, tess::ElementKind::Select, "<select >");
                for (const char *words : {"Small", "Medium", "Large"})
                    add(add(s, tess::ElementKind::Option, "<option >"), tess::ElementKind::Text,
                        words);
                break;
            }
            case 3:
                add(add(p, tess::ElementKind::Anchor, "<a href=\"#x\" >"), tess::ElementKind::Text,
                    "Go on");
                break;
            default:
                add(p, tess::ElementKind::Asp, "Response.Write 1");
                break;
            }
        }
        doc.insertedControls = n;
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter painter(&scratch);
        tess::DesignEditing edit(doc, tess::Prompter::console(), painter, {10, 10});
        edit.alignAll(600);
        bottom = edit.scrollSize().height();
    }
    tess::DeckNode *add(tess::DeckNode *parent, tess::ElementKind kind, const std::string &fragment)
    {
        return tess::AppendChild(parent, tess::makeElement(kind, fragment));
    }
    // One edit as the view runs it.
    template<typename Edit> void edit(Edit run)
    {
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter painter(&scratch);
        tess::DesignEditing editing(doc, tess::Prompter::console(), painter, {10, bottom});
        run(editing);
    }
    tess::DeckNode *paragraph() { return doc.CurrentCard()->firstChild; }

    tess::DeckDocument doc;
    int bottom = 0;
};

Card &card(int n)
{
    static std::map<int, std::unique_ptr<Card>> cards;
    auto &c = cards[n];
    if (!c)
        c = std::make_unique<Card>(n);
    return *c;
}

void BM_InsertBelowAll(benchmark::State &state)
{
    Card &c = card(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        c.doc.setArmedKind(tess::ElementKind::Input);
        c.edit([&c](tess::DesignEditing &e) { e.insertAt(20, c.bottom + 20); });
        state.PauseTiming();
        c.doc.undoStack()->undo();
        state.ResumeTiming();
    }
}

void BM_MoveFirstToTheBottomAndBack(benchmark::State &state)
{
    Card &c = card(static_cast<int>(state.range(0)));
    tess::DeckNode *input = c.paragraph()->firstChild;
    const tess::DesignRect home = input->element->rect;
    bool down = true;
    for (auto _ : state) {
        const int dy = down ? c.bottom + 50 - home.top : 0;
        c.edit([&](tess::DesignEditing &e) {
            e.move(input, {home.left, home.top + dy, home.right, home.bottom + dy}, {});
        });
        down = !down;
    }
}

void BM_DeleteInTheMiddle(benchmark::State &state)
{
    Card &c = card(static_cast<int>(state.range(0)));
    tess::DeckNode *middle = c.paragraph()->firstChild;
    for (int i = 0; i < state.range(0) / 2 || middle->kind() != tess::ElementKind::Input; ++i)
        middle = middle->nextSibling;
    for (auto _ : state) {
        c.doc.setSelectedNode(middle);
        c.edit([](tess::DesignEditing &e) { e.deleteSelected(); });
        state.PauseTiming();
        c.doc.undoStack()->undo();
        state.ResumeTiming();
    }
}

void BM_AlignAll(benchmark::State &state)
{
    Card &c = card(static_cast<int>(state.range(0)));
    for (auto _ : state)
        c.edit([](tess::DesignEditing &e) { e.alignAll(600); });
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The reference: one paint of the card onto a window-sized image.
void BM_PaintCard(benchmark::State &state)
{
    Card &c = card(static_cast<int>(state.range(0)));
    QImage target(800, 600, QImage::Format_RGB32);
    const tess::CardLayout layout;
    for (auto _ : state) {
        QPainter painter(&target);
        layout.paint(painter, c.doc.CurrentCard());
    }
}

BENCHMARK(BM_InsertBelowAll)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveFirstToTheBottomAndBack)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteInTheMiddle)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlignAll)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintCard)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Painters measure text with real fonts, which need the GUI's font
    // database.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    tess::bench::TimeReporter reporter(tess::bench::TimeReporter::Clock::Cpu);
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const double paint = reporter.time("BM_PaintCard/2000");
    for (const char *name : {"BM_InsertBelowAll/2000", "BM_MoveFirstToTheBottomAndBack/2000",
                             "BM_DeleteInTheMiddle/2000"}) {
        const double t = reporter.time(name);
        if (t > 0)
            std::printf("%s: %.3f ms, %.2f%% of a 16 ms frame, %.4f x one paint\n", name, t * 1e3,
                        100 * t / kFrameSeconds, paint > 0 ? t / paint : 0.0);
    }
    const double small = reporter.time("BM_AlignAll/2000");
    if (small > 0)
        std::printf("BM_AlignAll 8000 / 2000 = %.2f (%.2f ms at 2000)\n",
                    reporter.time("BM_AlignAll/8000") / small, small * 1e3);
    benchmark::Shutdown();
    return 0;
}
