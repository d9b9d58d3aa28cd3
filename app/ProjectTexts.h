#pragma once

// Texts of projects: the messages, menus and dialogs, as the user sees them.
namespace tess {

// Messages, each in an OK box.
inline constexpr const char *kEnterProjectName = "Enter a project name";
inline constexpr const char *kProjectNameStartsWithDigit
    = "First Character in a new project cannot be a number, it must be an Alphabet";
inline constexpr const char *kEnterProjectPath = "Enter the project Path";
inline constexpr const char *kInvalidProjectPath = "Enter a Valid Project Path";
inline constexpr const char *kProjectNotCreated
    = "Could not create project, either the directory already exists or the Project path is "
      "invalid. Enter a valid path";
inline constexpr const char *kProjectFileNotCreated = "Error in creating WPG File";
inline constexpr const char *kProjectFileNotOpened = "Error in opening WPG File";
inline constexpr const char *kNotAProjectFile = "It is not a valid WPG File";
inline constexpr const char *kCorruptedProjectFile
    = "Corrupted or Invalid wpg File - Cannot be loaded";
// Follows "The File " and the entry, after one space.
inline constexpr const char *kAlreadyInProject = "is already in the project it will not be added";
inline constexpr const char *kInvalidFolderSelected = "Invalid Folder Selected..\nOperation Failed";

// Dialogs.
inline constexpr const char *kNewProjectTitle = "New Project";
inline constexpr const char *kProjectNameLabel = "Project &Name";
inline constexpr const char *kProjectLocationLabel = "Project &Location";
inline constexpr const char *kProjectPathBrowse = ".&..";
inline constexpr const char *kProjectDialogOk = "&OK";
inline constexpr const char *kProjectDialogCancel = "&Cancel";
inline constexpr const char *kProjectPathBrowserTitle = "Select the Project Path";
inline constexpr const char *kProjectFileFilter = "WPG Files (*.wpg)|*.wpg||";
inline constexpr const char *kProjectFileExtension = ".wpg";

// Menus: the frame's menu of its own, its commands, then the project tree's context menu.
inline constexpr const char *kProjectMenu = "&Project";
inline constexpr const char *kNewProjectMenu = "New &Project";
inline constexpr const char *kOpenProjectMenu = "Open P&roject";
inline constexpr const char *kCloseProjectMenu = "Close Proj&ect";
inline constexpr const char *kAddFilesMenu = "&Add Files to Project";
inline constexpr const char *kDeleteFileMenu = "&Delete File from Project";
inline constexpr const char *kTreeAddFile = "&Add a File ";
inline constexpr const char *kTreeOpenFile = "Open &File";
inline constexpr const char *kTreeDeleteFile = "&Delete File";
inline constexpr const char *kTreeOpenProject = "&Open Project";
inline constexpr const char *kTreeCloseProject = "Close &Project";

} // namespace tess
