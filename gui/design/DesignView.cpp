#include "gui/design/DesignView.h"

#include "app/Translation.h"
#include "editor/CardLayout.h"
#include "editor/DeckDocument.h"
#include "editor/DesignCommands.h"
#include "editor/DesignConstants.h"
#include "editor/DesignEditing.h"
#include "editor/Prompter.h"
#include "gui/design/PropertiesCommand.h"
#include "gui/design/WidgetPrompter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tess {

namespace {

constexpr double kInchesPerMeter = 1 / 0.0254;

// The scrolling view's own steps: a page is a tenth of the size, a line a
// tenth of a page.
void setSteps(QScrollBar *bar, int total)
{
    const int page = std::max(1, total / 10);
    bar->setPageStep(page);
    bar->setSingleStep(std::max(1, page / 10));
}

} // namespace

DesignView::DesignView(DeckDocument &doc, Prompter &prompter, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_doc(doc)
    , m_prompter(prompter)
    , m_scrollSize(kInitialScrollSize, kInitialScrollSize)
{
    attachPrompter(*this, prompter);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    createMenu();
    connect(&m_doc, &DeckDocument::alignAllRequested, this, &DesignView::OnAlignAll);
    connect(&m_doc, &DeckDocument::armControlRequested, this, [this] { setInsertMode(true); });
    connect(&m_doc, &DeckDocument::disarmControlRequested, this, [this] { setInsertMode(false); });
    connect(&m_doc, &DeckDocument::cardListRefreshRequested, this, [this] {
        m_hits.clear();
        DropStaleDesignHistory(m_doc);
    });
    connect(m_doc.undoStack(), &QUndoStack::indexChanged, this, [this] {
        m_hits.clear();
        m_dragging = false;
        viewport()->update();
    });
    updateScrollBars();
}

void DesignView::createMenu()
{
    m_menu = new QMenu(this);
    const auto add = [this](std::string_view text, void (DesignView::*slot)()) {
        QAction *action = m_menu->addAction(translated(text));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_deleteAction = add(DesignDeleteMenuText, &DesignView::OnDelete);
    m_menu->addSeparator();
    m_alignAllAction = add(DesignAlignAllMenuText, &DesignView::OnAlignAll);
    m_menu->addSeparator();
    m_propertiesAction = add(DesignPropertiesMenuText, &DesignView::OnProperties);
}

void DesignView::setScrollSize(const QSize &size)
{
    m_scrollSize = size;
    updateScrollBars();
}

QPoint DesignView::scrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

QPoint DesignView::toLogical(const QPoint &windowPoint) const
{
    return windowPoint + scrollPosition();
}

void DesignView::updateScrollBars()
{
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_scrollSize.width() - visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, m_scrollSize.height() - visible.height()));
    setSteps(horizontalScrollBar(), m_scrollSize.width());
    setSteps(verticalScrollBar(), m_scrollSize.height());
}

void DesignView::paintDesign(QPainter &painter)
{
    CardLayout(m_doc.folder()).paint(painter, m_doc.CurrentCard());
    // The paint has just settled every rectangle of the card.
    m_hits.rebuild(m_doc.CurrentCard());
    const DeckNode *selected = m_doc.selectedNode();
    if (!selected || !selected->element)
        return;
    if (m_trackerShown) {
        DesignRect r = selected->element->rect;
        if (m_dragging) {
            const QPoint d = m_dragTo - m_dragFrom;
            r = {r.left + d.x(), r.top + d.y(), r.right + d.x(), r.bottom + d.y()};
        }
        CardLayout::drawTracker(painter, r);
    }
    if (m_frameShown)
        CardLayout::drawBumpFrame(painter, selected->element->rect);
}

DeckNode *DesignView::hitTest(const QPoint &logical) const
{
    DeckNode *card = m_doc.CurrentCard();
    if (!card)
        return nullptr;
    if (m_hits.card() != card)
        m_hits.rebuild(card);
    return m_hits.hitTest(logical.x(), logical.y());
}

void DesignView::setInsertMode(bool on)
{
    m_insertMode = on;
    viewport()->setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
}

void DesignView::edit(const std::function<void(DesignEditing &)> &run)
{
    // Edits paint as they go; a scratch image at the screen's resolution
    // measures text exactly as the view will.
    QImage scratch(1, 1, QImage::Format_RGB32);
    scratch.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() * kInchesPerMeter)));
    scratch.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() * kInchesPerMeter)));
    QSize size;
    m_hits.clear();
    {
        QPainter painter(&scratch);
        DesignEditing editing(m_doc, m_prompter, painter, m_scrollSize);
        run(editing);
        size = editing.scrollSize();
    }
    setScrollSize(size);
    viewport()->update();
}

