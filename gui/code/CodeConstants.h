#pragma once

#include <QtGlobal>

namespace tess {

// The Edit menu, which works on the code view.
inline constexpr const char *kMenuEdit = QT_TRANSLATE_NOOP("tess", "&Edit");
inline constexpr const char *kMenuUndo = QT_TRANSLATE_NOOP("tess", "&Undo\tCtrl+Z");
inline constexpr const char *kMenuRedo = QT_TRANSLATE_NOOP("tess", "&Redo\tCtrl+Y");
inline constexpr const char *kMenuCut = QT_TRANSLATE_NOOP("tess", "Cu&t\tCtrl+X");
inline constexpr const char *kMenuCopy = QT_TRANSLATE_NOOP("tess", "&Copy\tCtrl+C");
inline constexpr const char *kMenuPaste = QT_TRANSLATE_NOOP("tess", "&Paste\tCtrl+V");
inline constexpr const char *kMenuSelectAll = QT_TRANSLATE_NOOP("tess", "&Select All\tCtrl+A");
inline constexpr const char *kMenuFind = QT_TRANSLATE_NOOP("tess", "&Find");
inline constexpr const char *kMenuReplace = QT_TRANSLATE_NOOP("tess", "Find And &Replace");
inline constexpr const char *kPromptSelectAll
    = QT_TRANSLATE_NOOP("tess", "Selects the entire document\nSelect all");

// The caret pane of the status bar: line from 1, column from 1.
inline constexpr const char *kCaretStatusFormat = QT_TRANSLATE_NOOP("tess", "Ln %d Cl %d");

// Code view font size in points.
inline constexpr int kEditorFontPoints = 10;
// Tab stops every fifth of an inch.
inline constexpr double kEditorTabStopInches = 0.2;

// The Code tab's index in the document's tab window.
inline constexpr int kCodeTabIndex = 1;

// Find and replace windows: captions and the texts of their controls.
inline constexpr const char *kFindCaption = QT_TRANSLATE_NOOP("tess", "Find");
inline constexpr const char *kReplaceCaption = QT_TRANSLATE_NOOP("tess", "Replace");
inline constexpr const char *kFindWhatLabel = QT_TRANSLATE_NOOP("tess", "Fi&nd what:");
inline constexpr const char *kReplaceWithLabel = QT_TRANSLATE_NOOP("tess", "Re&place with:");
inline constexpr const char *kMatchWholeWord = QT_TRANSLATE_NOOP("tess", "Match &whole word only");
inline constexpr const char *kMatchCase = QT_TRANSLATE_NOOP("tess", "Match &case");
inline constexpr const char *kDirectionGroup = QT_TRANSLATE_NOOP("tess", "Direction");
inline constexpr const char *kDirectionUp = QT_TRANSLATE_NOOP("tess", "&Up");
inline constexpr const char *kDirectionDown = QT_TRANSLATE_NOOP("tess", "&Down");
inline constexpr const char *kFindNextButton = QT_TRANSLATE_NOOP("tess", "&Find Next");
inline constexpr const char *kReplaceButton = QT_TRANSLATE_NOOP("tess", "&Replace");
inline constexpr const char *kReplaceAllButton = QT_TRANSLATE_NOOP("tess", "Replace &All");
inline constexpr const char *kCancelButton = QT_TRANSLATE_NOOP("tess", "Cancel");
// Under the fields when a search finds nothing; %1 is the text looked for.
inline constexpr const char *kNotFoundFormat = QT_TRANSLATE_NOOP("tess", "Cannot find \"%1\"");

} // namespace tess
