#include "app/RemoteName.h"

#include <algorithm>
#include <cctype>

namespace tess {

namespace {

bool isControl(unsigned char ch)
{
    return ch < 0x20 || ch == 0x7f;
}

// Splits on "\n", dropping the "\r" of "\r\n".
std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> result;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (!line.empty())
            result.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return result;
}

std::string lower(std::string_view text)
{
    std::string result(text);
    std::ranges::transform(result, result.begin(),
                           [](unsigned char ch) { return std::tolower(ch); });
    return result;
}

std::uint64_t number(std::string_view text)
{
    std::uint64_t value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9')
            return 0;
        value = value * 10 + std::uint64_t(ch - '0');
    }
    return value;
}

// Drops blanks before `text` and returns the next word, consuming it.
std::string_view nextWord(std::string_view &text)
{
    const size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        text = {};
        return {};
    }
    text.remove_prefix(start);
    const size_t end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

} // namespace

std::string OneLine(std::string_view text, size_t limit)
{
    std::string result;
    for (const char ch : text) {
        if (ch == '\n' || ch == '\r') {
            if (!result.empty())
                break;
            continue;
        }
        if (isControl(static_cast<unsigned char>(ch)))
            continue;
        if (result.size() == limit)
            break;
        result += ch;
    }
    return result;
}

RemoteNameUse CheckRemoteName(std::string_view name)
{
    if (name == "." || name == "..")
        return RemoteNameUse::Skip;
    if (name.empty() || name.find_first_of("/\\") != std::string_view::npos
        || std::ranges::any_of(name,
                               [](char ch) { return isControl(static_cast<unsigned char>(ch)); }))
        return RemoteNameUse::Refuse;
    return RemoteNameUse::Take;
}

std::string RefusedNameText(std::string_view name)
{
    return "The server's file name \"" + OneLine(name) + "\" cannot be used here; it was skipped.";
}

std::vector<RemoteEntry> ParseMlsd(std::string_view text)
{
    std::vector<RemoteEntry> entries;
    for (std::string_view line : lines(text)) {
        const size_t gap = line.find("; ");
        if (gap == std::string_view::npos)
            continue;
        RemoteEntry entry;
        entry.name = std::string(line.substr(gap + 2));
        std::string_view facts = line.substr(0, gap + 1);
        bool skip = false;
        while (!facts.empty()) {
            const size_t end = facts.find(';');
            const std::string_view fact = facts.substr(0, end);
            facts.remove_prefix(end == std::string_view::npos ? facts.size() : end + 1);
            const size_t eq = fact.find('=');
            if (eq == std::string_view::npos)
                continue;
            const std::string key = lower(fact.substr(0, eq));
            const std::string value = lower(fact.substr(eq + 1));
            if (key == "type") {
                entry.folder = value == "dir";
                skip = value == "cdir" || value == "pdir";
            } else if (key == "size") {
                entry.size = number(value);
            }
        }
        if (!skip)
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<RemoteEntry> ParseList(std::string_view text)
{
    std::vector<RemoteEntry> entries;
    for (std::string_view line : lines(text)) {
        RemoteEntry entry;
        std::string_view rest = line;
        const std::string_view first = nextWord(rest);
        if (first.size() == 8 && first[2] == '-' && first[5] == '-') {
            nextWord(rest); // time
            const std::string_view kind = nextWord(rest);
            entry.folder = kind == "<DIR>";
            entry.size = entry.folder ? 0 : number(kind);
            // The DOS form pads before the name.
            rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
        } else if (first.size() >= 10 && line.size() > 10) {
            entry.folder = first[0] == 'd';
            nextWord(rest); // links
            nextWord(rest); // owner
            nextWord(rest); // group
            entry.size = number(nextWord(rest));
            for (int i = 0; i < 3; ++i)
                nextWord(rest); // month, day, time or year
            if (first[0] == 'l') {
                if (const size_t arrow = rest.find(" -> "); arrow != std::string_view::npos)
                    rest = rest.substr(0, arrow);
            }
        } else {
            continue;
        }
        // In the Unix form one blank separates the name, which may hold
        // blanks of its own.
        if (rest.starts_with(' '))
            rest.remove_prefix(1);
        if (rest.empty())
            continue;
        entry.name = std::string(rest);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string LastPart(std::string_view path)
{
    size_t cut = path.rfind('/');
    if (cut == std::string_view::npos)
        cut = path.rfind('\\');
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

} // namespace tess
