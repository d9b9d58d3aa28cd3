#pragma once

#include "deck/DesignRect.h"
#include "deck/ElementKind.h"
#include "deck/StartTag.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// One element of a deck: where the designer draws it, its process-wide
// identifier, its kind and its own WML text (start tag, text run, comment,
// entity reference or server code). End tags are never stored; the tree's
// nesting supplies them.
//
// The fragment is the source of truth, kept byte for byte: the writer and
// the source form go by it. Its start tag is read once, when the fragment is
// set, whatever the kind (a code block's text may read as one; nobody asks).
class Element
{
public:
    Element() = default;
    Element(ElementKind elementKind, std::string text)
        : kind(elementKind)
        , m_tag(std::move(text))
    { }

    DesignRect rect;
    int id = 0;
    ElementKind kind = ElementKind::Other;

    const std::string &fragment() const { return m_tag.text(); }
    void setFragment(std::string text) { m_tag = StartTag(std::move(text)); }

    const StartTag &tag() const { return m_tag; }
    std::string_view tagName() const { return m_tag.name(); }
    // Unescaped; none when the start tag has no such attribute.
    std::optional<std::string> attribute(std::string_view name) const { return m_tag.value(name); }
    std::vector<TagAttribute> attributes() const { return m_tag.attributes(); }

private:
    StartTag m_tag;
};

} // namespace tess
