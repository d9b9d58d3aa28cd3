// Projects: New, Open and Close Project in the File menu, the Project menu's
// Add Files and Delete File, and the Workspace bar's project tree.
#include "gui/shell/MainWindow.h"

#include "app/AppContext.h"
#include "app/ProjectTexts.h"
#include "app/Translation.h"
#include "editor/DeckDocument.h"
#include "editor/DocumentTexts.h"
#include "editor/Prompter.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/NewProjectDialog.h"
#include "gui/shell/ProjectTree.h"
#include "gui/shell/TabbedDock.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace tess {

void MainWindow::createProjectFileCommands()
{
    m_fileMenu->addSeparator();
    m_commands.newProject = addCommand(m_fileMenu, kNewProjectMenu);
    connect(m_commands.newProject, &QAction::triggered, this, &MainWindow::OnNewProject);
    m_commands.openProject = addCommand(m_fileMenu, kOpenProjectMenu);
    connect(m_commands.openProject, &QAction::triggered, this, &MainWindow::OnOpenProject);
    m_commands.closeProject = addCommand(m_fileMenu, kCloseProjectMenu);
    connect(m_commands.closeProject, &QAction::triggered, this, &MainWindow::OnCloseProject);
    connect(m_fileMenu, &QMenu::aboutToShow, this, &MainWindow::updateProjectCommands);
}

void MainWindow::createProjectMenu()
{
    m_projectMenu = menuBar()->addMenu(translated(kProjectMenu));
    m_commands.addFiles = addCommand(m_projectMenu, kAddFilesMenu);
    connect(m_commands.addFiles, &QAction::triggered, this, &MainWindow::OnAddFilesToProject);
    m_commands.deleteFile = addCommand(m_projectMenu, kDeleteFileMenu);
    connect(m_commands.deleteFile, &QAction::triggered, this, &MainWindow::OnDeleteFileFromProject);
    connect(m_projectMenu, &QMenu::aboutToShow, this, &MainWindow::updateProjectCommands);
    updateProjectCommands();
}

void MainWindow::connectProjectTree(ProjectTree *tree)
{
    connect(tree, &ProjectTree::openFileRequested, this, &MainWindow::openProjectEntry);
    connect(tree, &ProjectTree::addFilesRequested, this, &MainWindow::OnAddFilesToProject);
    connect(tree, &ProjectTree::leaveFullScreenRequested, this, &MainWindow::OnLeaveFullScreen);
    connect(tree, &ProjectTree::openProjectRequested, this, &MainWindow::OnOpenProject);
}

void MainWindow::updateProjectCommands()
{
    const ProjectTree *tree = fileView();
    const bool open = tree && tree->isProjectOpen();
    for (QAction *action : {m_commands.closeProject, m_commands.addFiles, m_commands.deleteFile})
        if (action)
            action->setEnabled(open);
    if (m_commands.upload)
        m_commands.upload->setEnabled(open && !m_uploadBlocked);
}

bool MainWindow::saveAllModified()
{
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        auto *child = qobject_cast<DocumentWindow *>(window);
        if (child && child->document().isModified() && !child->offerSave())
            return false;
    }
    return true;
}

bool MainWindow::closeAllDocuments()
{
    if (!saveAllModified())
        return false;
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        if (auto *child = qobject_cast<DocumentWindow *>(window))
            child->closeUnasked();
    }
    return m_mdiArea->subWindowList().isEmpty();
}

void MainWindow::OnNewProject()
{
    NewProjectDialog dialog(m_prompter, this);
    if (dialog.exec() != QDialog::Accepted || !closeAllDocuments())
        return;
    loadProject(dialog.created().filePath);
}

// The documents stay open; the modified ones are offered for saving first.
void MainWindow::OnOpenProject()
{
    Prompter::FileRequest request;
    request.filter = kProjectFileFilter;
    request.confirmOverwrite = false;
    const std::string path = m_prompter.openFileName(request);
    if (path.empty() || !tell(m_prompter, CheckProjectFilePath(path)))
        return;
    if (!saveAllModified()) {
        m_uploadBlocked = false;
        updateProjectCommands();
        return;
    }
    loadProject(path);
}

void MainWindow::loadProject(const std::string &path)
{
    m_workspaceBar->SetActiveView(0);
    fileView()->openProject(path);
    m_uploadBlocked = false;
    updateProjectCommands();
}

void MainWindow::OnCloseProject()
{
    ProjectTree *tree = fileView();
    m_uploadBlocked = tree->isProjectOpen();
    if (tree->isProjectOpen() && closeAllDocuments())
        tree->closeProject();
    updateProjectCommands();
}

void MainWindow::OnAddFilesToProject()
{
    ProjectTree *tree = fileView();
    if (!tree->isProjectOpen() || tree->isCleared())
        return;
    Prompter::FileRequest request;
    request.filter = kOpenFileFilter;
    request.confirmOverwrite = false;
    request.initialPath = tree->project()->folder();
    const std::vector<std::string> files = m_prompter.openFileNames(request);
    if (files.empty())
        return;
    const AddedFiles added = tree->project()->addFiles(files);
    for (const Outcome &refused : added.refused)
        tell(m_prompter, refused);
    tell(m_prompter, added.outcome);
    if (added.changed)
        tree->reload();
    m_uploadBlocked = false;
    updateProjectCommands();
}

void MainWindow::OnDeleteFileFromProject()
{
    fileView()->deleteSelected();
}

void MainWindow::openProjectEntry(const std::string &path)
{
    m_context.currentFile = path;
    std::string error;
    if (!OpenDocumentFile(path, &error)) {
        m_prompter.message(error, Prompter::Icon::Stop);
        return;
    }
    if (DocumentWindow *child = activeChildFrame())
        child->document().setFileKind(m_newFileKind);
}

} // namespace tess
