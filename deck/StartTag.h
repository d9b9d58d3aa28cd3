#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// XML's white space, the one kind of blank a deck knows: between a tag's
// name and its attributes, around a value the user typed, in the layout
// text between two controls.
inline constexpr std::string_view XmlBlanks = " \t\r\n";
constexpr bool IsXmlBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Without leading and trailing blanks.
std::string Trimmed(std::string_view value);

// One attribute of a start tag, its value as written: still escaped.
struct TagAttribute
{
    std::string_view name;
    std::string_view value;
};

// A text and the start tag in it, its name and attributes in order, read
// once. The text is what counts: it is kept byte for byte, and the parts are
// only places in it.
//
// The tag starts at the first "<", unless that opens a comment, CDATA
// section, declaration or instruction ("<!", "<?"); a text without one has
// no tag. Its name runs to a blank, ">" or "/". Then come name=value pairs,
// the value between double or single quotes, each pair followed by a blank,
// until ">" or "/"; what follows the tag is no part of it. The scan never
// leaves the text, whatever it holds: an attribute whose name would run past
// ">" or whose value has no closing quote ends it, and is dropped with all
// that follows. Anything else off that shape (no blank after the name or a
// value, no ">" or "/" at the end) marks the tag malformed, but what could
// be read is kept.
class StartTag
{
public:
    StartTag() = default;
    explicit StartTag(std::string text);

    const std::string &text() const { return m_text; }
    bool isTag() const { return m_isTag; }
    bool malformed() const { return m_malformed; }
    std::string_view name() const { return part(m_name); }

    std::vector<TagAttribute> attributes() const;
    // The first attribute of that name, its value as written; none when the
    // tag has no such attribute.
    std::optional<std::string_view> raw(std::string_view name) const;
    // The same, unescaped ("&amp;" as "&", "&quot;" as a double quote).
    std::optional<std::string> value(std::string_view name) const;
    // Unescaped and trimmed, as the element dialogs show it; empty when
    // absent.
    std::string shownValue(std::string_view name) const;

private:
    // Offsets rather than views, so that a copied or moved tag stays valid.
    struct Span
    {
        uint32_t at = 0;
        uint32_t size = 0;
    };
    std::string_view part(Span span) const
    {
        return std::string_view(m_text).substr(span.at, span.size);
    }
    void read(size_t start);

    std::string m_text;
    Span m_name;
    std::vector<std::pair<Span, Span>> m_attributes;
    bool m_isTag = false;
    bool m_malformed = false;
};

// The writing side: name, "=", the value escaped in double quotes and one
// blank.
void AppendAttribute(std::string &tag, std::string_view name, std::string_view value);
// The same, only when the value is not empty.
void AppendIfSet(std::string &tag, std::string_view name, std::string_view value);

} // namespace tess
