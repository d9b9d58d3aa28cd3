// The code view on generated decks of 1,000 to 100,000 lines (about 50 bytes
// a line, 5 MB at the top): opening to the first painted frame (the first
// lines in and the visible ones coloured), opening until the whole text is
// in, and typing one character in the middle (the line recoloured, alone and
// with the repaint that follows). The reference in the same run is a bare
// QPlainTextEdit taking the same text without colouring. At the end the 100x
// ratios of each step are printed: opening should grow about linearly (near
// 100) and typing not at all (near 1).
//
// BM_Keystroke/100000/W types 200 characters one after the other as key
// presses at the end (W = 0) or in the middle line (W = 1), each with the
// repaint that follows, and prints the distribution of the times per
// keystroke, wall clock and the CPU time of the program's thread (the wall
// clock also counts whatever else the machine runs).
#include "bench/TimeReporter.h"
#include "gui/code/DeckCodeEditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <vector>

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

// The first painted frame: the first lines in and coloured. With `whole`,
// the rest of the text is put in too before the frame.
void openDeck(benchmark::State &state, bool whole)
{
    const std::string text = deck(int(state.range(0)));
    // A line feed ends every line, so an empty line follows the last.
    const int lineCount = int(std::count(text.begin(), text.end(), '\n')) + 1;
    tess::DeckCodeEditor view;
    view.resize(800, 600);
    view.show();
    for (auto _ : state) {
        // An empty view each time: a view that already holds the text only
        // compares it.
        state.PauseTiming();
        view.setText("");
        view.completeText();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        view.setText(text);
        if (whole)
            view.completeText();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (!view.lineColoured(0) || !view.lineColoured(20)) {
            state.SkipWithError("the first screen is not coloured");
            break;
        }
        if (whole && view.document()->blockCount() != lineCount) {
            state.SkipWithError("the text is not all in");
            break;
        }
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_OpenDeck(benchmark::State &state)
{
    openDeck(state, false);
}

void BM_OpenDeckWhole(benchmark::State &state)
{
    openDeck(state, true);
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
    view.completeText();
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

// Seconds per keystroke, wall and this thread's CPU time, by case.
std::map<std::string, std::vector<double>> keystrokes;

double threadSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void BM_Keystroke(benchmark::State &state)
{
    const int lines = int(state.range(0));
    const bool middle = state.range(1) != 0;
    tess::DeckCodeEditor view;
    view.resize(800, 600);
    view.show();
    view.setText(deck(lines));
    view.completeText();
    QTextCursor cursor(view.document());
    if (middle) {
        cursor = QTextCursor(view.document()->findBlockByNumber(lines / 2));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    } else {
        cursor.movePosition(QTextCursor::End);
    }
    view.setTextCursor(cursor);
    view.centerCursor();
    QCoreApplication::processEvents();
    const std::string name = std::to_string(lines) + (middle ? " lines, middle" : " lines, end");
    std::vector<double> &wall = keystrokes[name + ", wall"];
    std::vector<double> &cpu = keystrokes[name + ", CPU"];
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        const double cpuStart = threadSeconds();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&view, &press);
        QApplication::sendEvent(&view, &release);
        QCoreApplication::processEvents();
        const double seconds = double(clock.nsecsElapsed()) * 1e-9;
        cpu.push_back(threadSeconds() - cpuStart);
        state.SetIterationTime(seconds);
        wall.push_back(seconds);
    }
    if (!view.lineColoured(view.textCursor().blockNumber()))
        state.SkipWithError("the typed line is not coloured");
}

void printKeystrokes()
{
    for (auto &[name, times] : keystrokes) {
        if (times.empty())
            continue;
        std::sort(times.begin(), times.end());
        const auto at = [&times](double q) {
            return times[std::min(times.size() - 1, size_t(q * double(times.size())))] * 1e3;
        };
        std::printf("%s: %zu keystrokes, min %.2f ms, median %.2f ms, p90 %.2f ms, max %.2f ms\n",
                    name.c_str(), times.size(), times.front() * 1e3, at(0.5), at(0.9),
                    times.back() * 1e3);
    }
}

BENCHMARK(BM_OpenDeck)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDeckWhole)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainEditOpen)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInMiddle)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypeAndRepaint)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Keystroke)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Iterations(200)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

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
    reporter.printRatio("BM_OpenDeckWhole/100000", "BM_OpenDeckWhole/1000");
    reporter.printRatio("BM_OpenDeckWhole/100000", "BM_PlainEditOpen/100000");
    reporter.printRatio("BM_TypeInMiddle/100000", "BM_TypeInMiddle/1000");
    reporter.printRatio("BM_TypeAndRepaint/100000", "BM_TypeAndRepaint/1000");
    printKeystrokes();
    benchmark::Shutdown();
    return 0;
}
