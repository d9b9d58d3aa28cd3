#pragma once

#include "app/ProjectFile.h"

#include <QFileSystemWatcher>
#include <QTreeWidget>

#include <optional>
#include <string>

namespace tess {

class Prompter;

// The Workspace bar's "Project" tab, on white: the open project as a root
// item, a folder item named after its root element and one item per entry
// (a missing file greyed, its reason as the tooltip). Enter and a double
// click open an entry, Delete removes it from the project file. The
// entries' folders are watched, so a file deleted or renamed elsewhere
// shows as missing at once.
class ProjectTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit ProjectTree(Prompter &prompter, QWidget *parent = nullptr);

    // Makes `path` the project and shows it; a file that cannot be loaded is
    // told and leaves the tree empty, yet the project counts as open.
    void openProject(const std::string &path);
    // Shows the project file again, as it now stands.
    void reload();
    // Forgets the project and empties the tree.
    void closeProject();
    // Only empties the tree (the context menu's Close Project): the project
    // stays open, but files are no longer added to it.
    void clearTree();

    bool isProjectOpen() const { return m_project.has_value(); }
    bool isCleared() const { return m_cleared; }
    const ProjectFile *project() const { return m_project ? &*m_project : nullptr; }

    // The selected entry's item; null when the root or folder is selected.
    QTreeWidgetItem *selectedEntry() const;
    void openSelected();
    void deleteSelected();
    // Greys each entry whose file is missing, with the reason as its
    // tooltip, and watches the entries' folders for changes.
    void refreshEntryStates();

signals:
    // The file of an entry is to be opened as a document.
    void openFileRequested(const std::string &path);
    void addFilesRequested();
    void leaveFullScreenRequested();
    void openProjectRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    Prompter &m_prompter;
    std::optional<ProjectFile> m_project;
    bool m_cleared = false;
    QFileSystemWatcher m_watcher;
};

} // namespace tess
