#pragma once

namespace tess {

// The Edit menu, which works on the code view.
inline constexpr const char *kMenuEdit = "&Edit";
inline constexpr const char *kMenuUndo = "&Undo\tCtrl+Z";
inline constexpr const char *kMenuRedo = "&Redo\tCtrl+Y";
inline constexpr const char *kMenuCut = "Cu&t\tCtrl+X";
inline constexpr const char *kMenuCopy = "&Copy\tCtrl+C";
inline constexpr const char *kMenuPaste = "&Paste\tCtrl+V";
inline constexpr const char *kMenuSelectAll = "&Select All\tCtrl+A";
inline constexpr const char *kMenuFind = "&Find";
inline constexpr const char *kMenuReplace = "Find And &Replace";
inline constexpr const char *kPromptSelectAll = "Selects the entire document\nSelect all";

// The caret pane of the status bar: line from 1, column from 1.
inline constexpr const char *kCaretStatusFormat = "Ln %d Cl %d";

// Code view font: size in points and the face used when the chosen one is
// not installed.
inline constexpr int kEditorFontPoints = 10;
inline constexpr const char *kEditorFallbackFace = "Arial";
// Tab stops every fifth of an inch.
inline constexpr double kEditorTabStopInches = 0.2;

// The Code tab's index in the document's tab window.
inline constexpr int kCodeTabIndex = 1;

// Find and replace windows: captions and the texts of their controls.
inline constexpr const char *kFindCaption = "Find";
inline constexpr const char *kReplaceCaption = "Replace";
inline constexpr const char *kFindWhatLabel = "Fi&nd what:";
inline constexpr const char *kReplaceWithLabel = "Re&place with:";
inline constexpr const char *kMatchWholeWord = "Match &whole word only";
inline constexpr const char *kMatchCase = "Match &case";
inline constexpr const char *kDirectionGroup = "Direction";
inline constexpr const char *kDirectionUp = "&Up";
inline constexpr const char *kDirectionDown = "&Down";
inline constexpr const char *kFindNextButton = "&Find Next";
inline constexpr const char *kReplaceButton = "&Replace";
inline constexpr const char *kReplaceAllButton = "Replace &All";
inline constexpr const char *kCancelButton = "Cancel";
// Under the fields when a search finds nothing; %1 is the text looked for.
inline constexpr const char *kNotFoundFormat = "Cannot find \"%1\"";

} // namespace tess
