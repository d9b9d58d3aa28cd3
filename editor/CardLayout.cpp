#include "editor/CardLayout.h"

#include "deck/DeckConstants.h"
#include "deck/ElementFactory.h"
#include "deck/ElementKind.h"
#include "deck/NodeIndex.h"
#include "editor/DesignConstants.h"
#include "editor/ElementPainters.h"
#include "editor/ElementPainting.h"

#include <QPainter>

#include <algorithm>

namespace tess {

namespace {

// Align All's starting size of a control, before its painter sizes it.
DesignRect startingRect(ElementKind kind, int left, int top)
{
    int width = 60, height = 20; // anchors and code blocks
    switch (kind) {
    case ElementKind::Input:
        height = 30;
        break;
    case ElementKind::Select:
        width = 155;
        height = kSelectMinHeight;
        break;
    case ElementKind::Text:
        width = 80;
        height = 50;
        break;
    case ElementKind::Image:
        width = height = kIconSize;
        break;
    default:
        break;
    }
    return {left, top, left + width, top + height};
}

DesignRect &rectOf(DeckNode *node)
{
    return node->element->rect;
}

std::string_view firstChildFragment(const DeckNode *node)
{
    return node->firstChild ? std::string_view(node->firstChild->fragment()) : std::string_view();
}

// The words a control shows, gathered from its children.
std::string shownWords(const DeckNode *node)
{
    switch (node->kind()) {
    case ElementKind::Text:
        return CardLayout::textLabel(node);
    case ElementKind::Anchor:
        return std::string(firstChildFragment(node));
    default:
        return {};
    }
}

int optionMeasure(const QPaintDevice *device, const DeckNode *option)
{
    return std::max(kOptionMinMeasure,
                    measureElement(device, option->element->rect,
                                   {*option->element, firstChildFragment(option)}));
}

void paintOption(QPainter &painter, DeckNode *option)
{
    rectOf(option)
        = paintElement(painter, rectOf(option), {*option->element, firstChildFragment(option)});
}

// Stacks the options of an option group in rows from 20 below its top, each
// `width` wide (its own old width when negative).
void stackGroupOptions(DeckNode *group, int width)
{
    DesignRect &g = rectOf(group);
    int k = 0;
    for (DeckNode *o = group->firstChild; o; o = o->nextSibling) {
        if (o->kind() != ElementKind::Option)
            continue;
        DesignRect &r = rectOf(o);
        const int w = width < 0 ? r.width() : width;
        r.top = g.top + kOptionRowHeight * ++k;
        r.left = g.left + kStackIndent;
        r.right = r.left + w;
        r.bottom = r.top + kOptionRowHeight;
        if (k > kOptgroupRowsBeforeGrowth)
            g.bottom = r.bottom + kGroupGap;
    }
}

DeckNode *treeRoot(DeckNode *node)
{
    while (node && node->parent)
        node = node->parent;
    return node;
}

void giveOptionWords(DeckNode *root, DeckNode *option)
{
    for (DeckNode *c = option->firstChild; c; c = c->nextSibling) {
        if (c->kind() == ElementKind::Text)
            return;
    }
    NodeInsertRequest request {root, makeElement(ElementKind::Text, kOptionWords)};
    request.parentId = option->id();
    Insert(request);
}

// Each control of `parent` in deck order, those of its fieldsets included;
// layout blanks are none.
template<typename Visit> void visitControls(DeckNode *parent, const Visit &visit)
{
    for (DeckNode *c = parent->firstChild; c; c = c->nextSibling) {
        if (IsFieldset(c))
            visitControls(c, visit);
        else if (!IsLayoutBlank(c))
            visit(c);
    }
}

template<typename Visit> void visitCardControls(DeckNode *card, const Visit &visit)
{
    for (DeckNode *p = card->firstChild; p; p = p->nextSibling) {
        if (p->kind() == ElementKind::Paragraph)
            visitControls(p, visit);
    }
}

} // namespace

CardLayout::CardLayout(std::string deckFolder)
    : m_deckFolder(std::move(deckFolder))
{ }

void CardLayout::paint(QPainter &painter, DeckNode *card) const
{
    paintCanvas(painter);
    paintCard(painter, card);
}

void CardLayout::paintCanvas(QPainter &painter)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(QColor(kCanvasColour));
    // The pen's pixels fall on both ends, so the width is one short.
    painter.drawRect(0, 0, kCanvasExtent - 1, kCanvasExtent - 1);
    painter.restore();
}

