#pragma once

namespace tess {

// Element kinds of the deck tree. The numbers are part of the file-independent
// vocabulary shared by the designer, the writer and the reader; 13, 14 and 16
// to 19 are deliberately unused.
enum class ElementKind : int {
    Other = 0, // the root, any tag without a kind of its own, comments, entities
    Wml = 1, // root of a deck built by the designer for a new document
    Card = 2,
    Paragraph = 3,
    Input = 4,
    Select = 5,
    Text = 6, // a text run and the formatting tags em, big, small, i, u, strong, b
    Option = 7,
    Anchor = 8,
    Do = 9,
    Break = 10,
    Image = 11,
    Timer = 12,
    Optgroup = 15,
    Asp = 20,
    Jsp = 21,
};

// The controls that stand on their own in a paragraph, each at a place of
// its own on the canvas.
inline bool IsPlacedControl(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Input:
    case ElementKind::Select:
    case ElementKind::Text:
    case ElementKind::Anchor:
    case ElementKind::Image:
    case ElementKind::Asp:
    case ElementKind::Jsp:
        return true;
    default:
        return false;
    }
}

// What a select stacks inside it.
inline bool IsOptionOrGroup(ElementKind kind)
{
    return kind == ElementKind::Option || kind == ElementKind::Optgroup;
}

} // namespace tess
