// The design surface: painting a card of N controls (inputs, texts, selects
// with options, anchors, images) and hit-testing 10,000 points on it (through
// the flat index the view uses, and by the walk of the tree), against
// a plain QPainter draw of N captions and frames onto the same target. After
// the runs it prints the time per paint and per hit test, the growth from 2k
// to 8k controls (4 means linear) and each paint's ratio to the reference,
// all in CPU time, which a busy machine disturbs least.
#include "bench/TimeReporter.h"
#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"
#include "deck/ElementKind.h"
#include "editor/CardLayout.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kHitPoints = 10000;

std::string pictureFile()
{
    static QTemporaryDir dir;
    const QString path = dir.filePath("dot.wbmp");
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(QByteArray("\0\0\x10\x08", 4) + QByteArray(16, '\x5A'));
    return path.toStdString();
}

// A card of n controls, laid out in one column by Align All.
struct Deck
{
    explicit Deck(int n)
    {
        card = tess::CardLayout::buildStartingDeck(model);
        const std::string image = "<img alt=\"\" src=\"" + pictureFile() + "\" />";
        for (int i = 0; i < n; ++i) {
            switch (i % 5) {
            case 0:
                add(card->firstChild, tess::ElementKind::Input,
                    "<input name=\"x\" title=\"Name\" />");
                break;
            case 1:
                add(add(card->firstChild, tess::ElementKind::Text, "<b >"), tess::ElementKind::Text,
                    "Some words");
                break;
            case 2: {
                tess::DeckNode *s = add(card->firstChild, tess::ElementKind::Select, "<select >");
                for (const char *words : {"Small", "Medium", "Large"})
                    add(add(s, tess::ElementKind::Option, "<option >"), tess::ElementKind::Text,
                        words);
                break;
            }
            case 3:
                add(add(card->firstChild, tess::ElementKind::Anchor, "<a href=\"#x\" >"),
                    tess::ElementKind::Text, "Go on");
                break;
            default:
                add(card->firstChild, tess::ElementKind::Image, image);
                break;
            }
        }
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter painter(&scratch);
        bottom = tess::CardLayout().alignAll(painter, card);
    }
    tess::DeckNode *add(tess::DeckNode *parent, tess::ElementKind kind, const std::string &fragment)
    {
        tess::NodeInsertRequest request {model.root(), tess::makeElement(kind, fragment)};
        request.parentId = parent->id();
        return tess::FindById(model.root(), tess::Insert(request));
    }

    tess::DeckModel model;
    tess::DeckNode *card = nullptr;
    int bottom = 0;
};

Deck &deck(int n)
{
    static std::map<int, std::unique_ptr<Deck>> decks;
    auto &d = decks[n];
    if (!d)
        d = std::make_unique<Deck>(n);
    return *d;
}

void BM_PaintCard(benchmark::State &state)
{
    Deck &d = deck(static_cast<int>(state.range(0)));
    QImage target(800, 600, QImage::Format_RGB32);
    const tess::CardLayout layout;
    for (auto _ : state) {
        QPainter painter(&target);
        layout.paint(painter, d.card);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// kHitPoints points spread over the card, each asked of `hit`.
template<typename Hit> void hitPoints(benchmark::State &state, const Deck &d, const Hit &hit)
{
    int found = 0;
    for (auto _ : state) {
        for (int i = 0; i < kHitPoints; ++i) {
            const int y = static_cast<int>(static_cast<long long>(i) * d.bottom / kHitPoints);
            found += hit(10 + (i * 37) % 150, y) != d.card;
        }
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations() * kHitPoints);
}

// As the design view hit-tests: through the card's flat index, built after
// the last paint.
void BM_HitTest(benchmark::State &state)
{
    Deck &d = deck(static_cast<int>(state.range(0)));
    const tess::CardHitIndex index(d.card);
    hitPoints(state, d, [&](int x, int y) { return index.hitTest(x, y); });
}

// The walk of the card's tree that the index replaces.
void BM_HitTestWalk(benchmark::State &state)
{
    Deck &d = deck(static_cast<int>(state.range(0)));
    hitPoints(state, d, [&](int x, int y) { return tess::CardLayout::hitTest(d.card, x, y); });
}

// What each paint adds for the index.
void BM_HitIndexBuild(benchmark::State &state)
{
    Deck &d = deck(static_cast<int>(state.range(0)));
    tess::CardHitIndex index;
    for (auto _ : state) {
        index.rebuild(d.card);
        benchmark::DoNotOptimize(index.card());
    }
}

// The reference: the same number of captions in frames drawn straight onto
// the target, one under the other.
void BM_PlainDraw(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    QImage target(800, 600, QImage::Format_RGB32);
    const QString words = QStringLiteral("Some words");
    for (auto _ : state) {
        QPainter painter(&target);
        painter.fillRect(target.rect(), QColor(140, 175, 155));
        for (int i = 0; i < n; ++i) {
            painter.drawRect(10, 10 + 40 * i, 100, 30);
            painter.drawText(QRect(15, 15 + 40 * i, 90, 20), Qt::AlignLeft | Qt::TextWordWrap,
                             words);
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_PaintCard)->Arg(500)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTest)->Arg(500)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTestWalk)->Arg(500)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitIndexBuild)->Arg(500)->Arg(2000)->Arg(8000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainDraw)->Arg(500)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Text is measured with real fonts, which need the GUI's font database.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    tess::bench::TimeReporter reporter(tess::bench::TimeReporter::Clock::Cpu);
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const double paint = reporter.time("BM_PaintCard/2000");
    const double hits = reporter.time("BM_HitTest/2000");
    const double walks = reporter.time("BM_HitTestWalk/2000");
    if (paint > 0)
        std::printf("2000 controls: %.2f ms per paint, %.3f us per hit test (%.2f us walking the "
                    "tree), %.1f us to build the index\n",
                    paint * 1e3, hits * 1e6 / kHitPoints, walks * 1e6 / kHitPoints,
                    reporter.time("BM_HitIndexBuild/2000") * 1e6);
    for (const char *name :
         {"BM_PaintCard", "BM_HitTest", "BM_HitTestWalk", "BM_HitIndexBuild", "BM_PlainDraw"}) {
        const double small = reporter.time(std::string(name) + "/2000");
        const double large = reporter.time(std::string(name) + "/8000");
        if (small > 0)
            std::printf("%s 8000 / 2000 = %.2f\n", name, large / small);
    }
    for (const char *n : {"/500", "/2000", "/8000"}) {
        const double reference = reporter.time(std::string("BM_PlainDraw") + n);
        if (reference > 0)
            std::printf("BM_PaintCard%s / BM_PlainDraw%s = %.2f\n", n, n,
                        reporter.time(std::string("BM_PaintCard") + n) / reference);
    }
    benchmark::Shutdown();
    return 0;
}
