#pragma once

#include "deck/DesignRect.h"
#include "deck/Element.h"

#include <QPoint>
#include <QSize>

#include <memory>
#include <string>
#include <string_view>

class QPainter;

namespace tess {

class DeckDocument;
class DeckNode;
class EditLog;
class Prompter;

// What a left click with a control armed did.
enum class InsertOutcome {
    NotInsertable, // the armed kind (a card, a paragraph) is not placed on the canvas
    Ignored, // the spot was taken (or the deck is not valid): the control stays armed
    Inserted,
    Refused, // an option or option group outside a select: disarmed, with the reason
};

// The edits a user makes on the design surface, on the document's current
// card: insertion of the armed control, moves, Delete and Align All. Each edit
// goes into the document's history as one command and marks the document
// modified; the scroll size follows the rules of each edit. Elements are
// painted (and so measured) with `painter`, which should draw on a device of
// the view's resolution. What an insertion must ask (a select's kind, an
// image's file) it asks through the prompter; refusals come back as text for
// the caller to show.
class DesignEditing
{
public:
    DesignEditing(DeckDocument &doc, Prompter &prompter, QPainter &painter, QSize scrollSize);

    QSize scrollSize() const { return m_scrollSize; }

    // A click at the logical point (x, y) with the document's armed control.
    // Refused puts the reason in *refusal.
    InsertOutcome insertAt(int x, int y, std::string *refusal = nullptr);

    // The end of a drag: the tracker's final rectangle in window coordinates
    // and the scroll position. Returns false when the element did not move.
    bool move(DeckNode *node, const DesignRect &trackerRect, QPoint scroll);

    // Delete on the document's selected node. Returns false when nothing was
    // deleted: the card, or a guard, whose message goes to *refusal.
    bool deleteSelected(std::string *refusal = nullptr);

    // Lays the card out in one column; the scroll size becomes 10 wide and
    // as high as the client area or the last control's bottom + 3.
    void alignAll(int clientHeight);

private:
    struct Place
    {
        DeckNode *parent = nullptr;
        DeckNode *before = nullptr;
    };
    Place placeFor(EditLog &log, DeckNode *card, const DesignRect &rect);
    DeckNode *insertControl(EditLog &log, DeckNode *card, ElementKind kind, int x, int y);
    DeckNode *insertSelect(EditLog &log, DeckNode *card, int x, int y);
    DeckNode *insertIntoSelect(EditLog &log, DeckNode *card, ElementKind kind, int x, int y,
                               std::string *refusal);
    DeckNode *optionIntoSelect(EditLog &log, DeckNode *select);
    DeckNode *optionIntoGroup(EditLog &log, DeckNode *group);
    DeckNode *groupIntoSelect(EditLog &log, DeckNode *select);
    // `made` with the rectangle its painter covers from `given`.
    std::unique_ptr<Element> painted(std::unique_ptr<Element> made, const DesignRect &given,
                                     std::string_view words);
    void grow(const DesignRect &rect);
    void shrinkAfterDelete();

    DeckDocument &m_doc;
    Prompter &m_prompter;
    QPainter &m_painter;
    QSize m_scrollSize;
};

} // namespace tess
