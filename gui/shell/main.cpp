#include "app/CommandLine.h"
#include "app/DeckCheck.h"
#include "app/DeckCompile.h"
#include "app/PrivateTempDir.h"
#include "app/SettingsKey.h"
#include "app/TransferCommand.h"
#include "editor/Prompter.h"
#include "gui/shell/Application.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/MainWindow.h"
#include "wml/DataPaths.h"
#include "wml/FileUtil.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Without a display the screenshot is taken on Qt's offscreen platform; a
// platform the user chose is left alone.
void useOffscreenWhenHeadless()
{
    const auto unset = [](const char *name) {
        const char *value = std::getenv(name);
        return !value || !*value;
    };
    if (unset("DISPLAY") && unset("WAYLAND_DISPLAY") && unset("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

int fail(const std::string &reason)
{
    std::fprintf(stderr, "tessarine: %s\n", reason.c_str());
    return 1;
}

// What a screenshot and a timed start share, for options.file (none for an
// empty start): messages go to standard error, as no box can be answered.
// Reaching Code or XML Tree goes through the file, as in the IDE; a picture
// or a timing of the deck must not rewrite it, so those tabs open a copy of
// the same name in copyDir. Nor does the file enter the user's recent files.
// The name is kept as the bytes it is: it need not be UTF-8. Returns why
// the start cannot go on, or nothing.
std::string prepareUnattended(const tess::CommandLine &cl, const tess::PrivateTempDir &copyDir,
                              tess::StartupOptions &options)
{
    options.prompter = &tess::Prompter::console();
    if (cl.tab)
        options.tab = *cl.tab == "code" ? 1 : *cl.tab == "tree" ? 2 : 0;
    if (copyDir.path().empty())
        return "cannot make a temporary folder";
    const std::filesystem::path copyFolder(copyDir.path());
    options.recentPath = (copyFolder / "recent.ini").string();
    if (options.file.empty())
        return {};
    if (std::string reason = tess::unreadableFileReason(options.file); !reason.empty())
        return reason;
    if (options.tab != 0) {
        const std::filesystem::path copy
            = copyFolder / std::filesystem::path(options.file).filename();
        std::error_code ec;
        if (!std::filesystem::copy_file(options.file, copy, ec))
            return "cannot read " + options.file + ": " + ec.message();
        options.file = copy.string();
    }
    return {};
}

int takeScreenshot(QApplication &app, const tess::CommandLine &cl)
{
    tess::StartupOptions options;
    options.fixedSize = true;
    options.card = cl.card;
    options.file = cl.files.empty() ? tess::dataFile("examples/welcome.wml") : cl.files.front();
    if (options.file.empty())
        return fail("the example deck is missing: no data folder was found");
    const tess::PrivateTempDir copyDir;
    if (const std::string reason = prepareUnattended(cl, copyDir, options); !reason.empty())
        return fail(reason);
    tess::Application berthing;
    std::string error;
    if (!berthing.InitInstance(options, &error))
        return fail(error);
    if (!berthing.startupWarning().empty())
        std::fprintf(stderr, "tessarine: %s\n", berthing.startupWarning().c_str());

    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(cl.screenshotPath, ec);
    const std::string path = ec ? cl.screenshotPath : absolute.string();
    int status = 0;
    // Let layout and painting settle before grabbing.
    QTimer::singleShot(300, &app, [&] {
        if (saveWidgetScreenshot(berthing.mainFrame(), path, &error)) {
            std::printf("Screenshot saved to %s\n", path.c_str());
        } else {
            status = fail(error);
        }
        app.quit();
    });
    app.exec();
    return status;
}

// Quits the application once a frame has been painted that shows the active
// document's current tab; with no document open, once any part of the main
// window has been painted.
class FirstFrameWatch : public QObject
{
public:
    explicit FirstFrameWatch(const tess::Application &berthing)
        : m_berthing(berthing)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()
            && showsDocument(static_cast<QWidget *>(watched))) {
            m_seen = true;
            // Posted, so it runs once this frame is painted and flushed, and
            // before the timers of idle work: the time is the frame's.
            QTimer::singleShot(0, qApp, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("First frame painted at %.6f s since the epoch\n",
                            std::chrono::duration<double>(now).count());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool showsDocument(const QWidget *widget) const
    {
        const tess::MainWindow *frame = m_berthing.mainFrame();
        if (!frame)
            return false;
        const QWidget *shown = frame;
        if (const tess::DocumentWindow *child = frame->activeChildFrame())
            shown = child->tabWindow()->currentWidget();
        return shown && (widget == shown || shown->isAncestorOf(widget));
    }

    const tess::Application &m_berthing;
    bool m_seen = false;
};

int quitAfterPaint(QApplication &app, const tess::CommandLine &cl)
{
    tess::StartupOptions options;
    if (!cl.files.empty())
        options.file = cl.files.front();
    const tess::PrivateTempDir copyDir;
    if (const std::string reason = prepareUnattended(cl, copyDir, options); !reason.empty())
        return fail(reason);
    tess::Application berthing;
    // Watching from before the window exists: no frame goes unseen.
    FirstFrameWatch watch(berthing);
    app.installEventFilter(&watch);
    std::string error;
    const bool started = berthing.InitInstance(options, &error);
    if (started)
        app.exec();
    app.removeEventFilter(&watch);
    return started ? 0 : fail(error);
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const tess::CommandLine cl = tess::parseCommandLine(args);
    if (!cl.error.empty()) {
        std::fprintf(stderr, "tessarine: %s\nTry 'tessarine --help' for more information.\n",
                     cl.error.c_str());
        return 2;
    }
    // Answered before Qt starts, so they work without a display.
    switch (cl.action) {
    case tess::CommandLine::Action::Help:
        std::fputs(tess::usageText().c_str(), stdout);
        return 0;
    case tess::CommandLine::Action::Version:
        std::printf("%s\n", tess::versionText().c_str());
        return 0;
    case tess::CommandLine::Action::Check:
        return tess::checkDecks(cl.files, std::cout, std::cerr);
    case tess::CommandLine::Action::Format:
        return tess::formatDeck(cl.files.front(), tess::SettingsKey(), std::cout, std::cerr);
    case tess::CommandLine::Action::Compile:
        return tess::compileDeckTo(cl.files.front(), cl.compileOutput, std::cerr);
    case tess::CommandLine::Action::Size:
        return tess::printDeckSizes(cl.files, std::cout, std::cerr);
    case tess::CommandLine::Action::Upload:
        return tess::RunUploadCommand(cl.files[0], cl.files[1], std::cerr);
    case tess::CommandLine::Action::Download:
        return tess::RunDownloadCommand(cl.files[0], cl.files[1], std::cerr);
    case tess::CommandLine::Action::Screenshot:
        useOffscreenWhenHeadless();
        break;
    case tess::CommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarine"));
    QApplication::setApplicationVersion(QStringLiteral(TESS_VERSION));
    if (cl.action == tess::CommandLine::Action::Screenshot)
        return takeScreenshot(app, cl);
    if (cl.quitAfterPaint)
        return quitAfterPaint(app, cl);

    tess::Application berthing;
    tess::StartupOptions options;
    if (!cl.files.empty())
        options.file = cl.files.front();
    std::string error;
    if (!berthing.InitInstance(options, &error))
        return fail(error);
    return app.exec();
}
