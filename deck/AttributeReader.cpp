#include "deck/AttributeReader.h"

#include "wml/XmlEscape.h"

namespace tess {

namespace {
constexpr std::string_view WhiteSpace = " \t\r\n\v\f";
}

std::string Trimmed(std::string_view value)
{
    const size_t first = value.find_first_not_of(WhiteSpace);
    if (first == std::string_view::npos)
        return {};
    return std::string(value.substr(first, value.find_last_not_of(WhiteSpace) - first + 1));
}

namespace {

// Where `name` followed by "=" first stands; with `skipAfterI`, occurrences
// directly preceded by "i" do not count.
size_t findAttribute(std::string_view fragment, std::string_view name, bool skipAfterI)
{
    const std::string key = std::string(name) + "=";
    for (size_t at = fragment.find(key); at != std::string_view::npos;
         at = fragment.find(key, at + 1)) {
        if (!skipAfterI || at == 0 || fragment[at - 1] != 'i')
            return at + key.size();
    }
    return std::string_view::npos;
}

std::string quotedAfter(std::string_view fragment, size_t from, bool *found)
{
    if (found)
        *found = from != std::string_view::npos;
    if (from == std::string_view::npos)
        return {};
    const size_t open = fragment.find('"', from);
    if (open == std::string_view::npos)
        return {};
    const size_t close = fragment.find('"', open + 1);
    if (close == std::string_view::npos)
        return {};
    return UnescapeXml(fragment.substr(open + 1, close - open - 1));
}

} // namespace

std::string ReadAttribute(std::string_view fragment, std::string_view name)
{
    return Trimmed(quotedAfter(fragment, findAttribute(fragment, name, false), nullptr));
}

std::string ReadSelectAttribute(std::string_view fragment, std::string_view name)
{
    const bool skip = name == "name" || name == "value";
    return Trimmed(quotedAfter(fragment, findAttribute(fragment, name, skip), nullptr));
}

std::string ReadQuotedValue(std::string_view fragment, std::string_view name, bool *found)
{
    return quotedAfter(fragment, findAttribute(fragment, name, false), found);
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