void CardLayout::paintCard(QPainter &painter, DeckNode *card) const
{
    if (card)
        visitCardControls(card, [&](DeckNode *c) { paintControl(painter, c); });
}

void CardLayout::paintControl(QPainter &painter, DeckNode *node) const
{
    if (!node || !node->element || !IsPlacedControl(node->kind()))
        return;
    if (node->kind() == ElementKind::Select) {
        paintSelect(painter, node);
        return;
    }
    const std::string words = shownWords(node);
    rectOf(node) = paintElement(painter, rectOf(node), {*node->element, words, m_deckFolder});
}

void CardLayout::paintSelect(QPainter &painter, DeckNode *select)
{
    const QPaintDevice *device = painter.device();
    DesignRect &s = rectOf(select);
    const int selectMeasure
        = std::max(kSelectMinMeasure, measureElement(device, s, {*select->element}));
    int widest = 0;
    const DeckNode *last = nullptr;
    for (DeckNode *q = select->firstChild; q; q = q->nextSibling) {
        DesignRect &r = rectOf(q);
        if (q->kind() == ElementKind::Option) {
            r.right = r.left + kCaptionPad + optionMeasure(device, q);
            paintOption(painter, q);
        } else if (q->kind() == ElementKind::Optgroup) {
            const int groupMeasure
                = std::max(kOptgroupMinMeasure, measureElement(device, r, {*q->element}));
            int innerWidest = 0;
            int k = 0;
            for (DeckNode *o = q->firstChild; o; o = o->nextSibling) {
                if (o->kind() != ElementKind::Option)
                    continue;
                DesignRect &ro = rectOf(o);
                ro.right = ro.left + kGroupedOptionPad + optionMeasure(device, o);
                paintOption(painter, o);
                innerWidest = std::max(innerWidest, ro.right);
                if (++k > kOptgroupRowsBeforeGrowth)
                    r.bottom = ro.bottom + kGroupGap;
            }
            r.right = r.left + kCaptionPad + groupMeasure;
            if (r.right <= innerWidest)
                r.right = innerWidest + kGroupGap;
            r = paintElement(painter, r, {*q->element});
        } else {
            continue;
        }
        widest = std::max(widest, r.right);
        s.bottom = r.bottom + kGroupGap;
        last = q;
    }
    s.right = s.left + kCaptionPad + selectMeasure;
    if (s.right <= widest)
        s.right = widest + kGroupGap;
    if (last && last->element->rect.bottom > s.top + kSelectMinHeight)
        s.bottom = last->element->rect.bottom + kGroupGap;
    else
        s.bottom = s.top + kSelectMinHeight;
    s = paintElement(painter, s, {*select->element});
}

void CardLayout::stackSelect(DeckNode *select)
{
    if (!select || !select->element)
        return;
    DesignRect &s = rectOf(select);
    const DeckNode *prev = nullptr;
    for (DeckNode *q = select->firstChild; q; q = q->nextSibling) {
        if (!IsOptionOrGroup(q->kind()))
            continue;
        DesignRect &r = rectOf(q);
        const int width = r.width();
        if (!prev)
            r.top = s.top + kStackFirstRow;
        else
            r.top = prev->element->rect.bottom
                + (prev->kind() == ElementKind::Optgroup ? kGroupGap : 0);
        r.left = s.left + kStackIndent;
        r.right = r.left + width;
        if (q->kind() == ElementKind::Optgroup) {
            r.bottom = r.top + kOptgroupHeight;
            // The options take the group's width, not their own.
            stackGroupOptions(q, width);
        } else {
            r.bottom = r.top + kOptionRowHeight;
        }
        s.bottom = r.bottom + kGroupGap;
        prev = q;
    }
    if (s.top + kSelectMinHeight >= s.bottom)
        s.bottom = s.top + kSelectMinHeight;
}

