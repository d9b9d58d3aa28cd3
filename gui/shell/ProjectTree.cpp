#include "gui/shell/ProjectTree.h"

#include "app/ProjectTexts.h"
#include "app/Translation.h"
#include "editor/Prompter.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>

namespace tess {

namespace {

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

std::string trimmed(const QString &text)
{
    return text.trimmed().toStdString();
}

} // namespace

ProjectTree::ProjectTree(Prompter &prompter, QWidget *parent)
    : QTreeWidget(parent)
    , m_prompter(prompter)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this] { openSelected(); });
    // A file deleted, renamed or brought back outside the program shows as
    // such at once, not as an error at the next open.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &ProjectTree::refreshEntryStates);
}

void ProjectTree::openProject(const std::string &path)
{
    m_project.emplace(path);
    reload();
}

void ProjectTree::reload()
{
    clear();
    if (!m_project)
        return;
    ProjectContents contents;
    if (!tell(m_prompter, m_project->load(contents)))
        return;
    m_cleared = false;
    auto *root = new QTreeWidgetItem(this, {qs(ProjectContents::rootItemText(m_project->name()))});
    root->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    const std::string folderText = contents.folderItemText();
    // Without a folder item (a root named "br") entries have no place.
    if (folderText.empty()) {
        root->setExpanded(true);
        return;
    }
    auto *folder = new QTreeWidgetItem(root, {qs(folderText)});
    folder->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    for (const std::string &entry : contents.entries) {
        auto *item = new QTreeWidgetItem(folder, {qs(entry)});
        item->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
    }
    root->setExpanded(true);
    folder->setExpanded(true);
    refreshEntryStates();
}

void ProjectTree::refreshEntryStates()
{
    QStringList folders;
    QTreeWidgetItem *root = topLevelItem(0);
    QTreeWidgetItem *folder = root ? root->child(0) : nullptr;
    for (int i = 0; m_project && folder && i < folder->childCount(); ++i) {
        QTreeWidgetItem *item = folder->child(i);
        std::string path;
        const Outcome readable = m_project->checkEntryFile(trimmed(item->text(0)), path);
        item->setForeground(
            0, palette().color(readable ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        // The whole path, which a long entry hides.
        item->setToolTip(0, readable ? qs(path) : qs(readable.message));
        if (!path.empty())
            folders << QFileInfo(QString::fromStdString(path)).absolutePath();
    }
    folders.removeDuplicates();
    const QStringList watched = m_watcher.directories();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    for (const QString &dir : folders) {
        if (QFileInfo(dir).isDir())
            m_watcher.addPath(dir);
    }
}

void ProjectTree::closeProject()
{
    m_project.reset();
    clear();
    refreshEntryStates();
}

void ProjectTree::clearTree()
{
    clear();
    m_cleared = true;
}

QTreeWidgetItem *ProjectTree::selectedEntry() const
{
    QTreeWidgetItem *item = currentItem();
    // Entries are the only items two levels below the root.
    if (!item || !item->isSelected() || !item->parent() || !item->parent()->parent())
        return nullptr;
    return item;
}

void ProjectTree::openSelected()
{
    if (QTreeWidgetItem *item = selectedEntry(); item && m_project)
        emit openFileRequested(m_project->pathOf(trimmed(item->text(0))));
}

void ProjectTree::deleteSelected()
{
    QTreeWidgetItem *item = selectedEntry();
    if (!item || !m_project)
        return;
    const std::string entry = trimmed(item->text(0));
    // The item goes at once; the file is not read back into the tree.
    delete item;
    tell(m_prompter, m_project->removeEntry(entry));
}

void ProjectTree::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        openSelected();
        return;
    case Qt::Key_Delete:
        deleteSelected();
        return;
    case Qt::Key_Escape:
        emit leaveFullScreenRequested();
        return;
    default:
        QTreeWidget::keyPressEvent(event);
    }
}

void ProjectTree::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *add = menu.addAction(translated(kTreeAddFile));
    add->setEnabled(topLevelItemCount() > 0);
    connect(add, &QAction::triggered, this, &ProjectTree::addFilesRequested);
    const bool selected = currentItem() && currentItem()->isSelected();
    QAction *open = menu.addAction(translated(kTreeOpenFile));
    open->setEnabled(selected);
    connect(open, &QAction::triggered, this, &ProjectTree::openSelected);
    QAction *remove = menu.addAction(translated(kTreeDeleteFile));
    remove->setEnabled(selected);
    connect(remove, &QAction::triggered, this, &ProjectTree::deleteSelected);
    menu.addSeparator();
    connect(menu.addAction(translated(kTreeOpenProject)), &QAction::triggered, this,
            &ProjectTree::openProjectRequested);
    connect(menu.addAction(translated(kTreeCloseProject)), &QAction::triggered, this,
            &ProjectTree::clearTree);
    menu.exec(event->globalPos());
}

} // namespace tess
