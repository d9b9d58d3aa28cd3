#include "ua/Text.h"

#include <cctype>
#include <charconv>
#include <vector>

namespace tess::ua {

namespace {

bool isNameStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isNameChar(char c)
{
    return isNameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The folder of a path, with its trailing '/'; "" for a bare name.
std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Removes "." and ".." segments, so that history entries of the same file
// compare equal.
std::string normalizePath(const std::string &path)
{
    const bool absolute = !path.empty() && path[0] == '/';
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (!absolute)
                parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out = absolute ? "/" : "";
    for (size_t i = 0; i < parts.size(); ++i)
        out += (i ? "/" : "") + parts[i];
    return out;
}

} // namespace

std::string urlEscape(std::string_view text)
{
    static const char *hex = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (std::isalnum(c) || std::string_view("-_.!~*'()").find(ch) != std::string_view::npos) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string urlUnescape(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0
            && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string substitute(std::string_view text, const std::map<std::string, std::string> &vars,
                       bool escapeByDefault)
{
    if (text.find('$') == std::string_view::npos)
        return std::string(text);
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '$' || i + 1 >= text.size()) {
            out += c;
            ++i;
            continue;
        }
        if (text[i + 1] == '$') {
            out += '$';
            i += 2;
            continue;
        }
        std::string name;
        std::string conversion;
        size_t next = i + 1;
        if (text[next] == '(') {
            const size_t close = text.find(')', next);
            if (close == std::string_view::npos) {
                out += c;
                ++i;
                continue;
            }
            const std::string_view inner = text.substr(next + 1, close - next - 1);
            const size_t colon = inner.find(':');
            name = std::string(inner.substr(0, colon));
            if (colon != std::string_view::npos)
                conversion = lower(inner.substr(colon + 1));
            next = close + 1;
        } else {
            while (next < text.size()
                   && (next == i + 1 ? isNameStart(text[next]) : isNameChar(text[next])))
                name += text[next++];
        }
        if (name.empty() || !isNameStart(name[0])) {
            out += c;
            ++i;
            continue;
        }
        const auto found = vars.find(name);
        const std::string value = found == vars.end() ? std::string() : found->second;
        if (conversion == "escape" || conversion == "e" || (conversion.empty() && escapeByDefault))
            out += urlEscape(value);
        else if (conversion == "unescape" || conversion == "u")
            out += urlUnescape(value);
        else
            out += value;
        i = next;
    }
    return out;
}

Target resolve(const std::string &deckPath, const std::string &href)
{
    Target target;
    std::string rest = href;
    const size_t hash = rest.find('#');
    if (hash != std::string::npos) {
        target.fragment = rest.substr(hash + 1);
        rest.erase(hash);
    }
    const size_t colon = rest.find(':');
    const size_t firstSlash = rest.find('/');
    const bool hasScheme = colon != std::string::npos && colon > 1
        && (firstSlash == std::string::npos || colon < firstSlash);
    if (hasScheme && lower(rest.substr(0, colon)) != "file") {
        target.url = href;
        return target;
    }
    target.local = true;
    if (hasScheme) {
        rest.erase(0, colon + 1);
        if (rest.rfind("//", 0) == 0) {
            const size_t pathStart = rest.find('/', 2);
            rest = pathStart == std::string::npos ? "/" : rest.substr(pathStart);
        }
        rest = urlUnescape(rest);
    }
    const size_t query = rest.find('?');
    if (query != std::string::npos)
        rest.erase(query);
    if (rest.empty()) {
        target.path = normalizePath(deckPath);
    } else {
        target.path = normalizePath(rest[0] == '/' ? rest : folderOf(deckPath) + rest);
    }
    target.url = "file://" + target.path + (target.fragment.empty() ? "" : "#" + target.fragment);
    return target;
}

namespace {

bool fitsCode(char code, unsigned char c)
{
    const bool letter = std::isalpha(c) || c >= 0x80;
    const bool digit = std::isdigit(c);
    const bool punct = !letter && !digit;
    switch (code) {
    case 'A':
        return (letter && !std::islower(c)) || punct;
    case 'a':
        return (letter && !std::isupper(c)) || punct;
    case 'N':
        return digit;
    case 'X':
        return !std::islower(c);
    case 'x':
        return !std::isupper(c);
    case 'M':
    case 'm':
        return true;
    }
    return false;
}

bool isCode(char c)
{
    return std::string_view("AaNXxMm").find(c) != std::string_view::npos;
}

} // namespace

bool fitsFormat(std::string_view format, std::string_view value, bool emptyOk)
{
    if (format.empty() || (value.empty() && emptyOk))
        return true;
    size_t v = 0;
    for (size_t f = 0; f < format.size(); ++f) {
        const char code = format[f];
        if (code == '*' || (code >= '1' && code <= '9')) {
            if (f + 2 != format.size() || !isCode(format[f + 1]))
                return true;
            const size_t most = code == '*' ? std::string_view::npos : size_t(code - '0');
            const size_t left = value.size() - v;
            if (most != std::string_view::npos && left > most)
                return false;
            for (; v < value.size(); ++v)
                if (!fitsCode(format[f + 1], static_cast<unsigned char>(value[v])))
                    return false;
            return true;
        }
        if (code == '\\') {
            if (++f >= format.size())
                return true;
            if (v >= value.size() || value[v] != format[f])
                return false;
            ++v;
            continue;
        }
        if (!isCode(code))
            return true;
        if (v >= value.size() || !fitsCode(code, static_cast<unsigned char>(value[v])))
            return false;
        ++v;
    }
    return v == value.size();
}

std::optional<int> parseInt(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<std::string> splitList(const std::string &text)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos)
            end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

std::string fileName(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string trimmed(const std::string &text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace tess::ua
