#include "editor/ElementProperties.h"

#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"
#include "editor/TextProperties.h"
#include "wml/XmlEscape.h"

namespace tess {

namespace {

DeckNode *textChild(const DeckNode *node)
{
    for (DeckNode *c = node ? node->firstChild : nullptr; c; c = c->nextSibling) {
        if (c->kind() == ElementKind::Text && !c->fragment().starts_with('<'))
            return c;
    }
    return nullptr;
}

bool carriesWords(ElementKind kind)
{
    return kind == ElementKind::Option || kind == ElementKind::Anchor;
}

} // namespace

bool HasPropertiesDialog(ElementKind kind)
{
    return IsPlacedControl(kind) || IsOptionOrGroup(kind);
}

std::string TextChildWords(const DeckNode *node)
{
    const DeckNode *child = textChild(node);
    return child ? UnescapeXml(child->fragment()) : std::string();
}

void SetTextChildWords(DeckNode *node, std::string_view words)
{
    if (!node)
        return;
    // Stored like every text run, so a "<" typed here cannot pass for a tag.
    std::string stored = EscapeXmlText(words);
    if (DeckNode *child = textChild(node))
        child->element->setFragment(std::move(stored));
    else
        AppendChild(node, makeElement(ElementKind::Text, std::move(stored)));
}

void ApplyDialogOutcome(DeckNode *node, const DialogOutcome &outcome)
{
    if (!node || !node->element)
        return;
    node->element->setFragment(outcome.fragment);
    if (outcome.accepted && carriesWords(node->kind()))
        SetTextChildWords(node, outcome.words);
}

} // namespace tess
