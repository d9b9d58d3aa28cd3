#include "editor/TextProperties.h"

#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"
#include "editor/DesignConstants.h"
#include "wml/XmlEscape.h"

namespace tess {

namespace {

bool has(std::string_view fragment, std::string_view part)
{
    return fragment.find(part) != std::string_view::npos;
}

// Reads one style element into `chain`; false for the element that holds
// the words.
bool readStyle(std::string_view f, TextChain &chain)
{
    TextFields &t = chain.fields;
    bool style = false;
    const auto set = [&](bool found, bool &flag) {
        flag = flag || found;
        style = style || found;
    };
    set(has(f, "<em"), t.emphasis);
    set(has(f, "<strong"), chain.strongElement);
    set(has(f, "<b "), chain.bold);
    t.strong = chain.strongElement || chain.bold;
    set(has(f, "<i"), t.italic);
    set(has(f, "<u"), t.underline);
    bool big = false, small = false;
    set(has(f, "<big"), big);
    set(has(f, "<small"), small);
    if (big)
        t.size = TextSize::Big;
    if (small)
        t.size = TextSize::Small;
    return style;
}

// The styles in the order the chain is built: em, b, strong, u, i, big,
// small.
NewTextChain chainOf(bool emphasis, bool bold, bool strong, const TextFields &t, std::string words)
{
    NewTextChain chain;
    const std::pair<bool, std::string_view> order[] = {{emphasis, EmphasisFragment},
                                                       {bold, BoldFragment},
                                                       {strong, StrongFragment},
                                                       {t.underline, UnderlineFragment},
                                                       {t.italic, ItalicFragment},
                                                       {t.size == TextSize::Big, BigFragment},
                                                       {t.size == TextSize::Small, SmallFragment}};
    for (const auto &[on, fragment] : order) {
        if (on)
            chain.styles.emplace_back(fragment);
    }
    chain.words = words.empty() ? std::string(DefaultTextWords) : std::move(words);
    return chain;
}

int insertUnder(DeckNode *root, int parentId, int beforeId, ElementKind kind, std::string fragment,
                const DesignRect &rect)
{
    NodeInsertRequest request {root, makeElement(kind, std::move(fragment))};
    request.element->rect = rect;
    request.parentId = parentId;
    request.beforeId = beforeId;
    return Insert(request);
}

} // namespace

TextChain ReadTextChain(const DeckNode *top)
{
    TextChain chain;
    for (const DeckNode *n = top; n; n = n->firstChild) {
        if (!readStyle(n->fragment(), chain)) {
            chain.storedWords = n->fragment();
            break;
        }
    }
    chain.fields.text = UnescapeXml(chain.storedWords);
    return chain;
}

TextChain OpenTextChain(DeckNode *root, DeckNode *top)
{
    TextChain chain = ReadTextChain(top);
    if (top && top->nextSibling && top->nextSibling->kind() == ElementKind::Break)
        Delete(root, top->nextSibling->id());
    return chain;
}

NewTextChain ChainAfterOk(const TextFields &fields)
{
    return chainOf(fields.emphasis, false, fields.strong, fields, EscapeXmlText(fields.text));
}

NewTextChain ChainAfterCancel(const TextChain &opened)
{
    const TextFields &t = opened.fields;
    return chainOf(t.emphasis, opened.bold, opened.strongElement, t, opened.storedWords);
}

DeckNode *RebuildTextChain(DeckNode *root, DeckNode *top, const NewTextChain &chain)
{
    if (!root || !top || !top->parent)
        return top;
    const int parentId = top->parent->id();
    const int nextId = top->nextSibling ? top->nextSibling->id() : 0;
    const DesignRect rect = top->element->rect;
    Delete(root, top->id());

    int topId = 0;
    DeckNode *innermost = nullptr;
    for (const std::string &style : chain.styles) {
        if (!innermost) {
            topId = insertUnder(root, parentId, nextId, ElementKind::Text, style, rect);
            innermost = FindById(root, topId);
        } else {
            innermost = AppendChild(innermost, makeElement(ElementKind::Text, style));
        }
    }
    if (innermost)
        AppendChild(innermost, makeElement(ElementKind::Text, chain.words));
    else
        topId = insertUnder(root, parentId, nextId, ElementKind::Text, chain.words, rect);
    insertUnder(root, parentId, nextId, ElementKind::Break, std::string(LineBreakFragment), {});
    return FindById(root, topId);
}

} // namespace tess
