#include "wml/XmlEscape.h"

#include <cstdint>

namespace tess {

namespace {

void appendUtf8(std::string &out, uint32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// The character a reference "&...;" of `name` (between "&" and ";") stands
// for; 0 when it is no predefined entity or valid character reference.
uint32_t referencedCharacter(std::string_view name)
{
    if (name == "amp")
        return '&';
    if (name == "lt")
        return '<';
    if (name == "gt")
        return '>';
    if (name == "quot")
        return '"';
    if (name == "apos")
        return '\'';
    if (name.size() < 2 || name[0] != '#')
        return 0;
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8)
        return 0;
    uint32_t cp = 0;
    for (char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0)
            return 0;
        cp = cp * (hex ? 16 : 10) + uint32_t(d);
    }
    const bool allowed = cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF)
        || (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
    return allowed ? cp : 0;
}

} // namespace

namespace {

// Text escapes "&", "<" and ">"; a value between double quotes escapes "&",
// "<", the quote and the blanks the parser would normalise away.
std::string escaped(std::string_view text, bool attribute)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const char *reference = nullptr;
        switch (c) {
        case '&':
            reference = "&amp;";
            break;
        case '<':
            reference = "&lt;";
            break;
        case '>':
            reference = attribute ? nullptr : "&gt;";
            break;
        case '"':
            reference = attribute ? "&quot;" : nullptr;
            break;
        case '\t':
            reference = attribute ? "&#9;" : nullptr;
            break;
        case '\n':
            reference = attribute ? "&#10;" : nullptr;
            break;
        case '\r':
            reference = attribute ? "&#13;" : nullptr;
            break;
        default:
            break;
        }
        if (reference)
            out += reference;
        else
            out += c;
    }
    return out;
}

} // namespace

std::string EscapeXmlText(std::string_view text)
{
    return escaped(text, false);
}

std::string EscapeXmlAttribute(std::string_view value)
{
    return escaped(value, true);
}

std::string UnescapeXml(std::string_view text)
{
    if (text.find('&') == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t amp; (amp = text.find('&', from)) != std::string_view::npos;) {
        out.append(text, from, amp - from);
        const size_t semi = text.find(';', amp + 1);
        const uint32_t cp = semi == std::string_view::npos || semi - amp > 12
            ? 0
            : referencedCharacter(text.substr(amp + 1, semi - amp - 1));
        if (cp) {
            appendUtf8(out, cp);
            from = semi + 1;
        } else {
            out += '&';
            from = amp + 1;
        }
    }
    out.append(text, from);
    return out;
}

} // namespace tess
