#pragma once

#include "deck/DesignRect.h"
#include "editor/CardLayout.h"

#include <QAbstractScrollArea>
#include <QPoint>
#include <QSize>

#include <functional>

class QAction;
class QMenu;

namespace tess {

class DeckDocument;
class DeckNode;
class DesignEditing;
class Prompter;

// The design surface: the document's current card on the canvas, scrolled
// in pixel units. Painting, layout and hit-testing are CardLayout's; the
// view turns window points into logical ones and keeps what is shown
// selected. Edits and property dialogs ask and tell through `prompter`.
class DesignView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    DesignView(DeckDocument &doc, Prompter &prompter, QWidget *parent = nullptr);

    DeckDocument &document() const { return m_doc; }

    // The scrollable size; 10 x 10 until something sets it. Edits change it
    // by their own rules.
    QSize scrollSize() const { return m_scrollSize; }
    void setScrollSize(const QSize &size);
    QPoint scrollPosition() const;
    QPoint toLogical(const QPoint &windowPoint) const;

    // Draws what the view shows, in logical coordinates, onto any painter.
    void paintDesign(QPainter &painter);
    DeckNode *hitTest(const QPoint &logical) const;

    // Insert mode: a control is armed (the document's arm request turns it
    // on, its disarm request off); the cursor follows at once.
    bool insertMode() const { return m_insertMode; }
    void setInsertMode(bool on);
    // The selection tracker and the bump frame are on the selected node.
    bool trackerShown() const { return m_trackerShown; }
    bool frameShown() const { return m_frameShown; }

    // The context menu and its items.
    QMenu *contextMenu() const { return m_menu; }
    QAction *deleteAction() const { return m_deleteAction; }
    QAction *alignAllAction() const { return m_alignAllAction; }
    QAction *propertiesAction() const { return m_propertiesAction; }

    // A drag of the selected element from one window point to another, as
    // the tracker reports it when the button is released. Returns whether
    // the element moved.
    bool dragSelection(const QPoint &fromWindow, const QPoint &toWindow);
    // Properties for the element at a window point, as a double click does.
    void propertiesAt(const QPoint &windowPoint);

public slots:
    // Align All (the menu's, or the document's request): lays the current
    // card out again.
    void OnAlignAll();
    // The context menu's Delete and Properties.
    void OnDelete();
    void OnProperties();

signals:
    // Escape, sent on to the main window.
    void leaveFullScreenRequested();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

    // Shows the context menu, its commands enabled for the last right click.
    virtual void openContextMenu(const QPoint &globalPos);

private:
    enum class MouseAction { LeftDown, LeftUp, DoubleClick, RightDown, ContextMenu, Move };
    // Every mouse event of the view passes here.
    void handleMouse(MouseAction action, const QPoint &windowPoint, const QPoint &globalPoint);
    void leftDown(const QPoint &windowPoint, const QPoint &logical);
    void insertAt(const QPoint &logical);
    // The node selected, or null when the click fell on the card.
    DeckNode *selectAt(const QPoint &logical);
    void frameAt(const QPoint &logical);
    void updateCursor(const QPoint &logical);
    void updateScrollBars();
    void createMenu();
    // Deletes the selected node, as the context menu's Delete.
    void deleteSelection();
    // Runs an edit with a painter that measures as the screen does, then
    // takes over the scroll size the edit left.
    void edit(const std::function<void(DesignEditing &)> &run);

    DeckDocument &m_doc;
    Prompter &m_prompter;
    QSize m_scrollSize;
    QPoint m_rightClickPoint;
    QMenu *m_menu = nullptr;
    QAction *m_deleteAction = nullptr;
    QAction *m_alignAllAction = nullptr;
    QAction *m_propertiesAction = nullptr;
    // A drag under way: where the button went down and where the mouse is.
    bool m_dragging = false;
    QPoint m_dragFrom;
    QPoint m_dragTo;
    bool m_insertMode = false;
    bool m_elementUnderMenu = false;
    bool m_trackerShown = false;
    bool m_frameShown = false;
    // The shown card's rectangles as the last paint left them; dropped by
    // every edit, undo and reload, and rebuilt by the next paint or hit test.
    mutable CardHitIndex m_hits;
};

} // namespace tess
