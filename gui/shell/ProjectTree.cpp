#include "gui/shell/ProjectTree.h"

#include <QHeaderView>

namespace tess {

ProjectTree::ProjectTree(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
}

} // namespace tess
