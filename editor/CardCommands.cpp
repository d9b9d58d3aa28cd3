#include "editor/CardCommands.h"

#include "deck/DeckConstants.h"
#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"
#include "deck/ElementKind.h"
#include "deck/StartTag.h"
#include "editor/DeckDocument.h"
#include "editor/DesignCommands.h"
#include "editor/Prompter.h"
#include "wml/XmlDocument.h"

namespace tess {

namespace {

void collectCardLabels(const XmlNode &node, std::vector<std::string> &labels)
{
    for (XmlNode c = node.firstChild(); c; c = c.nextSibling()) {
        if (c.typeName() != "element")
            continue;
        if (c.name() == "card") {
            std::string title;
            for (const XmlAttribute &a : c.attributes()) {
                if (a.name == "title")
                    title = a.value;
            }
            labels.push_back(title.empty() ? std::string(UnnamedCardLabel) : title);
        }
        collectCardLabels(c, labels);
    }
}

} // namespace

std::vector<std::string> CardRowLabels(const std::string &path)
{
    std::vector<std::string> labels;
    XmlDocument doc;
    if (!path.empty() && doc.load(path))
        collectCardLabels(doc.documentNode(), labels);
    return labels;
}

bool CardAttributeTexts(const std::string &path, std::vector<std::string> &texts)
{
    texts.clear();
    XmlDocument doc;
    if (path.empty() || !doc.load(path))
        return false;
    const XmlNode wml = doc.documentElement();
    if (wml.name() != "wml")
        return true;
    for (XmlNode c = wml.firstChild(); c; c = c.nextSibling()) {
        if (c.typeName() != "element" || c.name() != "card")
            continue;
        std::string text;
        for (const XmlAttribute &a : c.attributes())
            text += a.name + "=\"" + a.value + "\" ";
        texts.push_back(std::move(text));
    }
    return true;
}

CardCommands::CardCommands(DeckDocument &doc, Prompter &prompter)
    : m_doc(doc)
    , m_prompter(prompter)
{ }

void CardCommands::recordSelection(int row)
{
    m_selected = row >= 0 && row < static_cast<int>(m_rows.size()) ? row : -1;
}

void CardCommands::startNewDocument()
{
    m_rows.assign(1, std::string(UnnamedCardLabel));
    m_doc.model().validDeck = true;
}

void CardCommands::refillRows()
{
    // The cards as the design holds them, moves in the XML Tree included;
    // a deck that did not load leaves only its file to read.
    m_rows = m_doc.model().validDeck ? treeRows() : CardRowLabels(m_doc.path());
    m_selected = -1;
}

std::vector<std::string> CardCommands::treeRows() const
{
    std::vector<std::string> rows;
    for (DeckNode *card = NthCard(m_doc.model().root(), 1); card; card = card->nextSibling) {
        if (card->kind() == ElementKind::Card)
            rows.push_back(CardRowLabel(card->element->tag()));
    }
    return rows;
}

void CardCommands::refresh()
{
    // A file that does not parse leaves the list empty; the parser itself
    // is always there, so the card is shown again either way.
    CardAttributeTexts(m_doc.path(), m_attributeTexts);
    if (m_doc.CurrentCardIndex() >= 0 && m_doc.model().validDeck) {
        m_doc.setCurrentCard(NthCard(m_doc.model().root(), m_lastClicked + 1));
        m_doc.requestAlignAll();
    }
}

bool CardCommands::canNewCard() const
{
    return m_doc.model().validDeck;
}

bool CardCommands::canDelete() const
{
    return canProperties() && m_rows.size() > 1;
}

bool CardCommands::canProperties() const
{
    return m_doc.model().validDeck && m_selected >= 0;
}

void CardCommands::newCard()
{
    DeckNode *root = m_doc.model().root();
    if (!canNewCard() || !root)
        return;
    NodeInsertRequest card {root, makeElement(ElementKind::Card, std::string(NewCardFragment))};
    card.element->rect = {-1, -1, -1, -1};
    card.parentId = root->id();
    const int cardId = Insert(card);
    NodeInsertRequest paragraph {
        root, makeElement(ElementKind::Paragraph, std::string(NewParagraphFragment))};
    paragraph.parentId = cardId;
    Insert(paragraph);

    m_rows.emplace_back(UnnamedCardLabel);
    m_doc.setCurrentCard(NthCard(root, static_cast<int>(m_rows.size())));
    m_doc.setModified(true);
    m_doc.requestAlignAll();
}

bool CardCommands::deleteCard()
{
    if (!canDelete())
        return false;
    if (m_prompter.message(std::string(DeleteCardQuestion), Prompter::Icon::None,
                           Prompter::Buttons::OkCancel)
        != Prompter::Answer::Ok)
        return false;
    m_doc.setModified(true);
    DeckNode *root = m_doc.model().root();
    DeckNode *card = NthCard(root, m_selected + 1);
    if (!card)
        return false;
    Delete(root, card->id());
    m_rows.erase(m_rows.begin() + m_selected);
    m_selected = -1;
    m_doc.setCurrentCard(NthCard(root, 1));
    m_doc.requestAlignAll();
    return true;
}

bool CardCommands::openProperties(CardSheetData &data) const
{
    DeckNode *card = canProperties() ? NthCard(m_doc.model().root(), m_selected + 1) : nullptr;
    if (!card)
        return false;
    data = OpenCardSheet(card);
    return true;
}

void CardCommands::applyProperties(const CardSheetData &data)
{
    DeckNode *root = m_doc.model().root();
    DeckNode *card = m_selected >= 0 ? NthCard(root, m_selected + 1) : nullptr;
    if (!card) {
        m_doc.setModified(true);
        return;
    }
    // One undoable step, which marks the document modified.
    RecordCardProperties(m_doc, card, [&] { RebuildCard(root, card, data); });
    m_rows[m_selected] = CardRowLabel(StartTag(data.cardFragment));
}

void CardCommands::relabelFromTree()
{
    std::vector<std::string> rows = treeRows();
    // A list that no longer matches the deck's cards waits for its refill.
    if (rows.size() == m_rows.size())
        m_rows = std::move(rows);
}

void CardCommands::activateRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return;
    m_lastClicked = row;
    m_doc.setCurrentCardIndex(row + 1);
    if (!m_doc.model().validDeck)
        return;
    m_doc.setCurrentCard(NthCard(m_doc.model().root(), row + 1));
    m_doc.requestAlignAll();
}

} // namespace tess
