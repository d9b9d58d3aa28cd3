#include "app/CommandLine.h"
#include "app/DeckCheck.h"
#include "app/DeckCompile.h"
#include "app/PrivateTempDir.h"
#include "app/SettingsKey.h"
#include "app/TransferCommand.h"
#include "editor/Prompter.h"
#include "gui/shell/Application.h"
#include "gui/shell/MainWindow.h"
#include "wml/DataPaths.h"
#include "wml/FileUtil.h"

#include <QApplication>
#include <QTimer>

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

int takeScreenshot(QApplication &app, const tess::CommandLine &cl)
{
    tess::StartupOptions options;
    options.fixedSize = true;
    options.card = cl.card;
    // No box can be answered here: messages go to standard error.
    options.prompter = &tess::Prompter::console();
    if (cl.tab)
        options.tab = *cl.tab == "code" ? 1 : *cl.tab == "tree" ? 2 : 0;
    options.file = cl.files.empty() ? tess::dataFile("examples/welcome.wml") : cl.files.front();
    if (options.file.empty())
        return fail("the example deck is missing: no data folder was found");
    if (const std::string reason = tess::unreadableFileReason(options.file); !reason.empty())
        return fail(reason);
    // Reaching Code or XML Tree goes through the file, as in the IDE; a
    // picture of the deck must not rewrite it, so those tabs open a copy of
    // the same name. Nor does a picture enter the user's recent files. The
    // name is kept as the bytes it is: it need not be UTF-8.
    const tess::PrivateTempDir copyDir;
    if (copyDir.path().empty())
        return fail("cannot make a temporary folder");
    const std::filesystem::path copyFolder(copyDir.path());
    options.recentPath = (copyFolder / "recent.ini").string();
    if (options.tab != 0) {
        const std::filesystem::path copy
            = copyFolder / std::filesystem::path(options.file).filename();
        std::error_code ec;
        if (!std::filesystem::copy_file(options.file, copy, ec))
            return fail("cannot read " + options.file + ": " + ec.message());
        options.file = copy.string();
    }
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

    tess::Application berthing;
    tess::StartupOptions options;
    if (!cl.files.empty())
        options.file = cl.files.front();
    std::string error;
    if (!berthing.InitInstance(options, &error))
        return fail(error);
    return app.exec();
}
