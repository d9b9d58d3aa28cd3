#include "app/EmulatorLaunch.h"
#include "gui/emulator/EmulatorPrompter.h"
#include "gui/emulator/EmulatorWindow.h"
#include "gui/emulator/HandOffServer.h"
#include "gui/emulator/ScreenProfile.h"
#include "ua/Browser.h"
#include "wml/DataPaths.h"
#include "wml/FileUtil.h"

#include <QApplication>
#include <QBuffer>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char *kUsage
    = "Usage: tessarine-emulator [--profile small|medium|large] [FILE]\n"
      "       tessarine-emulator --script 'STEP; STEP; ...' FILE\n"
      "       tessarine-emulator --screenshot PATH [--profile ...] [FILE]\n"
      "       tessarine-emulator --help | --version\n"
      "\n"
      "The Tessarine emulator: shows a WML 1.1 deck as a phone would. A deck given\n"
      "while another emulator runs is shown by that one.\n"
      "\n"
      "  --script STEPS      run the steps on FILE without a window and print the\n"
      "                      trace: select N, activate, type TEXT, softkey LABEL,\n"
      "                      back, wait SECONDS, pick N, separated by ';'\n"
      "  --screenshot PATH   save a PNG picture of the phone showing FILE (the\n"
      "                      example deck without one)\n"
      "  --profile NAME      the phone for this run: small (96 x 65, monochrome),\n"
      "                      medium (128 x 128) or large (176 x 208)\n";

struct Options
{
    std::optional<std::string> script;
    std::optional<std::string> screenshot;
    const tess::emu::ScreenProfile *profile = nullptr;
    std::vector<std::string> files;
    bool help = false;
    bool version = false;
    // Not in the usage: tests watch decks arrive through it.
    bool traceOnLoad = false;
    std::string error;
};

Options parse(const std::vector<std::string> &args)
{
    Options o;
    for (size_t i = 0; i < args.size() && o.error.empty(); ++i) {
        const std::string &a = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 < args.size())
                return args[++i];
            o.error = "option '" + a + "' needs a value";
            return std::nullopt;
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--script") {
            o.script = value();
        } else if (a == "--screenshot") {
            o.screenshot = value();
        } else if (a == "--profile") {
            if (const std::optional<std::string> name = value()) {
                o.profile = tess::emu::findScreenProfile(*name);
                if (!o.profile)
                    o.error = "unknown profile '" + *name + "' (small, medium or large)";
            }
        } else if (a == "--trace-on-load") {
            o.traceOnLoad = true;
        } else if (a.size() > 1 && a[0] == '-') {
            o.error = "unknown option '" + a + "'";
        } else {
            o.files.push_back(a);
        }
    }
    if (!o.error.empty() || o.help || o.version)
        return o;
    if (o.files.size() > 1)
        o.error = "one deck at a time";
    else if (o.script && o.screenshot)
        o.error = "--script and --screenshot do not go together";
    else if (o.script && o.files.empty())
        o.error = "--script needs a deck";
    return o;
}

int fail(const std::string &reason)
{
    std::fprintf(stderr, "tessarine-emulator: %s\n", reason.c_str());
    return 1;
}

// As the IDE does: without a display the picture is taken offscreen.
void useOffscreenWhenHeadless()
{
    const auto unset = [](const char *name) {
        const char *value = std::getenv(name);
        return !value || !*value;
    };
    if (unset("DISPLAY") && unset("WAYLAND_DISPLAY") && unset("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

// The picture is made in memory and written whole, so a failing disk never
// leaves half a file.
bool saveScreenshot(QWidget *widget, const std::string &path)
{
    QByteArray png;
    QBuffer buffer(&png);
    const QPixmap shot = widget->grab();
    return !shot.isNull() && buffer.open(QIODevice::WriteOnly) && shot.save(&buffer, "PNG")
        && tess::writeFileAtomically(path, png.toStdString());
}

std::string absolute(const std::string &path)
{
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.string();
}

int runScript(const Options &o)
{
    tess::ua::Browser browser;
    std::string out;
    std::string error;
    const bool ok = tess::ua::runScript(browser, o.files.front(), *o.script, out, &error);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    return ok ? 0 : fail(error);
}

} // namespace

int main(int argc, char **argv)
{
    const Options o = parse(std::vector<std::string>(argv + 1, argv + argc));
    if (!o.error.empty()) {
        std::fprintf(stderr,
                     "tessarine-emulator: %s\nTry 'tessarine-emulator --help' for more "
                     "information.\n",
                     o.error.c_str());
        return 2;
    }
    if (o.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (o.version) {
        std::printf("tessarine-emulator %s\n", TESS_VERSION);
        return 0;
    }
    if (o.script)
        return runScript(o);
    if (o.screenshot)
        useOffscreenWhenHeadless();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarine Emulator"));
    QApplication::setApplicationVersion(QStringLiteral(TESS_VERSION));
    std::string file = o.files.empty() ? std::string() : absolute(o.files.front());

    // One emulator at a time: a deck for a running one goes there.
    if (!o.screenshot && !file.empty() && tess::sendToRunningEmulator(file))
        return 0;

    tess::emu::EmulatorPrompter prompter;
    tess::emu::EmulatorWindow window(prompter);
    prompter.setParent(&window);
    if (o.profile)
        window.setProfile(*o.profile, false);
    if (o.traceOnLoad)
        window.onLoaded = [](const std::string &path) {
            std::printf("loaded: %s\n", path.c_str());
            std::fflush(stdout);
        };

    if (o.screenshot) {
        if (file.empty())
            file = tess::dataFile("examples/welcome.wml");
        if (!file.empty())
            window.openDeck(file);
        window.show();
        const std::string path = absolute(*o.screenshot);
        int status = 0;
        // Layout and painting settle before the picture is taken.
        QTimer::singleShot(300, &app, [&] {
            if (saveScreenshot(&window, path))
                std::printf("Screenshot saved to %s\n", path.c_str());
            else
                status = fail("cannot write the screenshot to " + path);
            app.quit();
        });
        app.exec();
        return status;
    }

    tess::emu::HandOffServer server;
    std::string error;
    if (!server.listen(&error))
        std::fprintf(stderr, "tessarine-emulator: %s; decks from the IDE go there\n",
                     error.c_str());
    QObject::connect(&server, &tess::emu::HandOffServer::deckRequested, &window,
                     [&window](const QByteArray &path) {
                         window.openDeck(path.toStdString());
                         window.bringToFront();
                     });
    if (!file.empty())
        window.openDeck(file);
    window.show();
    return app.exec();
}
