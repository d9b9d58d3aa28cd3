#pragma once

#include "deck/DeckModel.h"
#include "deck/DesignRect.h"

#include <string>
#include <vector>

class QPainter;

namespace tess {

// Where a card's controls stand on the design canvas and how they are drawn:
// the paint walk that stores each painter's rectangle back into its element,
// the sizing and stacking of selects, Align All, hit-testing and the
// selection marks. Draws onto any QPainter, so a QImage serves as well as
// the view.
class CardLayout
{
public:
    // deckFolder: where the deck's file lies; relative image paths are
    // looked up there first, then from the working directory.
    explicit CardLayout(std::string deckFolder = {});

    // The canvas, then the card's controls (nothing more for a null card).
    void paint(QPainter &painter, DeckNode *card) const;
    static void paintCanvas(QPainter &painter);
    // The children of the card's paragraphs and of their fieldsets, in order.
    void paintCard(QPainter &painter, DeckNode *card) const;
    // One child of a paragraph, by its kind; kinds without a painter are
    // left alone.
    void paintControl(QPainter &painter, DeckNode *node) const;

    // Sizes a select round its options and option groups from their
    // captions, paints them and then the select.
    static void paintSelect(QPainter &painter, DeckNode *select);
    // Puts the children of a select that has moved back under its top-left
    // corner; their widths stay.
    static void stackSelect(DeckNode *select);

    // Lays the card out as one column in deck order and paints it. Options
    // without words get the text "Option". Returns the last control's
    // bottom, 0 when the card has none.
    int alignAll(QPainter &painter, DeckNode *card) const;

    // The element at a logical point: the first in deck order whose
    // rectangle holds it, inside a select the innermost option or option
    // group; the card itself when nothing does.
    static DeckNode *hitTest(DeckNode *card, int x, int y);
    // What a click on `hit` selects: a select for its options and option
    // groups, null for the card (or nothing).
    static DeckNode *selectionTarget(DeckNode *hit);

    // The selection marks: the tracker's dotted outline just outside the
    // rectangle, and the bump frame (raised outer, sunken inner edge) on it.
    static void drawTracker(QPainter &painter, const DesignRect &r);
    static void drawBumpFrame(QPainter &painter, const DesignRect &r);

    // The deck of a new document: a root "<wml >", one card and its empty
    // left-aligned paragraph. Returns the card.
    static DeckNode *buildStartingDeck(DeckModel &model);

    // The label of a text element: its fragment and those of its chain of
    // first children, concatenated.
    static std::string textLabel(const DeckNode *text);

private:
    void alignSelect(QPainter &painter, DeckNode *select) const;

    std::string m_deckFolder;
};

// The rectangles of a card's placed elements in document order, for hit
// testing without the tree: CardLayout::hitTest walks every node of the card,
// scattered in memory, for each point, which costs more than its share on a
// big card. Answers as hitTest does for the card as it stood when built, so
// it is rebuilt whenever the card or a rectangle in it may have changed (the
// design view does so after each paint and drops it after each edit).
class CardHitIndex
{
public:
    CardHitIndex() = default;
    explicit CardHitIndex(DeckNode *card) { rebuild(card); }

    void rebuild(DeckNode *card);
    void clear();
    // The card it was built from; null when cleared.
    DeckNode *card() const { return m_card; }
    DeckNode *hitTest(int x, int y) const;

private:
    struct Entry
    {
        DesignRect rect;
        DeckNode *node;
    };
    std::vector<Entry> m_entries;
    DeckNode *m_card = nullptr;
};

} // namespace tess
