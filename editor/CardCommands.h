#pragma once

#include "editor/CardRebuild.h"

#include <string>
#include <vector>

namespace tess {

class DeckDocument;
class Prompter;

// What the card list does, without the list: its rows, the selected and
// last clicked rows, and the commands New Card, Delete and
// Properties on the document's deck. Delete asks through the prompter.
class CardCommands
{
public:
    CardCommands(DeckDocument &doc, Prompter &prompter);

    const std::vector<std::string> &rows() const { return m_rows; }
    // -1 when no row is selected.
    int selectedIndex() const { return m_selected; }
    void recordSelection(int row);
    // The attributes of each card as the last refresh found them.
    const std::vector<std::string> &attributeTexts() const { return m_attributeTexts; }

    // A document without a path: one row "No Name", and the deck counts as
    // valid.
    void startNewDocument();
    // The rows rebuilt: one per card of the deck, in order; read from the
    // document's file while the deck is not valid.
    void refillRows();
    // The rows relabelled from the cards in the tree, after an undo or redo
    // changed a card's title.
    void relabelFromTree();
    // The refresh request: the cards' attributes read again from the file,
    // then the last clicked card shown again.
    void refresh();

    bool canNewCard() const;
    bool canDelete() const;
    bool canProperties() const;

    // Appends a card holding one left-aligned paragraph and shows it.
    void newCard();
    // Deletes the selected card after asking; the last card stays. True
    // when a card was deleted.
    bool deleteCard();
    // Properties: the selected row's card as the card property sheet sees
    // it; false (and nothing filled) when Properties is not available.
    bool openProperties(CardSheetData &data) const;
    // OK on the sheet: the document is marked modified, the card rebuilt from
    // the sheet's data and its row relabelled.
    void applyProperties(const CardSheetData &data);
    // A click or double click: the row's card becomes the one the designer
    // shows.
    void activateRow(int row);

private:
    // The labels of the deck's cards, in order.
    std::vector<std::string> treeRows() const;

    DeckDocument &m_doc;
    Prompter &m_prompter;
    std::vector<std::string> m_rows;
    int m_selected = -1;
    // A refresh before any click shows the first card again.
    int m_lastClicked = 0;
    std::vector<std::string> m_attributeTexts;
};

// The labels of a deck file's cards: each card's title, or "No Name" when it
// has none or it is empty. Empty when the file does not parse.
std::vector<std::string> CardRowLabels(const std::string &path);

// For each card under the wml element of the file, its attributes as
// name="value" each followed by a blank. False when the file does not
// parse.
bool CardAttributeTexts(const std::string &path, std::vector<std::string> &texts);

} // namespace tess
