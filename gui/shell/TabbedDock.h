#pragma once

#include "gui/code/ImageStrip.h"

#include <QColor>
#include <QDockWidget>
#include <QIcon>
#include <QList>
#include <QSize>

class QPixmap;
class QTabWidget;

namespace tess {

// A dockable, resizable bar whose pages are views on tabs. Other parts find
// a view through GetActiveView() and qobject_cast it to the view's class.
class TabbedDock : public QDockWidget
{
    Q_OBJECT
public:
    // requestedSize: width when docked at a side, height when docked at the
    // top or bottom. defaultArea is where DockSizeBar docks the bar.
    TabbedDock(const QString &caption, QSize requestedSize, Qt::DockWidgetArea defaultArea,
               QWidget *parent = nullptr);

    // Adds a tab whose page is view (the bar takes it over); returns its
    // number, counted from 0 in the order added.
    int AddView(const QString &label, QWidget *view);

    // Images shown on the tabs, one per tab in order; tabs added later get
    // theirs too.
    void SetTabImageList(const QList<QIcon> &images);
    // Cuts a horizontal strip into images imageWidth pixels wide, pixels of
    // the transparent colour becoming see-through. False for an empty strip.
    bool SetTabImageList(const QPixmap &strip, int imageWidth,
                         const QColor &transparent = QColor(0, 255, 0));

    void SetActiveView(int tab);
    // The view of the visible tab; null while the bar has none.
    QWidget *GetActiveView() const;
    int GetActiveTab() const;
    QWidget *GetView(int tab) const;
    int GetViewCount() const;

    QSize requestedSize() const { return m_requestedSize; }
    Qt::DockWidgetArea defaultArea() const { return m_defaultArea; }
    QTabWidget *tabWidget() const { return m_tabs; }

    QSize sizeHint() const override;

private:
    void applyImages();

    QTabWidget *m_tabs;
    QList<QIcon> m_images;
    QSize m_requestedSize;
    Qt::DockWidgetArea m_defaultArea;
};

} // namespace tess
