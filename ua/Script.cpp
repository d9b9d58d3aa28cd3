#include "ua/Browser.h"
#include "ua/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

// The screen as text lines, the trace of a browser, and the steps of a
// --script.
namespace tess::ua {

namespace {

void appendLines(std::vector<std::string> &lines, const std::string &text)
{
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return;
        start = end + 1;
    }
}

// An input shows its value then underscores up to eight characters, so
// that an empty field still shows as one.
std::string inputShown(const std::string &value)
{
    return "[" + value + std::string(value.size() < 8 ? 8 - value.size() : 0, '_') + "]";
}

std::string describe(ScreenItem::Kind kind)
{
    switch (kind) {
    case ScreenItem::Kind::Link:
        return "a link";
    case ScreenItem::Kind::Input:
        return "an input";
    case ScreenItem::Kind::Select:
        return "a select";
    default:
        return "nothing";
    }
}

} // namespace

std::vector<std::string> screenLines(const Screen &screen)
{
    std::vector<std::string> lines;
    if (!screen.message.empty())
        appendLines(lines, screen.message);
    std::string line;
    bool open = false; // a line has started since the last break
    int lastRow = -1;
    int lastColumn = -1;
    for (const ScreenItem &item : screen.items) {
        if (item.kind == ScreenItem::Kind::Break) {
            if (open)
                lines.push_back(trimmed(line));
            line.clear();
            open = false;
            lastRow = lastColumn = -1;
            continue;
        }
        if (item.tableRow >= 0 && item.tableRow == lastRow && item.tableColumn != lastColumn) {
            line = trimmed(line) + " | ";
        }
        lastRow = item.tableRow;
        lastColumn = item.tableColumn;
        open = true;
        switch (item.kind) {
        case ScreenItem::Kind::Text:
        case ScreenItem::Kind::Image:
            // Blanks at the seam of two runs collapse into one.
            if (!line.empty() && line.back() == ' ' && !item.text.empty() && item.text[0] == ' ')
                line += item.text.substr(1);
            else
                line += item.text;
            break;
        case ScreenItem::Kind::Link:
            line += "[" + item.text + "]";
            break;
        case ScreenItem::Kind::Input:
            line += inputShown(item.text);
            break;
        case ScreenItem::Kind::Select:
            line += "<" + item.text + ">";
            break;
        case ScreenItem::Kind::Break:
            break;
        }
    }
    if (open)
        lines.push_back(trimmed(line));
    return lines;
}

std::string traceOf(const Browser &browser)
{
    std::string out = "card: ";
    if (browser.currentCardIndex() < 0)
        out += "(none)";
    else if (const std::string id = browser.currentCardId(); !id.empty())
        out += id;
    else
        out += "#" + std::to_string(browser.currentCardIndex() + 1);
    out += '\n';
    for (const std::string &line : screenLines(browser.screen()))
        out += "| " + line + "\n";
    for (const auto &[name, value] : browser.variables())
        out += "var " + name + "=" + value + "\n";
    if (const auto &request = browser.screen().request) {
        out += "request: " + request->method + " " + request->url + "\n";
        for (const auto &[name, value] : request->postfields)
            out += "postfield " + name + "=" + value + "\n";
    }
    return out;
}

namespace {

// One step; "" when it was carried out, else why not.
std::string runStep(Browser &browser, const std::string &step)
{
    const size_t space = step.find(' ');
    const std::string verb = step.substr(0, space);
    const std::string argument
        = space == std::string::npos ? std::string() : step.substr(space + 1);
    const Screen &screen = browser.screen();
    auto number = [&](int &out) {
        char *end = nullptr;
        const long value = std::strtol(argument.c_str(), &end, 10);
        if (argument.empty() || *end != '\0')
            return false;
        out = static_cast<int>(value);
        return true;
    };
    auto focusedKind = [&] {
        for (const ScreenItem &item : screen.items)
            if (item.focus == screen.focused && item.focus >= 0)
                return item.kind;
        return ScreenItem::Kind::Text;
    };
    auto orMessage = [&](const std::string &reason) {
        return browser.screen().message.empty() ? reason : browser.screen().message;
    };
    int n = 0;
    if (verb == "select") {
        if (!number(n))
            return "select needs a number";
        if (!browser.focus(n - 1))
            return "there is no link or field " + argument + " (the card has "
                + std::to_string(screen.focusCount) + ")";
    } else if (verb == "activate") {
        if (focusedKind() != ScreenItem::Kind::Link)
            return "activate needs a link, and the focus is on " + describe(focusedKind());
        if (!browser.activate())
            return orMessage("the link leads nowhere");
    } else if (verb == "type") {
        if (focusedKind() != ScreenItem::Kind::Input)
            return "type needs an input, and the focus is on " + describe(focusedKind());
        if (!browser.type(argument))
            return orMessage("the input refuses \"" + argument + "\"");
    } else if (verb == "pick") {
        if (focusedKind() != ScreenItem::Kind::Select)
            return "pick needs a select, and the focus is on " + describe(focusedKind());
        if (!number(n) || !browser.pick(n - 1))
            return "there is no option " + argument + " to pick";
    } else if (verb == "softkey") {
        const std::vector<SoftKey> keys = browser.softKeys();
        if (std::none_of(keys.begin(), keys.end(), [&](const SoftKey &key) {
                return key.label == argument || key.type == argument || key.name == argument;
            }))
            return "there is no soft key " + argument;
        if (!browser.softKey(argument))
            return orMessage("the soft key's task could not be carried out");
    } else if (verb == "back") {
        if (!browser.back())
            return "there is nothing to go back to";
    } else if (verb == "wait") {
        char *end = nullptr;
        const double seconds = std::strtod(argument.c_str(), &end);
        if (argument.empty() || *end != '\0' || seconds < 0)
            return "wait needs a number of seconds";
        browser.advance(static_cast<int>(std::lround(seconds * 1000)));
    } else {
        return "unknown step";
    }
    return {};
}

} // namespace

bool runScript(Browser &browser, const std::string &file, const std::string &script,
               std::string &out, std::string *error)
{
    const bool opened = browser.open(file);
    out += traceOf(browser);
    if (!opened) {
        if (error)
            *error = browser.screen().message;
        return false;
    }
    size_t start = 0;
    while (start < script.size()) {
        size_t end = script.find(';', start);
        if (end == std::string::npos)
            end = script.size();
        const std::string step = trimmed(script.substr(start, end - start));
        start = end + 1;
        if (step.empty())
            continue;
        const std::string reason = runStep(browser, step);
        if (!reason.empty()) {
            if (error)
                *error = step + ": " + reason;
            return false;
        }
        out += traceOf(browser);
    }
    return true;
}

} // namespace tess::ua
