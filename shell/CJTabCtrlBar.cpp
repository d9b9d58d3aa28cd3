#include "shell/CJTabCtrlBar.h"

#include <QBitmap>
#include <QPixmap>
#include <QTabWidget>

namespace tess {

QList<QIcon> cutImageStrip(const QPixmap &strip, int imageWidth, const QColor &transparent)
{
    QList<QIcon> images;
    if (strip.isNull() || imageWidth <= 0)
        return images;
    for (int x = 0; x + imageWidth <= strip.width(); x += imageWidth) {
        QPixmap image = strip.copy(x, 0, imageWidth, strip.height());
        image.setMask(image.createMaskFromColor(transparent, Qt::MaskInColor));
        images.append(QIcon(image));
    }
    return images;
}

CCJTabCtrlBar::CCJTabCtrlBar(const QString &caption, QSize requestedSize, int commandId,
                             Qt::DockWidgetArea defaultArea, QWidget *parent)
    : QDockWidget(caption, parent)
    , m_tabs(new QTabWidget(this))
    , m_requestedSize(requestedSize)
    , m_commandId(commandId)
    , m_defaultArea(defaultArea)
{
    setObjectName(caption);
    setAllowedAreas(Qt::AllDockWidgetAreas);
    m_tabs->setTabPosition(QTabWidget::South);
    m_tabs->setDocumentMode(true);
    setWidget(m_tabs);
}

int CCJTabCtrlBar::AddView(const QString &label, QWidget *view)
{
    const int tab = m_tabs->addTab(view, label);
    applyImages();
    return tab;
}

void CCJTabCtrlBar::SetTabImageList(const QList<QIcon> &images)
{
    m_images = images;
    applyImages();
}

bool CCJTabCtrlBar::SetTabImageList(const QPixmap &strip, int imageWidth, const QColor &transparent)
{
    QList<QIcon> images = cutImageStrip(strip, imageWidth, transparent);
    if (images.isEmpty())
        return false;
    SetTabImageList(images);
    return true;
}

void CCJTabCtrlBar::applyImages()
{
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabIcon(i, i < m_images.size() ? m_images[i] : QIcon());
}

void CCJTabCtrlBar::SetActiveView(int tab)
{
    if (tab >= 0 && tab < m_tabs->count())
        m_tabs->setCurrentIndex(tab);
}

QWidget *CCJTabCtrlBar::GetActiveView() const
{
    return m_tabs->currentWidget();
}

int CCJTabCtrlBar::GetActiveTab() const
{
    return m_tabs->currentIndex();
}

QWidget *CCJTabCtrlBar::GetView(int tab) const
{
    return m_tabs->widget(tab);
}

int CCJTabCtrlBar::GetViewCount() const
{
    return m_tabs->count();
}

QSize CCJTabCtrlBar::sizeHint() const
{
    return m_requestedSize;
}

} // namespace tess
