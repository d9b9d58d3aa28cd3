#include "gui/shell/TabbedDock.h"

#include <QBitmap>
#include <QPixmap>
#include <QTabWidget>

namespace tess {

TabbedDock::TabbedDock(const QString &caption, QSize requestedSize, Qt::DockWidgetArea defaultArea,
                       QWidget *parent)
    : QDockWidget(caption, parent)
    , m_tabs(new QTabWidget(this))
    , m_requestedSize(requestedSize)
    , m_defaultArea(defaultArea)
{
    setObjectName(caption);
    setAllowedAreas(Qt::AllDockWidgetAreas);
    m_tabs->setTabPosition(QTabWidget::South);
    m_tabs->setDocumentMode(true);
    setWidget(m_tabs);
}

int TabbedDock::AddView(const QString &label, QWidget *view)
{
    const int tab = m_tabs->addTab(view, label);
    applyImages();
    return tab;
}

void TabbedDock::SetTabImageList(const QList<QIcon> &images)
{
    m_images = images;
    applyImages();
}

bool TabbedDock::SetTabImageList(const QPixmap &strip, int imageWidth, const QColor &transparent)
{
    QList<QIcon> images = cutImageStrip(strip, imageWidth, transparent);
    if (images.isEmpty())
        return false;
    SetTabImageList(images);
    return true;
}

void TabbedDock::applyImages()
{
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabIcon(i, i < m_images.size() ? m_images[i] : QIcon());
}

void TabbedDock::SetActiveView(int tab)
{
    if (tab >= 0 && tab < m_tabs->count())
        m_tabs->setCurrentIndex(tab);
}

QWidget *TabbedDock::GetActiveView() const
{
    return m_tabs->currentWidget();
}

int TabbedDock::GetActiveTab() const
{
    return m_tabs->currentIndex();
}

QWidget *TabbedDock::GetView(int tab) const
{
    return m_tabs->widget(tab);
}

int TabbedDock::GetViewCount() const
{
    return m_tabs->count();
}

QSize TabbedDock::sizeHint() const
{
    return m_requestedSize;
}

} // namespace tess
