#pragma once

namespace tess {

// Element kinds of the deck tree. The numbers are part of the file-independent
// vocabulary shared by the designer, the writer and the reader; 13, 14 and 16
// to 19 are deliberately unused.
enum ElementKind : int {
    KindOther = 0, // the root, any tag without a kind of its own, comments, entities
    KindWml = 1, // root of a deck built by the designer for a new document
    KindCard = 2,
    KindParagraph = 3,
    KindInput = 4,
    KindSelect = 5,
    KindText = 6, // a text run and the formatting tags em, big, small, i, u, strong, b
    KindOption = 7,
    KindAnchor = 8,
    KindDo = 9,
    KindBreak = 10,
    KindImage = 11,
    KindTimer = 12,
    KindOptgroup = 15,
    KindAsp = 20,
    KindJsp = 21,
};

// The controls that stand on their own in a paragraph, each at a place of
// its own on the canvas.
inline bool IsPlacedControl(int kind)
{
    switch (kind) {
    case KindInput:
    case KindSelect:
    case KindText:
    case KindAnchor:
    case KindImage:
    case KindAsp:
    case KindJsp:
        return true;
    default:
        return false;
    }
}

// What a select stacks inside it.
inline bool IsOptionOrGroup(int kind)
{
    return kind == KindOption || kind == KindOptgroup;
}

} // namespace tess
