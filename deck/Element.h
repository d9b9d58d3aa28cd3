#pragma once

#include "deck/DesignRect.h"
#include "deck/ElementKind.h"
#include "deck/StartTag.h"

#include <memory>
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
// the source form go by it. Its start tag is read the first time someone
// asks for it and kept until the fragment changes: most elements of a big
// deck are never asked (a --check, a card not shown), and a tag read for
// each would cost every deck time and memory.
class Element
{
public:
    Element() = default;
    Element(ElementKind elementKind, std::string text)
        : kind(elementKind)
        , m_fragment(std::move(text))
    { }

    DesignRect rect;
    int id = 0;
    ElementKind kind = ElementKind::Other;

    const std::string &fragment() const { return m_fragment; }
    void setFragment(std::string text)
    {
        m_fragment = std::move(text);
        m_tag.reset();
    }

    const StartTag &tag() const
    {
        if (!m_tag)
            m_tag = std::make_shared<const StartTag>(m_fragment);
        return *m_tag;
    }
    std::string_view tagName() const { return tag().name(); }
    // Unescaped; none when the start tag has no such attribute.
    std::optional<std::string> attribute(std::string_view name) const { return tag().value(name); }
    std::vector<TagAttribute> attributes() const { return tag().attributes(); }

private:
    std::string m_fragment;
    // Shared by copies, which have the same fragment; never changed once read.
    mutable std::shared_ptr<const StartTag> m_tag;
};

} // namespace tess
