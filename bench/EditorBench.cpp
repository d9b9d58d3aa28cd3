// The code view on generated decks of 1,000 to 100,000 lines (about 50 bytes
// a line, 5 MB at the top): opening (the whole text set and coloured) and
// typing one character in the middle (the line recoloured, alone and with
// the repaint that follows). The reference in the same run is a bare
// QPlainTextEdit taking the same text without colouring. At the end the 100x
// ratios of each step are printed: opening should grow about linearly (near
// 100) and typing not at all (near 1).
#include "bench/TimeReporter.h"
#include "gui/code/DeckCodeEditor.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextLayout>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

std::string deck(int lines)
{
    static std::map<int, std::string> made;
    if (auto it = made.find(lines); it != made.end())
        return it->second;
    std::string text = "<?xml version=\"1.0\"?>\n<wml>\n";
    for (int i = 2; i < lines - 1; ++i) {
        switch (i % 9) {
        case 0:
            text += "<card id=\"c" + std::to_string(i) + "\" title=\"Card " + std::to_string(i)
                + "\" newcontext=\"false\">\n";
            break;
        case 1:
            text += "<!-- card " + std::to_string(i) + ": prices, the order form and a link -->\n";
            break;
        case 2:
            text += "\t<p align=\"left\">Price 12.50 &amp; more, <i>taxes</i> included</p>\n";
            break;
        case 3:
            text += "\t<p><input name=\"n\" title=\"Name\" maxlength=\"10\"/><br/></p>\n";
            break;
        case 4:
            text += "\t<p><a href=\"#c1\" title=\"Back\">Back</a> <b>bold</b> and plain text</p>\n";
            break;
        case 5:
            text += "\t<p><select name=\"s\"><option value=\"1\">One</option><option "
                    "value=\"2\">Two</option></select></p>\n";
            break;
        case 6:
            text += "\t<do type=\"accept\" label=\"Next\"><go href=\"#c2\" method=\"get\"/></do>\n";
            break;
        case 7:
            text += "</card>\n";
            break;
        default:
            text += "\n";
            break;
        }
    }
    text += "</wml>\n";
    return made[lines] = text;
}

// Colouring is complete when the last line carries its formats.
bool lastLineColoured(const tess::CodeEditor &view)
{
    const QTextBlock last = view.document()->lastBlock().previous();
    return !last.layout()->formats().isEmpty();
}

void BM_OpenDeck(benchmark::State &state)
{
    const std::string text = deck(int(state.range(0)));
    tess::DeckCodeEditor view;
    view.resize(800, 600);
    view.show();
    for (auto _ : state) {
        // An empty view each time: a view that already holds the text only
        // compares it.
        state.PauseTiming();
        view.clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        view.setText(text);
        QCoreApplication::processEvents();
        if (!lastLineColoured(view))
            state.SkipWithError("colouring not complete");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_PlainEditOpen(benchmark::State &state)
{
    const QString text = QString::fromStdString(deck(int(state.range(0))));
    QPlainTextEdit view;
    view.setLineWrapMode(QPlainTextEdit::NoWrap);
    view.resize(800, 600);
    view.show();
    for (auto _ : state) {
        state.PauseTiming();
        view.clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        view.setPlainText(text);
        QCoreApplication::processEvents();
    }
}

// Types one character in the middle line and takes it out again (untimed).
// With `repaint`, the events that redraw the visible lines are timed too.
void typeInMiddle(benchmark::State &state, bool repaint)
{
    const int lines = int(state.range(0));
    tess::DeckCodeEditor view;
    view.resize(800, 600);
    view.show();
    view.setText(deck(lines));
    const QTextBlock middle = view.document()->findBlockByNumber(lines / 2);
    QTextCursor cursor(middle);
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    view.setTextCursor(cursor);
    view.centerCursor();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        // The highlighter recolours the line inside the insertion.
        cursor.insertText(QStringLiteral("x"));
        if (repaint)
            QCoreApplication::processEvents();
        state.PauseTiming();
        cursor.deletePreviousChar();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (middle.layout()->formats().isEmpty())
        state.SkipWithError("the typed line lost its colours");
}

void BM_TypeInMiddle(benchmark::State &state)
{
    typeInMiddle(state, false);
}

void BM_TypeAndRepaint(benchmark::State &state)
{
    typeInMiddle(state, true);
}

BENCHMARK(BM_OpenDeck)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainEditOpen)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInMiddle)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypeAndRepaint)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    tess::bench::TimeReporter reporter(tess::bench::TimeReporter::Clock::Real);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_OpenDeck/100000", "BM_OpenDeck/1000");
    reporter.printRatio("BM_PlainEditOpen/100000", "BM_PlainEditOpen/1000");
    reporter.printRatio("BM_OpenDeck/100000", "BM_PlainEditOpen/100000");
    reporter.printRatio("BM_TypeInMiddle/100000", "BM_TypeInMiddle/1000");
    reporter.printRatio("BM_TypeAndRepaint/100000", "BM_TypeAndRepaint/1000");
    benchmark::Shutdown();
    return 0;
}
