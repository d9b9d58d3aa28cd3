#include "editor/DesignEditing.h"

#include "deck/DeckConstants.h"
#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"
#include "deck/ElementKind.h"
#include "deck/NodeIndex.h"
#include "editor/CardLayout.h"
#include "editor/DeckDocument.h"
#include "editor/DesignCommands.h"
#include "editor/DesignConstants.h"
#include "editor/ElementPainters.h"
#include "editor/Prompter.h"

#include <QPainter>

#include <algorithm>

namespace tess {

namespace {

// A new control's rectangle before its painter sizes it, from the click at
// (x, y); images and anchors are centred a little on the click.
struct DefaultRect
{
    ElementKind kind;
    int dx, dy, width, height;
};
constexpr DefaultRect kDefaultRects[] = {
    {ElementKind::Input, 0, 0, 80, 25},     {ElementKind::Select, 0, 0, 100, 125},
    {ElementKind::Text, 0, 0, 80, 40},      {ElementKind::Anchor, -10, -10, 70, 20},
    {ElementKind::Image, -10, -10, 32, 32}, {ElementKind::Asp, 0, 0, 80, 25},
    {ElementKind::Jsp, 0, 0, 80, 25},
};
// A select that starts with an option group is a little wider.
constexpr int kGroupedSelectWidth = 107;
// The first option of a new select, and of a new option group.
constexpr int kFirstOptionWidth = 60;
// The option group a new select starts with, and one added to a select.
constexpr int kFirstGroupTop = 19;
constexpr int kFirstGroupWidth = 97;
constexpr int kAddedGroupWidth = 80;
// Options pushed down into a later option group start this far below the
// running bottom.
constexpr int kPushedOptionsStart = 25;
// The least right and bottom a shrink after a delete starts from.
constexpr int kShrinkFloor = 10;
// The select's bottom below an option group that grew or a child pushed
// down.
constexpr int kSelectBottomGap = 10;

const DefaultRect *defaultRect(ElementKind kind)
{
    for (const DefaultRect &d : kDefaultRects) {
        if (d.kind == kind)
            return &d;
    }
    return nullptr;
}

DesignRect &rectOf(DeckNode *node)
{
    return node->element->rect;
}

bool isOptionOrGroup(const DeckNode *node)
{
    return IsOptionOrGroup(node->kind());
}

// What the scroll size follows: the placed controls and options.
bool isScrollControl(ElementKind kind)
{
    return IsPlacedControl(kind) || kind == ElementKind::Option;
}

DeckNode *lastOfKind(DeckNode *parent, bool (*wanted)(const DeckNode *))
{
    for (DeckNode *c = parent->lastChild; c; c = c->prevSibling) {
        if (wanted(c))
            return c;
    }
    return nullptr;
}

bool isOption(const DeckNode *node)
{
    return node->kind() == ElementKind::Option;
}

std::unique_ptr<Element> element(ElementKind kind, std::string_view fragment,
                                 const DesignRect &rect = {})
{
    auto e = makeElement(kind, std::string(fragment));
    e->rect = rect;
    return e;
}

// The words child of an option or anchor. Under a node made by this edit it
// needs no record of its own: it comes and goes with its parent.
void appendWords(DeckNode *parent, std::string_view words)
{
    AppendChild(parent, element(ElementKind::Text, words));
}

std::unique_ptr<Element> newOption(const DesignRect &rect = {})
{
    return element(ElementKind::Option, NewOptionFragment, rect);
}

DeckNode *appendOption(DeckNode *parent, std::unique_ptr<Element> option)
{
    DeckNode *node = AppendChild(parent, std::move(option));
    appendWords(node, kOptionWords);
    return node;
}

// A new option group's option, in its first row.
void appendFirstOption(DeckNode *group)
{
    const DesignRect &g = group->element->rect;
    appendOption(group,
                 newOption({g.left + kStackIndent, g.top + kStackFirstRow,
                            g.left + kStackIndent + kFirstOptionWidth,
                            g.top + kStackFirstRow + kOptionRowHeight}));
}

// The options of a group in rows of 20 from 20 below its top; returns the
// last, null when it has none.
DeckNode *stackRows(DeckNode *group, int firstTop, int minWidth)
{
    DeckNode *last = nullptr;
    int top = firstTop;
    for (DeckNode *o = group->firstChild; o; o = o->nextSibling) {
        if (!isOption(o))
            continue;
        DesignRect &r = rectOf(o);
        const int width = std::max(r.width(), minWidth);
        r.left = rectOf(group).left + kStackIndent;
        r.right = r.left + width;
        r.top = top;
        r.bottom = top + kOptionRowHeight;
        top = r.bottom;
        last = o;
    }
    return last;
}

int optionCount(const DeckNode *group)
{
    int count = 0;
    for (const DeckNode *o = group->firstChild; o; o = o->nextSibling)
        count += isOption(o) ? 1 : 0;
    return count;
}

// An option group laid from `top`: 80 high, its options in rows from 20
// below, grown to the last option + 5 from `growFrom` options on.
void layGroup(DeckNode *group, int top, int growFrom)
{
    DesignRect &g = rectOf(group);
    g.top = top;
    g.bottom = top + kOptgroupHeight;
    DeckNode *last = stackRows(group, top + kStackFirstRow, 0);
    if (last && optionCount(group) >= growFrom)
        g.bottom = rectOf(last).bottom + kGroupGap;
}

int widestChild(DeckNode *select)
{
    int widest = 0;
    for (DeckNode *q = select->firstChild; q; q = q->nextSibling) {
        if (isOptionOrGroup(q))
            widest = std::max(widest, rectOf(q).right);
    }
    return widest;
}

// After a delete inside a select: its children from top + 20, options 20
// high, groups 80 high (grown from 3 options on) with the next child 5 below.
void restackSelect(DeckNode *select)
{
    DesignRect &s = rectOf(select);
    const bool tall = s.height() > kSelectMinHeight;
    int running = s.top + kStackFirstRow;
    for (DeckNode *q = select->firstChild; q; q = q->nextSibling) {
        if (!isOptionOrGroup(q))
            continue;
        DesignRect &r = rectOf(q);
        const int width = q->kind() == ElementKind::Option
            ? std::max(r.width(), kRestackOptionMinWidth)
            : r.width();
        r.left = s.left + kStackIndent;
        r.right = r.left + width;
        if (q->kind() == ElementKind::Option) {
            r.top = running;
            r.bottom = running + kOptionRowHeight;
            running = r.bottom;
        } else {
            layGroup(q, running, kOptgroupRowsBeforeGrowth);
            running = r.bottom + kGroupGap;
        }
    }
    if (const int widest = widestChild(select))
        s.right = widest + kGroupGap;
    s.bottom = tall ? running : s.top + kSelectMinHeight;
}

// After a delete inside an option group: its options in rows of 20, then the
// select's later children from 5 below it. The group that lost a child grows
// from its fourth option on, as everywhere else on the canvas.
void restackGroup(DeckNode *group)
{
    DesignRect &g = rectOf(group);
    DeckNode *last = stackRows(group, g.top + kStackFirstRow, kRestackOptionMinWidth);
    int widest = 0;
    for (DeckNode *o = group->firstChild; o; o = o->nextSibling) {
        if (isOption(o))
            widest = std::max(widest, rectOf(o).right);
    }
    if (widest > 0)
        g.right = widest + kGroupGap;
    g.bottom = last && optionCount(group) > kOptgroupRowsBeforeGrowth
        ? rectOf(last).bottom + kGroupGap
        : g.top + kOptgroupHeight;

    DeckNode *select = group->parent;
    if (!select || select->kind() != ElementKind::Select)
        return;
    DesignRect &s = rectOf(select);
    const bool tall = s.height() > kSelectMinHeight;
    const bool wide = s.width() > kSelectNarrowWidth;
    int running = g.bottom + kGroupGap;
    for (DeckNode *q = group->nextSibling; q; q = q->nextSibling) {
        if (q->kind() == ElementKind::Option) {
            rectOf(q).top = running;
            rectOf(q).bottom = running + kOptionRowHeight;
        } else if (q->kind() == ElementKind::Optgroup) {
            layGroup(q, running, kOptgroupRowsBeforeGrowth + 1);
        } else {
            continue;
        }
        running = rectOf(q).bottom;
    }
    s.bottom = tall ? running + kGroupGap : s.top + kSelectMinHeight;
    s.right = wide ? widestChild(select) + kGroupGap : s.left + kSelectNarrowWidth;
}

// The first guard a delete of `node` runs into; empty when none.
std::string_view deleteGuard(const DeckNode *node)
{
    const DeckNode *holder = node->parent;
    if (!holder || ChildCount(holder) != 1)
        return {};
    const bool inSelect = holder->kind() == ElementKind::Select;
    const bool inGroup = holder->kind() == ElementKind::Optgroup;
    if (node->kind() == ElementKind::Option)
        return inSelect ? LastOptionOfSelectMessage : inGroup ? LastOptionOfGroupMessage : "";
    if (node->kind() == ElementKind::Optgroup)
        return inSelect ? LastGroupOfSelectMessage : inGroup ? LastGroupOfGroupMessage : "";
    return {};
}

} // namespace

DesignEditing::DesignEditing(DeckDocument &doc, Prompter &prompter, QPainter &painter,
                             QSize scrollSize)
    : m_doc(doc)
    , m_prompter(prompter)
    , m_painter(painter)
    , m_scrollSize(scrollSize)
{ }

std::unique_ptr<Element> DesignEditing::painted(std::unique_ptr<Element> made,
                                                const DesignRect &given, std::string_view words)
{
    made->rect = paintElement(m_painter, given, {*made, words});
    return made;
}

void DesignEditing::grow(const DesignRect &rect)
{
    if (rect.right > m_scrollSize.width())
        m_scrollSize.setWidth(rect.right + kScrollGrowRight);
    if (rect.bottom > m_scrollSize.height())
        m_scrollSize.setHeight(rect.bottom + kScrollGrowBottom);
}

DesignEditing::Place DesignEditing::placeFor(EditLog &log, DeckNode *card, const DesignRect &rect)
{
    DeckNode *at = InsertionPoint(card, rect.left, rect.top, rect.right, rect.bottom);
    if (at == card)
        at = log.insert(card, element(ElementKind::Paragraph, NewParagraphFragment));
    if (at->kind() == ElementKind::Paragraph)
        return {at, nullptr};
    return {at->parent, at};
}

InsertOutcome DesignEditing::insertAt(int x, int y, std::string *refusal)
{
    DeckNode *card = m_doc.CurrentCard();
    const ElementKind kind = m_doc.armedKind();
    const bool intoSelect = kind == ElementKind::Option || kind == ElementKind::Optgroup;
    if (!intoSelect && !defaultRect(kind))
        return InsertOutcome::NotInsertable;
    if (!card || !m_doc.model().validDeck)
        return InsertOutcome::Ignored;
    if (!intoSelect && HitTestSelect(card, x, y) != card)
        return InsertOutcome::Ignored;

    EditLog log;
    std::string reason;
    DeckNode *inserted = intoSelect ? insertIntoSelect(log, card, kind, x, y, &reason)
                                    : insertControl(log, card, kind, x, y);
    if (!inserted) {
        if (!reason.empty()) {
            m_doc.setArmedKind(ElementKind::Other);
            m_doc.checkOnlyTool(DeckDocument::ToolPointer);
        }
        if (refusal)
            *refusal = std::move(reason);
        return InsertOutcome::Refused;
    }
    m_doc.setArmedKind(ElementKind::Other);
    m_doc.checkOnlyTool(DeckDocument::ToolPointer);
    log.countInserted(m_doc.insertedControls, 1);
    log.finish(m_doc.model().root());
    PushDesignEdit(
        m_doc,
        std::make_unique<DesignCommand>(m_doc, std::move(log), DesignCommand::InsertControl));
    grow(rectOf(inserted));
    return InsertOutcome::Inserted;
}

DeckNode *DesignEditing::insertControl(EditLog &log, DeckNode *card, ElementKind kind, int x, int y)
{
    if (kind == ElementKind::Select)
        return insertSelect(log, card, x, y);
    const DefaultRect &d = *defaultRect(kind);
    const DesignRect given {x + d.dx, y + d.dy, x + d.dx + d.width, y + d.dy + d.height};
    std::string fragment;
    std::string_view words;
    switch (kind) {
    case ElementKind::Input:
        fragment = NewInputFragment;
        break;
    case ElementKind::Text:
        fragment = words = DefaultTextWords;
        break;
    case ElementKind::Anchor:
        fragment = NewAnchorFragment;
        words = DefaultAnchorWords;
        break;
    case ElementKind::Image: {
        Prompter::FileRequest request;
        request.filter = WbmpFilter;
        request.confirmOverwrite = false;
        const std::string path = m_prompter.openFileName(request);
        const bool picture = path.find(WbmpMarker) != std::string::npos;
        fragment = std::string(NewImageFragmentHead) + (picture ? path : std::string())
            + std::string(NewImageFragmentTail);
        break;
    }
    case ElementKind::Asp:
        fragment = NewAspFragment;
        break;
    default:
        fragment = NewJspFragment;
        break;
    }
    auto made = painted(element(kind, fragment), given, words);
    const Place place = placeFor(log, card, made->rect);
    if (kind != ElementKind::Text) {
        DeckNode *node = log.insert(place.parent, std::move(made), place.before);
        if (kind == ElementKind::Anchor)
            appendWords(node, DefaultAnchorWords);
        return node;
    }
    // Every new text has its own break, put in first so the text can go
    // right before it.
    DeckNode *lineBreak
        = log.insert(place.parent, element(ElementKind::Break, LineBreakFragment), place.before);
    return log.insert(place.parent, std::move(made), lineBreak);
}

DeckNode *DesignEditing::insertSelect(EditLog &log, DeckNode *card, int x, int y)
{
    const bool options
        = m_prompter.message(std::string(SelectChoiceQuestion), Prompter::Icon::Question,
                             Prompter::Buttons::YesNo, std::string(SelectChoiceCaption))
        == Prompter::Answer::Yes;
    const DefaultRect &d = *defaultRect(ElementKind::Select);
    const int width = options ? d.width : kGroupedSelectWidth;
    auto made = painted(element(ElementKind::Select, NewSelectFragment),
                        {x, y, x + width, y + d.height}, {});
    const Place place = placeFor(log, card, made->rect);
    DeckNode *select = log.insert(place.parent, std::move(made), place.before);
    const DesignRect &s = rectOf(select);
    if (options) {
        const DesignRect given {s.left + kStackIndent, s.top + kStackFirstRow,
                                s.left + kStackIndent + kFirstOptionWidth,
                                s.top + kStackFirstRow + kOptionRowHeight};
        appendOption(select, painted(newOption(), given, kOptionWords));
        return select;
    }
    const DesignRect given {s.left + kStackIndent, s.top + kFirstGroupTop,
                            s.left + kStackIndent + kFirstGroupWidth,
                            s.top + kFirstGroupTop + kOptgroupHeight};
    DeckNode *group = AppendChild(
        select, painted(element(ElementKind::Optgroup, NewOptgroupFragment), given, {}));
    appendFirstOption(group);
    return select;
}

DeckNode *DesignEditing::insertIntoSelect(EditLog &log, DeckNode *card, ElementKind kind, int x,
                                          int y, std::string *refusal)
{
    DeckNode *hit = HitTestSelect(card, x, y);
    const ElementKind hitKind = hit->kind();
    const bool inside = hitKind == ElementKind::Select || hitKind == ElementKind::Optgroup
        || hitKind == ElementKind::Option;
    if (kind == ElementKind::Option) {
        if (hitKind == ElementKind::Paragraph || !inside) {
            *refusal = hitKind == ElementKind::Paragraph ? OptionOnlyInSelectMessage
                                                         : OptionInSelectOrGroupMessage;
            return nullptr;
        }
        DeckNode *holder = hitKind == ElementKind::Option ? hit->parent : hit;
        if (holder && holder->kind() == ElementKind::Select)
            return optionIntoSelect(log, holder);
        if (holder && holder->kind() == ElementKind::Optgroup)
            return optionIntoGroup(log, holder);
        *refusal = OptionInSelectOrGroupMessage;
        return nullptr;
    }
    DeckNode *select = inside ? hit : nullptr;
    while (select && select->kind() != ElementKind::Select)
        select = isOptionOrGroup(select) ? select->parent : nullptr;
    if (!select) {
        *refusal = OptgroupOnlyInSelectMessage;
        return nullptr;
    }
    return groupIntoSelect(log, select);
}

DeckNode *DesignEditing::optionIntoSelect(EditLog &log, DeckNode *select)
{
    log.watchRects(select);
    DesignRect &s = rectOf(select);
    const DeckNode *last = lastOfKind(select, isOptionOrGroup);
    const int top = !last                       ? s.top + kStackFirstRow
        : last->kind() == ElementKind::Optgroup ? last->element->rect.bottom + kGroupGap
                                                : last->element->rect.bottom;
    const DesignRect given {s.left + kStackIndent, top, s.left + kStackIndent + kFirstOptionWidth,
                            top + kOptionRowHeight};
    DeckNode *option = log.insert(select, painted(newOption(), given, kOptionWords));
    appendWords(option, kOptionWords);
    s.bottom = std::max(rectOf(option).bottom + kGroupGap, s.top + kSelectMinHeight);
    return option;
}

DeckNode *DesignEditing::optionIntoGroup(EditLog &log, DeckNode *group)
{
    DeckNode *select = group->parent;
    log.watchRects(select);
    DesignRect &g = rectOf(group);
    const DeckNode *last = lastOfKind(group, isOption);
    const int top = last ? last->element->rect.bottom : g.top + kStackFirstRow;
    const DesignRect given {g.left + kStackIndent, top, g.left + kStackIndent + kFirstOptionWidth,
                            top + kOptionRowHeight};
    DeckNode *option = log.insert(group, painted(newOption(), given, kOptionWords));
    appendWords(option, kOptionWords);
    const DesignRect &o = rectOf(option);

    const bool lastInSelect = lastOfKind(select, isOptionOrGroup) == group;
    DesignRect &s = rectOf(select);
    if (ChildCount(group) > kOptgroupRowsBeforeGrowth) {
        g.bottom = o.bottom + kGroupGap;
        if (lastInSelect)
            s.bottom = o.bottom + kSelectBottomGap;
    }
    g.right = o.right + kGroupGap;
    if (lastInSelect)
        s.right = o.right + kSelectBottomGap;
    if (lastInSelect || select->kind() != ElementKind::Select)
        return option;

    // The select's later children make room below the grown group.
    int running = g.bottom;
    for (DeckNode *q = group->nextSibling; q; q = q->nextSibling) {
        DesignRect &r = rectOf(q);
        if (q->kind() == ElementKind::Optgroup) {
            r.top = running + kGroupGap;
            r.bottom = running + kGroupGap + kOptgroupHeight;
            DeckNode *lastOption = stackRows(q, running + kPushedOptionsStart, 0);
            if (lastOption && optionCount(q) > kOptgroupRowsBeforeGrowth)
                r.bottom = rectOf(lastOption).bottom + kGroupGap;
        } else if (q->kind() == ElementKind::Option) {
            r.top = running;
            r.bottom = running + kOptionRowHeight;
        } else {
            continue;
        }
        running = r.bottom;
        s.bottom = running + kSelectBottomGap;
    }
    return option;
}

DeckNode *DesignEditing::groupIntoSelect(EditLog &log, DeckNode *select)
{
    log.watchRects(select);
    DesignRect &s = rectOf(select);
    const DeckNode *last = lastOfKind(select, isOptionOrGroup);
    const int top = last ? last->element->rect.bottom + kGroupGap : s.top + kStackFirstRow;
    const DesignRect given {s.left + kStackIndent, top, s.left + kStackIndent + kAddedGroupWidth,
                            top + kOptgroupHeight};
    DeckNode *group = log.insert(
        select, painted(element(ElementKind::Optgroup, NewOptgroupFragment), given, {}));
    appendFirstOption(group);
    if (ChildCount(select) > 1)
        s.bottom = rectOf(group).bottom + kSelectBottomGap;
    return group;
}

bool DesignEditing::move(DeckNode *node, const DesignRect &trackerRect, QPoint scroll)
{
    DeckNode *card = m_doc.CurrentCard();
    if (!card || !node || !node->element || !node->parent || node == card)
        return false;
    const DesignRect moved {trackerRect.left + scroll.x(), trackerRect.top + scroll.y(),
                            trackerRect.right + scroll.x(), trackerRect.bottom + scroll.y()};
    if (moved == rectOf(node))
        return false;
    EditLog log;
    log.watchRects(node);
    rectOf(node) = moved;
    // A text takes its line break along: out now, back in after the move.
    DeckNode *lineBreak = node->nextSibling;
    const bool carryBreak
        = node->kind() == ElementKind::Text && lineBreak && lineBreak->kind() == ElementKind::Break;
    if (carryBreak)
        log.remove(lineBreak);
    grow(moved);
    log.move(card, node);
    if (carryBreak)
        log.insert(node->parent, element(ElementKind::Break, LineBreakFragment), node->nextSibling);
    if (node->kind() == ElementKind::Select)
        CardLayout::stackSelect(node);
    log.finish(m_doc.model().root());
    PushDesignEdit(
        m_doc, std::make_unique<DesignCommand>(m_doc, std::move(log), DesignCommand::MoveControl));
    return true;
}

bool DesignEditing::deleteSelected(std::string *refusal)
{
    DeckNode *node = m_doc.selectedNode();
    if (!node || !node->parent || node == m_doc.CurrentCard() || node->kind() == ElementKind::Card)
        return false;
    if (const std::string_view guard = deleteGuard(node); !guard.empty()) {
        if (refusal)
            *refusal = guard;
        return false;
    }
    DeckNode *holder = node->parent;
    DeckNode *select = holder;
    while (select && select->kind() == ElementKind::Optgroup)
        select = select->parent;
    EditLog log;
    const bool restack
        = holder->kind() == ElementKind::Select || holder->kind() == ElementKind::Optgroup;
    if (restack)
        log.watchRects(select ? select : holder);
    DeckNode *lineBreak = node->nextSibling;
    const bool withBreak
        = node->kind() == ElementKind::Text && lineBreak && lineBreak->kind() == ElementKind::Break;
    log.remove(node);
    if (withBreak)
        log.remove(lineBreak);
    if (holder->kind() == ElementKind::Optgroup)
        restackGroup(holder);
    else if (holder->kind() == ElementKind::Select)
        restackSelect(holder);
    log.countInserted(m_doc.insertedControls, -1);
    log.finish(m_doc.model().root());
    PushDesignEdit(
        m_doc,
        std::make_unique<DesignCommand>(m_doc, std::move(log), DesignCommand::DeleteControl));
    shrinkAfterDelete();
    return true;
}

void DesignEditing::shrinkAfterDelete()
{
    if (m_doc.insertedControls == 0) {
        m_scrollSize = {kEmptyScrollSize, kEmptyScrollSize};
        return;
    }
    // Option groups do not count; every card of the deck does.
    int right = kShrinkFloor;
    int bottom = kShrinkFloor;
    DeckNode *root = m_doc.model().root();
    for (DeckNode *n = root; n; n = nextInSubtree(n, root)) {
        if (!n->element || !isScrollControl(n->kind()))
            continue;
        right = std::max(right, rectOf(n).right);
        bottom = std::max(bottom, rectOf(n).bottom);
    }
    if (bottom <= m_scrollSize.height())
        m_scrollSize = {right + kShrinkMargin, bottom + kShrinkMargin};
}

void DesignEditing::alignAll(int clientHeight)
{
    const int bottom = CardLayout(m_doc.folder()).alignAll(m_painter, m_doc.CurrentCard());
    m_scrollSize = {kInitialScrollSize, std::max(clientHeight, bottom + kAlignScrollMargin)};
}

} // namespace tess
