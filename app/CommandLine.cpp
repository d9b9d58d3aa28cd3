#include "app/CommandLine.h"

#include "app/TransferCommand.h"

#include <algorithm>
#include <array>

namespace tess {

namespace {

// A card number from 1, as typed; -1 for anything else.
int cardNumber(const std::string &text)
{
    if (text.empty() || text.size() > 9
        || !std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return -1;
    const int n = std::stoi(text);
    return n > 0 ? n : -1;
}

struct OptionRule
{
    const char *name; // with the leading "--"
    bool takesValue;
    const char *valueName;
    const char *help;
    void (*apply)(CommandLine &, const std::string &value);
};

// New options go here; their help lines follow from the table.
const std::array<OptionRule, 12> kOptions = {{
    {"--screenshot", true, "PATH",
     "save a PNG of the main window, showing FILE or\nthe bundled example deck, to PATH and exit",
     [](CommandLine &c, const std::string &v) {
         c.action = CommandLine::Action::Screenshot;
         c.screenshotPath = v;
     }},
    {"--card", true, "N",
     "with --screenshot: show card N of the deck\n(counted from 1; the first by default)",
     [](CommandLine &c, const std::string &v) { c.card = cardNumber(v); }},
    {"--tab", true, "TAB",
     "with --screenshot or --quit-after-paint: show\nthe Design, Code or XML Tree tab (design, "
     "code\nor tree), reached as a click on it would",
     [](CommandLine &c, const std::string &v) { c.tab = v; }},
    {"--quit-after-paint", false, nullptr,
     "open FILE as a normal start does (on the tab that\n--tab names), print the time when the "
     "window's\nfirst frame showing it is painted, and exit",
     [](CommandLine &c, const std::string &) { c.quitAfterPaint = true; }},
    {"--check", false, nullptr,
     "validate each FILE as Compile does, print the\nresult and exit (status 1 when one fails)",
     [](CommandLine &c, const std::string &) { c.action = CommandLine::Action::Check; }},
    {"--format", false, nullptr,
     "print FILE's code as the Code tab shows it after\nthe design has saved it, and exit",
     [](CommandLine &c, const std::string &) { c.action = CommandLine::Action::Format; }},
    {"--compile", true, "OUT",
     "compile FILE to the binary form a phone receives\n(WBXML) and write it to OUT, then exit",
     [](CommandLine &c, const std::string &v) {
         c.action = CommandLine::Action::Compile;
         c.compileOutput = v;
     }},
    {"--size", false, nullptr,
     "print each FILE's text size, compiled size and\nwhether it fits each phone profile's "
     "budget,\nand exit",
     [](CommandLine &c, const std::string &) { c.action = CommandLine::Action::Size; }},
    {"--upload", false, nullptr,
     "upload the files of the project PROJECT.wpg and\nthe project file into URL's folder/PROJECT\n"
     "(made when missing), and exit",
     [](CommandLine &c, const std::string &) { c.action = CommandLine::Action::Upload; }},
    {"--download", false, nullptr,
     "download every file of URL's folder into DIR\n(made when missing), and exit",
     [](CommandLine &c, const std::string &) { c.action = CommandLine::Action::Download; }},
    {"--help", false, nullptr, "show this help and exit",
     [](CommandLine &c, const std::string &) { c.action = CommandLine::Action::Help; }},
    {"--version", false, nullptr, "show the version and exit",
     [](CommandLine &c, const std::string &) { c.action = CommandLine::Action::Version; }},
}};

const OptionRule *findOption(const std::string &name)
{
    for (const OptionRule &o : kOptions) {
        if (name == o.name)
            return &o;
    }
    return nullptr;
}

// Checks that the arguments fit the chosen action.
std::string checkArguments(const CommandLine &c)
{
    if (std::any_of(c.files.begin(), c.files.end(), [](const std::string &f) { return f.empty(); }))
        return "a FILE name is empty";
    if ((c.action == CommandLine::Action::Run || c.action == CommandLine::Action::Screenshot)
        && c.files.size() > 1)
        return "only one FILE can be opened at start-up";
    if (c.action == CommandLine::Action::Screenshot && c.screenshotPath.empty())
        return "option '--screenshot' needs a non-empty PATH";
    if (c.card != 0 && c.action != CommandLine::Action::Screenshot)
        return "option '--card' needs '--screenshot'";
    if (c.card < 0 && c.action == CommandLine::Action::Screenshot)
        return "option '--card' needs a card number from 1";
    if (c.quitAfterPaint && c.action != CommandLine::Action::Run)
        return "option '--quit-after-paint' goes with no other mode";
    if (c.tab && c.action != CommandLine::Action::Screenshot && !c.quitAfterPaint)
        return "option '--tab' needs '--screenshot'";
    if (c.tab && *c.tab != "design" && *c.tab != "code" && *c.tab != "tree")
        return "option '--tab' needs design, code or tree";
    if (c.action == CommandLine::Action::Check && c.files.empty())
        return "option '--check' needs at least one FILE";
    if (c.action == CommandLine::Action::Format && c.files.size() != 1)
        return "option '--format' needs exactly one FILE";
    if (c.action == CommandLine::Action::Compile
        && (c.files.size() != 1 || c.compileOutput.empty()))
        return "option '--compile' needs OUT and exactly one FILE";
    if (c.action == CommandLine::Action::Size && c.files.empty())
        return "option '--size' needs at least one FILE";
    if (c.action == CommandLine::Action::Upload || c.action == CommandLine::Action::Download) {
        const bool upload = c.action == CommandLine::Action::Upload;
        if (c.files.size() != 2)
            return upload ? "option '--upload' needs PROJECT.wpg and URL"
                          : "option '--download' needs URL and DIR";
        std::string why;
        if (!ParseTransferUrl(c.files[upload ? 1 : 0], &why))
            return why;
    }
    return {};
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string> &args)
{
    CommandLine result;
    CommandLine::Action chosen = CommandLine::Action::Run;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (optionsEnded || arg.empty() || arg == "-" || arg[0] != '-') {
            result.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const OptionRule *option = arg.starts_with("--") ? findOption(name) : nullptr;
        if (!option) {
            result.error = "unknown option '" + name + "'";
            return result;
        }
        std::string value;
        if (option->takesValue) {
            if (eq != std::string::npos) {
                value = arg.substr(eq + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                result.error = "option '" + name + "' needs a " + option->valueName;
                return result;
            }
        } else if (eq != std::string::npos) {
            result.error = "option '" + name + "' takes no value";
            return result;
        }
        option->apply(result, value);
        chosen = std::max(chosen, result.action);
    }
    result.action = chosen;
    result.error = checkArguments(result);
    return result;
}

std::string usageText()
{
    std::string text = "Usage: tessarine [FILE]\n"
                       "       tessarine --screenshot PATH [--card N] [--tab TAB] [FILE]\n"
                       "       tessarine --quit-after-paint [--tab TAB] [FILE]\n"
                       "       tessarine --check FILE...\n"
                       "       tessarine --format FILE\n"
                       "       tessarine --compile OUT FILE\n"
                       "       tessarine --size FILE...\n"
                       "       tessarine --upload PROJECT.wpg URL\n"
                       "       tessarine --download URL DIR\n"
                       "       tessarine --help | --version\n"
                       "\n"
                       "Tessarine 2.0, an editor for WML 1.1 decks. Opens FILE (a WML, ASP or JSP\n"
                       "file) when one is given.\n"
                       "\n"
                       "Options:\n";
    for (const OptionRule &o : kOptions) {
        std::string head = std::string("  ") + o.name;
        if (o.takesValue)
            head += std::string(" ") + o.valueName;
        if (head.size() < 22)
            head.resize(22, ' ');
        else
            head += "\n" + std::string(22, ' ');
        std::string help = o.help;
        for (size_t at = help.find('\n'); at != std::string::npos; at = help.find('\n', at + 1))
            help.insert(at + 1, 22, ' ');
        text += head + help + "\n";
    }
    text += "\n"
            "URL is ftp://USER@HOST[:PORT]/PATH, or ftps:// for FTP over TLS";
    text += FtpClient::supports("sftp") ? ", or sftp://" : "";
    text += ".\nThe password comes from the TESSARINE_FTP_PASSWORD variable, else from\n"
            "~/.netrc; never from the command line. A server certificate that cannot be\n"
            "verified is trusted when TESSARINE_FTP_FINGERPRINT holds its SHA-256 fingerprint.\n";
    return text;
}

std::string versionText()
{
    return std::string("tessarine ") + TESS_VERSION;
}

} // namespace tess
