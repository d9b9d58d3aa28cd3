#include "deck/StartTag.h"

#include "wml/XmlEscape.h"

#include <limits>

namespace tess {

std::string Trimmed(std::string_view value)
{
    const size_t first = value.find_first_not_of(XmlBlanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(value.substr(first, value.find_last_not_of(XmlBlanks) - first + 1));
}

StartTag::StartTag(std::string text)
    : m_text(std::move(text))
{
    const std::string_view f = m_text;
    const size_t open = f.find('<');
    if (open == std::string_view::npos || f.substr(open + 1).starts_with('!')
        || f.substr(open + 1).starts_with('?') || f.size() > std::numeric_limits<uint32_t>::max())
        return;
    m_isTag = true;
    read(open + 1);
}

// Every search starts where the previous one ended, so the scan is linear in
// the text.
void StartTag::read(size_t start)
{
    const std::string_view f = m_text;
    const size_t n = f.size();
    const auto span = [](size_t from, size_t to) {
        return Span {uint32_t(from), uint32_t(to - from)};
    };
    const auto endsTag = [&](size_t at) { return f[at] == '>' || f[at] == '/'; };

    size_t p = start;
    while (p < n && !IsXmlBlank(f[p]) && !endsTag(p))
        ++p;
    m_name = span(start, p);
    if (p == n || !IsXmlBlank(f[p]))
        m_malformed = true;

    const auto skipBlanks = [&] {
        while (p < n && IsXmlBlank(f[p]))
            ++p;
    };
    skipBlanks();
    while (p < n && !endsTag(p)) {
        const size_t eq = f.find('=', p);
        if (eq == std::string_view::npos || f.substr(p, eq - p).find('>') != std::string_view::npos)
            break;
        const size_t open = f.find_first_of("\"'", eq + 1);
        const size_t close = open == std::string_view::npos ? open : f.find(f[open], open + 1);
        if (close == std::string_view::npos)
            break;
        m_attributes.emplace_back(span(p, eq), span(open + 1, close));
        p = close + 1;
        if (p == n || !IsXmlBlank(f[p])) {
            m_malformed = true;
            // Without a blank the tag may still end right after the value.
            if (p < n && endsTag(p))
                break;
        }
        while (p < n && !IsXmlBlank(f[p]))
            ++p;
        skipBlanks();
    }
    if (p == n || !endsTag(p))
        m_malformed = true;
}

std::vector<TagAttribute> StartTag::attributes() const
{
    std::vector<TagAttribute> all;
    all.reserve(m_attributes.size());
    for (const auto &[name, value] : m_attributes)
        all.push_back({part(name), part(value)});
    return all;
}

std::optional<std::string_view> StartTag::raw(std::string_view name) const
{
    for (const auto &[n, value] : m_attributes) {
        if (part(n) == name)
            return part(value);
    }
    return std::nullopt;
}

std::optional<std::string> StartTag::value(std::string_view name) const
{
    if (const std::optional<std::string_view> written = raw(name))
        return UnescapeXml(*written);
    return std::nullopt;
}

std::string StartTag::shownValue(std::string_view name) const
{
    const std::optional<std::string> v = value(name);
    return v ? Trimmed(*v) : std::string();
}

void AppendAttribute(std::string &tag, std::string_view name, std::string_view value)
{
    tag.append(name).append("=\"").append(EscapeXmlAttribute(value)).append("\" ");
}

void AppendIfSet(std::string &tag, std::string_view name, std::string_view value)
{
    if (!value.empty())
        AppendAttribute(tag, name, value);
}

} // namespace tess