void CardLayout::alignSelect(QPainter &painter, DeckNode *select) const
{
    DeckNode *root = treeRoot(select);
    const DesignRect &s = rectOf(select);
    const DeckNode *prev = nullptr;
    for (DeckNode *q = select->firstChild; q; q = q->nextSibling) {
        if (!IsOptionOrGroup(q->kind()))
            continue;
        DesignRect &r = rectOf(q);
        const int width = r.width();
        if (!prev)
            r.top = s.top + kStackFirstRow;
        else
            r.top
                = prev->element->rect.bottom + (q->kind() == ElementKind::Optgroup ? kGroupGap : 0);
        r.left = s.left + kStackIndent;
        r.right = r.left + width;
        if (q->kind() == ElementKind::Optgroup) {
            r.bottom = r.top + kOptgroupHeight;
            stackGroupOptions(q, -1);
            for (DeckNode *o = q->firstChild; o; o = o->nextSibling) {
                if (o->kind() == ElementKind::Option)
                    giveOptionWords(root, o);
            }
        } else {
            r.bottom = r.top + kOptionRowHeight;
            giveOptionWords(root, q);
        }
        prev = q;
    }
    paintSelect(painter, select);
}

int CardLayout::alignAll(QPainter &painter, DeckNode *card) const
{
    if (!card)
        return 0;
    const DeckNode *prev = nullptr;
    visitCardControls(card, [&](DeckNode *c) {
        if (!c->element || !IsPlacedControl(c->kind()))
            return;
        const int top = prev ? prev->element->rect.bottom + kAlignGap : kAlignMargin;
        rectOf(c) = startingRect(c->kind(), kAlignMargin, top);
        if (c->kind() == ElementKind::Select)
            alignSelect(painter, c);
        else
            paintControl(painter, c);
        prev = c;
    });
    return prev ? prev->element->rect.bottom : 0;
}

DeckNode *CardLayout::hitTest(DeckNode *card, int x, int y)
{
    return card ? HitTestSelect(card, x, y) : nullptr;
}

void CardHitIndex::rebuild(DeckNode *card)
{
    m_entries.clear();
    m_card = card;
    // The walk of HitTest, in the same order; elements without a place are
    // never hit, so they are left out.
    for (DeckNode *n = card; n; n = nextInSubtree(n, card)) {
        const DesignRect &r = n->element ? n->element->rect : DesignRect {};
        if (r.width() > 0 && r.height() > 0)
            m_entries.push_back({r, n});
    }
}

void CardHitIndex::clear()
{
    m_entries.clear();
    m_card = nullptr;
}

DeckNode *CardHitIndex::hitTest(int x, int y) const
{
    if (!m_card)
        return nullptr;
    for (const Entry &e : m_entries) {
        if (e.rect.contains(x, y))
            return e.node->kind() == ElementKind::Select ? HitInsideSelect(e.node, x, y) : e.node;
    }
    return m_card;
}

DeckNode *CardLayout::selectionTarget(DeckNode *hit)
{
    if (!hit || hit->kind() == ElementKind::Card)
        return nullptr;
    DeckNode *node = hit;
    while (node && (node->kind() == ElementKind::Option || node->kind() == ElementKind::Optgroup))
        node = node->parent;
    // An option outside any select stands for itself.
    return node && node->kind() == ElementKind::Select ? node : hit;
}

void CardLayout::drawTracker(QPainter &painter, const DesignRect &r)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.left - 1, r.top - 1, r.width() + 1, r.height() + 1);
    painter.restore();
}

void CardLayout::drawBumpFrame(QPainter &painter, const DesignRect &r)
{
    draw3dFrame(painter, r, kEdgeLight, kEdgeDarkShadow);
    draw3dFrame(painter, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kEdgeShadow,
                kEdgeHighlight);
}

DeckNode *CardLayout::buildStartingDeck(DeckModel &model)
{
    DeckNode *root = model.makeRoot(ElementKind::Wml, std::string(DesignerRootFragment));
    NodeInsertRequest card {root, makeElement(ElementKind::Card, std::string(NewCardFragment))};
    card.element->rect = {-1, -1, -1, -1};
    card.parentId = root->id();
    const int cardId = Insert(card);
    NodeInsertRequest paragraph {
        root, makeElement(ElementKind::Paragraph, std::string(NewParagraphFragment))};
    paragraph.parentId = cardId;
    Insert(paragraph);
    return FindById(root, cardId);
}

std::string CardLayout::textLabel(const DeckNode *text)
{
    std::string label;
    for (const DeckNode *n = text; n; n = n->firstChild)
        label += n->fragment();
    return label;
}

} // namespace tess
