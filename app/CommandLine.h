#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tess {

// What the program was asked to do on its command line.
struct CommandLine
{
    // In rising weight: when several are asked for, the weightiest wins.
    enum class Action {
        Run,
        Screenshot,
        Check,
        Format,
        Size,
        Compile,
        Upload,
        Download,
        Version,
        Help
    };

    Action action = Action::Run;
    std::vector<std::string> files; // positional arguments, in order
    std::string screenshotPath;
    std::string compileOutput; // --compile OUT
    // --card: the 1-based card the screenshot shows; 0 when not given, -1
    // when the value is no card number.
    int card = 0;
    // --tab: "design", "code" or "tree"; missing when not given.
    std::optional<std::string> tab;
    // --quit-after-paint: a normal start that exits once the window's first
    // frame with FILE is painted, for timing start-up.
    bool quitAfterPaint = false;
    // Set when the arguments are unusable; the program then says so and
    // exits with status 2.
    std::string error;
};

// Parses the arguments that follow the program name. Options are
// "--name", "--name VALUE" or "--name=VALUE"; "--" ends the options.
CommandLine parseCommandLine(const std::vector<std::string> &args);

std::string usageText();
std::string versionText();

} // namespace tess
