#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tess {

class DeckNode;

enum class TextSize { Normal, Big, Small };

// The Text dialog's fields; `text` is shown with "<" and ">" as typed.
struct TextFields
{
    std::string text;
    bool emphasis = false, strong = false, underline = false, italic = false;
    TextSize size = TextSize::Normal;

    friend bool operator==(const TextFields &, const TextFields &) = default;
};

// What opening the dialog found in a Text control's chain: the fields, the
// words as stored, and which of "<b " and "<strong" stood in it (either shows
// as Strong; Cancel gives each back as it was).
struct TextChain
{
    TextFields fields;
    std::string storedWords;
    bool bold = false;
    bool strongElement = false;
};

// A new chain: the style fragments from the top down, then the words.
struct NewTextChain
{
    std::vector<std::string> styles;
    std::string words;

    friend bool operator==(const NewTextChain &, const NewTextChain &) = default;
};

// Walks the chain from `top` down the first children.
TextChain ReadTextChain(const DeckNode *top);
// Opening the dialog: reads the chain and takes the line break that follows
// it out of the tree (RebuildTextChain puts a new one in).
TextChain OpenTextChain(DeckNode *root, DeckNode *top);

// The chain OK writes: em, strong, u, i, then big or small; an empty text
// becomes "Text".
NewTextChain ChainAfterOk(const TextFields &fields);
// The chain Cancel writes back: the styles found (a "<b " as "<b >") and the
// stored words.
NewTextChain ChainAfterCancel(const TextChain &opened);

// Replaces the chain at `top` by a new one of Text elements in the old
// top's place and rectangle, followed by a new line break. Returns the new
// top.
DeckNode *RebuildTextChain(DeckNode *root, DeckNode *top, const NewTextChain &chain);

} // namespace tess