void DesignView::OnAlignAll()
{
    // Sent after every load, so a history of an older tree goes first.
    DropStaleDesignHistory(m_doc);
    edit([this](DesignEditing &e) { e.alignAll(viewport()->height()); });
}

void DesignView::OnDelete()
{
    if (m_elementUnderMenu)
        deleteSelection();
}

void DesignView::deleteSelection()
{
    if (!m_doc.model().validDeck)
        return;
    bool deleted = false;
    std::string refusal;
    edit([&](DesignEditing &e) { deleted = e.deleteSelected(&refusal); });
    if (!refusal.empty())
        m_prompter.message(refusal, Prompter::Icon::Warning, Prompter::Buttons::Ok);
    if (deleted) {
        m_elementUnderMenu = m_trackerShown = m_frameShown = false;
        viewport()->update();
    }
}

void DesignView::OnProperties()
{
    if (m_elementUnderMenu && m_doc.model().validDeck)
        propertiesAt(m_rightClickPoint);
}

void DesignView::propertiesAt(const QPoint &windowPoint)
{
    DeckNode *hit = hitTest(toLogical(windowPoint));
    DeckNode *node = hit == m_doc.CurrentCard() ? nullptr : hit;
    const bool selected = node && m_doc.selectedNode() == node;
    DeckNode *root = m_doc.model().root();
    DeckNode *after = RecordElementProperties(
        m_doc, node, [this, root](DeckNode *n) { return OpenElementProperties(root, n, this); });
    // A Text comes back as a new chain; the selection follows it.
    if (selected && after)
        m_doc.setSelectedNode(after);
    m_hits.clear();
    viewport()->update();
}

bool DesignView::dragSelection(const QPoint &fromWindow, const QPoint &toWindow)
{
    DeckNode *node = m_doc.selectedNode();
    if (!node || !node->element || fromWindow == toWindow)
        return false;
    // The tracker works in window coordinates; the move turns its final
    // rectangle back into logical ones.
    const QPoint scroll = scrollPosition();
    const QPoint d = toWindow - fromWindow - scroll;
    const DesignRect &r = node->element->rect;
    const DesignRect tracker {r.left + d.x(), r.top + d.y(), r.right + d.x(), r.bottom + d.y()};
    bool moved = false;
    edit([&](DesignEditing &e) { moved = e.move(node, tracker, scroll); });
    return moved;
}

bool DesignView::event(QEvent *event)
{
    // Escape never reaches the usual key handling.
    if (event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        emit leaveFullScreenRequested();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void DesignView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.translate(-scrollPosition());
    paintDesign(painter);
}

void DesignView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void DesignView::hideEvent(QHideEvent *event)
{
    // Other tabs change the deck, or load another tree, while this one is
    // hidden.
    m_hits.clear();
    QAbstractScrollArea::hideEvent(event);
}

void DesignView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void DesignView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Delete)) {
        // The control a click framed goes, as with the context menu.
        if (m_trackerShown)
            deleteSelection();
        return;
    }
    using A = QAbstractSlider::SliderAction;
    static const struct
    {
        int key;
        bool vertical;
        A action;
    } keys[] = {
        {Qt::Key_PageUp, true, A::SliderPageStepSub},
        {Qt::Key_PageDown, true, A::SliderPageStepAdd},
        {Qt::Key_Up, true, A::SliderSingleStepSub},
        {Qt::Key_Down, true, A::SliderSingleStepAdd},
        {Qt::Key_Home, false, A::SliderToMinimum},
        {Qt::Key_End, false, A::SliderToMaximum},
        {Qt::Key_Left, false, A::SliderSingleStepSub},
        {Qt::Key_Right, false, A::SliderSingleStepAdd},
    };
    for (const auto &k : keys) {
        if (k.key != event->key())
            continue;
        QScrollBar *bar = k.vertical ? verticalScrollBar() : horizontalScrollBar();
        for (int i = 0; i < std::max(1, event->count()); ++i)
            bar->triggerAction(k.action);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void DesignView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        handleMouse(MouseAction::LeftDown, event->position().toPoint(),
                    event->globalPosition().toPoint());
    else if (event->button() == Qt::RightButton)
        handleMouse(MouseAction::RightDown, event->position().toPoint(),
                    event->globalPosition().toPoint());
}

