// Opens FILE in a shown tab window as the program does, clicks Code and
// waits until the whole text is in the code view and its first screen is
// painted, then ends: bench/code-memory.sh reads the peak resident size of
// the run. Prints the number of lines shown, so that a run that did not
// reach the Code tab cannot pass for a small one.
#include "app/AppContext.h"
#include "editor/DeckDocument.h"
#include "editor/DocumentSync.h"
#include "gui/code/DeckCodeEditor.h"
#include "gui/shell/DocumentTabs.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class NoHost : public tess::SyncHost
{
public:
    void showMessage(const std::string &text) override { last = text; }
    void clearOutput() override { }
    void addRecentFile(const std::string &) override { }
    void launchEmulator(const std::string &, Launch) override { }
    std::string last;
};

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_code_memory FILE\n");
        return 2;
    }
    QTemporaryDir scratch;
    tess::AppContext context;
    context.tempDir = scratch.path().toStdString();
    NoHost host;
    tess::DeckDocument doc;
    doc.OnOpenDocument(argv[1], nullptr);
    tess::DocumentTabs tabs(doc, host, tess::Prompter::console(), context);
    tabs.resize(800, 600);
    tabs.show();
    tabs.clickTab(tess::CodeTab);
    tabs.codeView()->completeText();
    QCoreApplication::processEvents();
    if (tabs.currentIndex() != tess::CodeTab || !tabs.codeView()->lineColoured(0)) {
        std::fprintf(stderr, "the Code tab is not shown: %s\n", host.last.c_str());
        return 1;
    }
    std::printf("%d lines\n", tabs.codeView()->document()->blockCount());
    return 0;
}
