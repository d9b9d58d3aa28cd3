#include "shell/FileView.h"

#include <QHeaderView>

namespace tess {

CFileView::CFileView(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
}

} // namespace tess
