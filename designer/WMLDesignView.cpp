#include "designer/WMLDesignView.h"

#include "designer/CardLayout.h"
#include "designer/DesignerConstants.h"
#include "shell/BerthingDoc.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

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

CWMLDesignView::CWMLDesignView(CBerthingDoc &doc, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_doc(doc)
    , m_scrollSize(kInitialScrollSize, kInitialScrollSize)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    connect(&m_doc, &CBerthingDoc::alignAllRequested, this, &CWMLDesignView::OnAlignAll);
    updateScrollBars();
}

void CWMLDesignView::setScrollSize(const QSize &size)
{
    m_scrollSize = size;
    updateScrollBars();
}

QPoint CWMLDesignView::scrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

QPoint CWMLDesignView::toLogical(const QPoint &windowPoint) const
{
    return windowPoint + scrollPosition();
}

void CWMLDesignView::updateScrollBars()
{
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_scrollSize.width() - visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, m_scrollSize.height() - visible.height()));
    setSteps(horizontalScrollBar(), m_scrollSize.width());
    setSteps(verticalScrollBar(), m_scrollSize.height());
}

void CWMLDesignView::paintDesign(QPainter &painter)
{
    CardLayout(m_doc.folder()).paint(painter, m_doc.CurrentCard());
    const DeckNode *selected = m_doc.selectedNode();
    if (!selected || !selected->element)
        return;
    if (m_trackerShown)
        CardLayout::drawTracker(painter, selected->element->rect);
    if (m_frameShown)
        CardLayout::drawBumpFrame(painter, selected->element->rect);
}

DeckNode *CWMLDesignView::hitTest(const QPoint &logical) const
{
    return CardLayout::hitTest(m_doc.CurrentCard(), logical.x(), logical.y());
}

void CWMLDesignView::setInsertMode(bool on)
{
    m_insertMode = on;
    viewport()->setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
}

void CWMLDesignView::OnAlignAll()
{
    // Align All paints as it goes; a scratch image at the screen's
    // resolution measures text exactly as the view will.
    QImage scratch(1, 1, QImage::Format_RGB32);
    scratch.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() * kInchesPerMeter)));
    scratch.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() * kInchesPerMeter)));
    int bottom = 0;
    {
        QPainter painter(&scratch);
        bottom = CardLayout(m_doc.folder()).alignAll(painter, m_doc.CurrentCard());
    }
    setScrollSize(
        {kInitialScrollSize, std::max(viewport()->height(), bottom + kAlignScrollMargin)});
    viewport()->update();
}

bool CWMLDesignView::event(QEvent *event)
{
    // Escape never reaches the usual key handling.
    if (event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        emit leaveFullScreenRequested();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void CWMLDesignView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.translate(-scrollPosition());
    paintDesign(painter);
}

void CWMLDesignView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CWMLDesignView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CWMLDesignView::keyPressEvent(QKeyEvent *event)
{
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

void CWMLDesignView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        handleMouse(MouseAction::LeftDown, event->position().toPoint(),
                    event->globalPosition().toPoint());
    else if (event->button() == Qt::RightButton)
        handleMouse(MouseAction::RightDown, event->position().toPoint(),
                    event->globalPosition().toPoint());
}

void CWMLDesignView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        handleMouse(MouseAction::DoubleClick, event->position().toPoint(),
                    event->globalPosition().toPoint());
}

void CWMLDesignView::mouseMoveEvent(QMouseEvent *event)
{
    handleMouse(MouseAction::Move, event->position().toPoint(), event->globalPosition().toPoint());
}

void CWMLDesignView::contextMenuEvent(QContextMenuEvent *event)
{
    handleMouse(MouseAction::ContextMenu, m_rightClickPoint, event->globalPos());
}

void CWMLDesignView::handleMouse(MouseAction action, const QPoint &windowPoint,
                                 const QPoint &globalPoint)
{
    const QPoint logical = toLogical(windowPoint);
    if (action == MouseAction::Move) {
        updateCursor(logical);
        return;
    }
    // A deck that did not load takes no clicks.
    if (!m_doc.model().validDeck)
        return;
    switch (action) {
    case MouseAction::LeftDown:
        selectAt(logical);
        break;
    case MouseAction::RightDown:
        m_rightClickPoint = windowPoint;
        break;
    case MouseAction::ContextMenu:
        frameAt(logical);
        openContextMenu(globalPoint);
        break;
    case MouseAction::DoubleClick:
    case MouseAction::Move:
        break;
    }
}

void CWMLDesignView::selectAt(const QPoint &logical)
{
    DeckNode *hit = hitTest(logical);
    DeckNode *target = CardLayout::selectionTarget(hit);
    m_doc.setSelectedNode(target ? target : hit);
    m_trackerShown = m_frameShown = target != nullptr;
    viewport()->update();
}

void CWMLDesignView::frameAt(const QPoint &logical)
{
    DeckNode *hit = hitTest(logical);
    m_doc.setSelectedNode(hit);
    m_elementUnderMenu = hit && hit != m_doc.CurrentCard();
    m_trackerShown = false;
    m_frameShown = m_elementUnderMenu;
    // The frame shows before the menu takes over.
    viewport()->repaint();
}

void CWMLDesignView::updateCursor(const QPoint &logical)
{
    if (m_insertMode) {
        viewport()->setCursor(Qt::CrossCursor);
        return;
    }
    const DeckNode *selected = m_doc.selectedNode();
    const bool overSelection = m_trackerShown && selected && selected->element
        && selected->element->rect.contains(logical.x(), logical.y());
    viewport()->setCursor(overSelection ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void CWMLDesignView::openContextMenu(const QPoint &) { }

} // namespace tess
