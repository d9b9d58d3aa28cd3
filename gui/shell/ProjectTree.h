#pragma once

#include <QTreeWidget>

namespace tess {

// The Workspace bar's "Project" tab: the tree of the open project's files,
// on white.
class ProjectTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit ProjectTree(QWidget *parent = nullptr);
};

} // namespace tess
