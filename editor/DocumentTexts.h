#pragma once

// Texts a document shows when it asks for a file name or whether to save.
namespace tess {

// The file dialogs of Open File and Save As.
inline constexpr const char *kOpenFileFilter
    = "WML Files (*.wml)|*.wml|ASP Files (*.asp)|*.asp|JSP Files (*.jsp)|*.jsp|";
inline constexpr const char *kAspFileFilter = "ASP Files (*.asp)|*.asp|";
inline constexpr const char *kJspFileFilter = "JSP Files (*.jsp)|*.jsp|";
inline constexpr const char *kSaveAsTitle = "Save As";
inline constexpr const char *kDefaultExtension = "wml";
// The save prompt: the prefix, the document's title, the suffix.
inline constexpr const char *kSaveChangesPrefix = "Save changes to ";
inline constexpr const char *kSaveChangesSuffix = "?";
inline constexpr const char *kOpenFileTitle = "Open";

} // namespace tess