void DesignView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        handleMouse(MouseAction::DoubleClick, event->position().toPoint(),
                    event->globalPosition().toPoint());
}

void DesignView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        handleMouse(MouseAction::LeftUp, event->position().toPoint(),
                    event->globalPosition().toPoint());
}

void DesignView::mouseMoveEvent(QMouseEvent *event)
{
    // A release that never reached the view ends the drag where it was.
    if (m_dragging && !(event->buttons() & Qt::LeftButton))
        m_dragging = false;
    handleMouse(MouseAction::Move, event->position().toPoint(), event->globalPosition().toPoint());
}

void DesignView::contextMenuEvent(QContextMenuEvent *event)
{
    handleMouse(MouseAction::ContextMenu, m_rightClickPoint, event->globalPos());
}

void DesignView::handleMouse(MouseAction action, const QPoint &windowPoint,
                             const QPoint &globalPoint)
{
    const QPoint logical = toLogical(windowPoint);
    if (action == MouseAction::Move) {
        if (m_dragging) {
            m_dragTo = windowPoint;
            viewport()->update();
        }
        updateCursor(logical);
        return;
    }
    if (action == MouseAction::LeftUp) {
        if (std::exchange(m_dragging, false) && !dragSelection(m_dragFrom, windowPoint))
            viewport()->update();
        return;
    }
    // A deck that did not load takes no clicks.
    if (!m_doc.model().validDeck)
        return;
    switch (action) {
    case MouseAction::LeftDown:
        leftDown(windowPoint, logical);
        break;
    case MouseAction::RightDown:
        m_rightClickPoint = windowPoint;
        break;
    case MouseAction::ContextMenu:
        frameAt(logical);
        openContextMenu(globalPoint);
        break;
    case MouseAction::DoubleClick:
        m_dragging = false;
        propertiesAt(windowPoint);
        break;
    case MouseAction::LeftUp:
    case MouseAction::Move:
        break;
    }
}

void DesignView::leftDown(const QPoint &windowPoint, const QPoint &logical)
{
    if (m_insertMode) {
        InsertOutcome outcome = InsertOutcome::Ignored;
        std::string refusal;
        edit([&](DesignEditing &e) { outcome = e.insertAt(logical.x(), logical.y(), &refusal); });
        if (!refusal.empty())
            m_prompter.message(refusal, Prompter::Icon::Warning, Prompter::Buttons::Ok);
        if (outcome == InsertOutcome::Inserted || outcome == InsertOutcome::Refused)
            setInsertMode(false);
        // A card or paragraph armed has nothing to place: the click selects.
        if (outcome != InsertOutcome::NotInsertable)
            return;
    }
    DeckNode *target = selectAt(logical);
    if (target && target->element->rect.contains(logical.x(), logical.y())) {
        m_dragging = true;
        m_dragFrom = m_dragTo = windowPoint;
    }
}

DeckNode *DesignView::selectAt(const QPoint &logical)
{
    DeckNode *hit = hitTest(logical);
    DeckNode *target = CardLayout::selectionTarget(hit);
    m_doc.setSelectedNode(target ? target : hit);
    m_trackerShown = m_frameShown = target != nullptr;
    viewport()->update();
    return target;
}

void DesignView::frameAt(const QPoint &logical)
{
    DeckNode *hit = hitTest(logical);
    m_doc.setSelectedNode(hit);
    m_elementUnderMenu = hit && hit != m_doc.CurrentCard();
    m_trackerShown = false;
    m_frameShown = m_elementUnderMenu;
    // The frame shows before the menu takes over.
    viewport()->repaint();
}

void DesignView::updateCursor(const QPoint &logical)
{
    if (m_insertMode) {
        viewport()->setCursor(Qt::CrossCursor);
        return;
    }
    const DeckNode *selected = m_doc.selectedNode();
    const bool overSelection = m_dragging
        || (m_trackerShown && selected && selected->element
            && selected->element->rect.contains(logical.x(), logical.y()));
    viewport()->setCursor(overSelection ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void DesignView::openContextMenu(const QPoint &globalPos)
{
    m_deleteAction->setEnabled(m_elementUnderMenu);
    m_propertiesAction->setEnabled(m_elementUnderMenu);
    m_menu->popup(globalPos);
}

} // namespace tess
