#pragma once

#include "editor/DocumentTexts.h"

#include <QtGlobal>

// The texts, images and sizes of the application shell.
namespace tess {

// Qt resource paths of the images.
inline constexpr const char *kWorkspaceTabImages = ":/icons/project-tab.xpm";
inline constexpr const char *kOutputTabImages = ":/icons/output-tab.xpm";
inline constexpr const char *kImageIconResource = ":/icons/image-placeholder.xpm";
inline constexpr const char *kProgramIconResource = ":/icons/tessarine.xpm";
// The Designing bar's buttons, one strip in the bar's order, and the code
// block icons its ASP and JSP tag buttons show.
inline constexpr const char *kWmlControlsStrip = ":/icons/controls-bar.xpm";
inline constexpr const char *kAspTagIconResource = ":/icons/asp-tag.xpm";
inline constexpr const char *kJspTagIconResource = ":/icons/jsp-tag.xpm";
inline constexpr int kWmlControlsButtonSize = 24;
// Main toolbar images that the style does not offer.
inline constexpr const char *kCutIconResource = ":/icons/cut.xpm";
inline constexpr const char *kCopyIconResource = ":/icons/copy.xpm";
inline constexpr const char *kPasteIconResource = ":/icons/paste.xpm";
inline constexpr const char *kPrintIconResource = ":/icons/print.xpm";

// Tab images are cut from a strip, this wide each, green marking what is
// transparent.
inline constexpr int kTabImageWidth = 16;

// Texts; the widgets show them through translated() (app/Translation.h).
inline constexpr const char *kMainFrameTitle = QT_TRANSLATE_NOOP("tess", "Tessarine 2.0");
inline constexpr const char *kAppName = QT_TRANSLATE_NOOP("tess", "Tessarine");
inline constexpr const char *kWorkspaceCaption = QT_TRANSLATE_NOOP("tess", "Workspace");
inline constexpr const char *kOutputCaption = QT_TRANSLATE_NOOP("tess", "Output");
inline constexpr const char *kProjectTabLabel = QT_TRANSLATE_NOOP("tess", "Project");
inline constexpr const char *kOutputTabLabel = QT_TRANSLATE_NOOP("tess", "Output");
inline constexpr const char *kLineColumnInitial = QT_TRANSLATE_NOOP("tess", "Ln 0 Col 0  ");
inline constexpr const char *kClockInitial = "00:00:00";
inline constexpr const char *kCapsLockIndicator = QT_TRANSLATE_NOOP("tess", "CAP");
inline constexpr const char *kNumLockIndicator = QT_TRANSLATE_NOOP("tess", "NUM");
inline constexpr const char *kScrollLockIndicator = QT_TRANSLATE_NOOP("tess", "SCRL");
inline constexpr const char *kUnableToLoadIcon = QT_TRANSLATE_NOOP("tess", "Unable to load Icon");
inline constexpr const char *kFeaturesCaption = QT_TRANSLATE_NOOP("tess", "Tessarine Features");
inline constexpr const char *kFeaturesOk = QT_TRANSLATE_NOOP("tess", "&OK");
inline constexpr const char *kAboutCaption = QT_TRANSLATE_NOOP("tess", "About Tessarine");

// Preview with no emulator to start.
inline constexpr const char *kEmulatorPathQuestion
    = QT_TRANSLATE_NOOP("tess",
                        "Emulator path is not set in the userprefernce \n\nDo you want to "
                        "set Emulator path now?  ");
inline constexpr const char *kErrorCaption = QT_TRANSLATE_NOOP("tess", "Error");

// The User Preference dialog.
inline constexpr const char *kPreferencesCaption = QT_TRANSLATE_NOOP("tess", "User Preference");
inline constexpr const char *kPreferencesCodeView = QT_TRANSLATE_NOOP("tess", "Code View");
inline constexpr const char *kPreferencesFont = QT_TRANSLATE_NOOP("tess", "&Font");
inline constexpr const char *kPreferencesTags = QT_TRANSLATE_NOOP("tess", "&Tags");
inline constexpr const char *kPreferencesComments = QT_TRANSLATE_NOOP("tess", "C&omments");
inline constexpr const char *kPreferencesAttributes = QT_TRANSLATE_NOOP("tess", "&Attributes");
inline constexpr const char *kPreferencesStrings = QT_TRANSLATE_NOOP("tess", "&Strings");
inline constexpr const char *kPreferencesDefaults = QT_TRANSLATE_NOOP("tess", "S&et Defaults");
inline constexpr const char *kPreferencesEmulator = QT_TRANSLATE_NOOP("tess", "Emulator Path");
inline constexpr const char *kPreferencesBrowse = QT_TRANSLATE_NOOP("tess", "&...");
inline constexpr const char *kPreferencesLocalDtd = QT_TRANSLATE_NOOP("tess", "Local &DTD Path");
inline constexpr const char *kPreferencesOk = QT_TRANSLATE_NOOP("tess", "&OK");
inline constexpr const char *kPreferencesCancel = QT_TRANSLATE_NOOP("tess", "&Cancel");
// Linux programs carry no extension; any file may be chosen, and one that
// cannot be run is refused.
inline constexpr const char *kEmulatorFileFilter = "Executables (*)|*|";
inline constexpr const char *kPreferencesNotAProgram
    = QT_TRANSLATE_NOOP("tess", "%1 is not a program that can be run.");
inline constexpr const char *kPreferencesFontMissing
    = QT_TRANSLATE_NOOP("tess", "\"%1\" is not installed: the code view uses %2.");

// The main toolbar's caption and buttons.
inline constexpr const char *kMainToolbarCaption = QT_TRANSLATE_NOOP("tess", "Toolbar");
inline constexpr const char *kButtonNew = QT_TRANSLATE_NOOP("tess", "New");
inline constexpr const char *kButtonOpenFile = QT_TRANSLATE_NOOP("tess", "Open File");
inline constexpr const char *kButtonSave = QT_TRANSLATE_NOOP("tess", "Save");
inline constexpr const char *kButtonPrint = QT_TRANSLATE_NOOP("tess", "Print");
inline constexpr const char *kButtonCut = QT_TRANSLATE_NOOP("tess", "Cut");
inline constexpr const char *kButtonCopy = QT_TRANSLATE_NOOP("tess", "Copy");
inline constexpr const char *kButtonPaste = QT_TRANSLATE_NOOP("tess", "Paste");
inline constexpr const char *kButtonWorkspaceWindow = QT_TRANSLATE_NOOP("tess", "Workspace Window");
inline constexpr const char *kButtonOutputWindow = QT_TRANSLATE_NOOP("tess", "Output Window");
inline constexpr const char *kButtonFullScreen = QT_TRANSLATE_NOOP("tess", "Full Screen");
inline constexpr const char *kButtonCompile = QT_TRANSLATE_NOOP("tess", "Compile");
inline constexpr const char *kButtonAbout = QT_TRANSLATE_NOOP("tess", "About");
inline constexpr const char *kButtonUpload = QT_TRANSLATE_NOOP("tess", "Upload");
inline constexpr const char *kButtonDownload = QT_TRANSLATE_NOOP("tess", "Download");
inline constexpr const char *kPromptFullScreen
    = QT_TRANSLATE_NOOP("tess", "Toggles Full Screen mode\nFull Screen");

// Menu texts.
inline constexpr const char *kMenuToolbar = QT_TRANSLATE_NOOP("tess", "&Toolbar");
inline constexpr const char *kMenuFile = QT_TRANSLATE_NOOP("tess", "&File");
inline constexpr const char *kMenuView = QT_TRANSLATE_NOOP("tess", "&View");
inline constexpr const char *kMenuHelp = QT_TRANSLATE_NOOP("tess", "&Help");
inline constexpr const char *kMenuExit = QT_TRANSLATE_NOOP("tess", "E&xit");
inline constexpr const char *kMenuStatusBar = QT_TRANSLATE_NOOP("tess", "&Status Bar");
inline constexpr const char *kMenuWorkspaceWindow = QT_TRANSLATE_NOOP("tess", "&Workspace Window");
inline constexpr const char *kMenuOutputWindow = QT_TRANSLATE_NOOP("tess", "&Output Window");
inline constexpr const char *kMenuFeatures = QT_TRANSLATE_NOOP("tess", "&Tessarine Features");
inline constexpr const char *kMenuAbout = QT_TRANSLATE_NOOP("tess", "&About Tessarine");
inline constexpr const char *kMenuNewFile = QT_TRANSLATE_NOOP("tess", "&New File");
inline constexpr const char *kMenuNewAsp = QT_TRANSLATE_NOOP("tess", "ASP");
inline constexpr const char *kMenuNewJsp = QT_TRANSLATE_NOOP("tess", "JSP");
inline constexpr const char *kMenuNewWml = QT_TRANSLATE_NOOP("tess", "WML");
inline constexpr const char *kMenuOpenFile = QT_TRANSLATE_NOOP("tess", "&Open File\tCtrl+O");
inline constexpr const char *kMenuCloseFile = QT_TRANSLATE_NOOP("tess", "&Close File");
inline constexpr const char *kMenuSave = QT_TRANSLATE_NOOP("tess", "&Save\tF2");
inline constexpr const char *kPromptSave = QT_TRANSLATE_NOOP("tess", "Saves a WML file\nSave");
inline constexpr const char *kMenuSaveAs = QT_TRANSLATE_NOOP("tess", "Save &As...");
inline constexpr const char *kMenuPrint = QT_TRANSLATE_NOOP("tess", "Prin&t");
inline constexpr const char *kMenuRecentFile = QT_TRANSLATE_NOOP("tess", "Recent File");
inline constexpr const char *kMenuTools = QT_TRANSLATE_NOOP("tess", "&Tools");
inline constexpr const char *kMenuCompile = QT_TRANSLATE_NOOP("tess", "&Compile\tF5");
inline constexpr const char *kPromptCompile
    = QT_TRANSLATE_NOOP("tess", "Compiles the WML code\nCompile");
inline constexpr const char *kMenuWindow = QT_TRANSLATE_NOOP("tess", "&Window");
inline constexpr const char *kMenuCascade = QT_TRANSLATE_NOOP("tess", "&Cascade");
inline constexpr const char *kMenuTileHorizontally
    = QT_TRANSLATE_NOOP("tess", "Tile &Horizontally");
inline constexpr const char *kMenuTileVertically = QT_TRANSLATE_NOOP("tess", "Tile &Vertically");
inline constexpr const char *kMenuArrangeIcons = QT_TRANSLATE_NOOP("tess", "&Arrange Icons");
inline constexpr const char *kMenuFullScreen = QT_TRANSLATE_NOOP("tess", "&Full Screen");
// The floating bar of full-screen mode, and the bars' context menu.
inline constexpr const char *kFullScreenBarCaption = QT_TRANSLATE_NOOP("tess", "Full Screen");
inline constexpr const char *kMenuInvokeEmulator
    = QT_TRANSLATE_NOOP("tess", "&Invoke The Emulator");
inline constexpr const char *kMenuUserPreference = QT_TRANSLATE_NOOP("tess", "&User Preference");
inline constexpr const char *kMenuUpload = QT_TRANSLATE_NOOP("tess", "Upload");
inline constexpr const char *kMenuDownload = QT_TRANSLATE_NOOP("tess", "Download");
inline constexpr const char *kMenuHelpTopics = QT_TRANSLATE_NOOP("tess", "Tessarine &Help\tF1");
// The help window and the message when the manual is not where it is looked
// for.
inline constexpr const char *kHelpWindowCaption = QT_TRANSLATE_NOOP("tess", "Tessarine Help");
inline constexpr const char *kHelpToolbarCaption = QT_TRANSLATE_NOOP("tess", "Navigation");
inline constexpr const char *kHelpBack = QT_TRANSLATE_NOOP("tess", "Back");
inline constexpr const char *kHelpForward = QT_TRANSLATE_NOOP("tess", "Forward");
inline constexpr const char *kHelpHome = QT_TRANSLATE_NOOP("tess", "Home");
inline constexpr const char *kPromptHelp
    = QT_TRANSLATE_NOOP("tess", "Opens the Tessarine manual\nTessarine Help");
inline constexpr const char *kHelpManualMissing
    = QT_TRANSLATE_NOOP("tess", "The Tessarine manual was not found: %1 does not exist.");
inline constexpr const char *kMenuWmlControlsBar = QT_TRANSLATE_NOOP("tess", "W&ML Controls Bar");
inline constexpr const char *kMenuWmlControls = QT_TRANSLATE_NOOP("tess", "W&ML Controls");
inline constexpr const char *kWmlControlsCaption = QT_TRANSLATE_NOOP("tess", "Designing");
inline constexpr const char *kMenuAnchor = QT_TRANSLATE_NOOP("tess", "Anchor");
inline constexpr const char *kMenuSelect = QT_TRANSLATE_NOOP("tess", "Select");
inline constexpr const char *kMenuInput = QT_TRANSLATE_NOOP("tess", "Input");
inline constexpr const char *kMenuText = QT_TRANSLATE_NOOP("tess", "Text");
inline constexpr const char *kMenuOption = QT_TRANSLATE_NOOP("tess", "Option");
inline constexpr const char *kMenuImage = QT_TRANSLATE_NOOP("tess", "Image");
inline constexpr const char *kMenuOptgroup = QT_TRANSLATE_NOOP("tess", "Optgroup");
inline constexpr const char *kMenuCard = QT_TRANSLATE_NOOP("tess", "Card");
inline constexpr const char *kMenuPara = QT_TRANSLATE_NOOP("tess", "Para");
inline constexpr const char *kButtonAspTag = QT_TRANSLATE_NOOP("tess", "ASP tag");
inline constexpr const char *kButtonJspTag = QT_TRANSLATE_NOOP("tess", "JSP tag");
inline constexpr const char *kButtonDeselect = QT_TRANSLATE_NOOP("tess", "Deselect");
inline constexpr const char *kButtonPreview
    = QT_TRANSLATE_NOOP("tess", "preview in Tessarine Emulator");
// Status prompts of the WML controls, "status\ntooltip" as the others.
inline constexpr const char *kPromptAnchor
    = QT_TRANSLATE_NOOP("tess", "Inserts an Anchor\n Anchor");
inline constexpr const char *kPromptSelect
    = QT_TRANSLATE_NOOP("tess", "Inserts a select control\nSelect");
inline constexpr const char *kPromptInput
    = QT_TRANSLATE_NOOP("tess", "Inserts an input box\nInput");
inline constexpr const char *kPromptText = QT_TRANSLATE_NOOP("tess", "Inserts text\nText");
inline constexpr const char *kPromptOption
    = QT_TRANSLATE_NOOP("tess", "Inserts an option control\nOption");
inline constexpr const char *kPromptImage = QT_TRANSLATE_NOOP("tess", "Insert an image\nImage");
inline constexpr const char *kPromptOptgroup
    = QT_TRANSLATE_NOOP("tess", "Inserts an optgroup control\nOptgroup");
inline constexpr const char *kPromptAspTag
    = QT_TRANSLATE_NOOP("tess", "Inserts an ASP tag\nASP tag");
inline constexpr const char *kPromptJspTag
    = QT_TRANSLATE_NOOP("tess", "Inserts a JSP tag\nJSP tag");
inline constexpr const char *kPromptCard = QT_TRANSLATE_NOOP("tess", "Insert a Card\nCard");
inline constexpr const char *kPromptPara = QT_TRANSLATE_NOOP("tess", "Insert a Para\nPara");

inline constexpr const char *kNewDocumentName = "Tessarine";

inline constexpr int kRecentFileCount = 4;

// Size asked for by both docking bars (width when docked at a side, height
// when docked at the top or bottom).
inline constexpr int kBarRequestedWidth = 200;
inline constexpr int kBarRequestedHeight = 100;

inline constexpr int kClockIntervalMs = 1000;
// How long a passing word stays in the status bar.
inline constexpr int kStatusNoticeMs = 8000;

// Size of the window grabbed by --screenshot.
inline constexpr int kScreenshotWidth = 1280;
inline constexpr int kScreenshotHeight = 800;

} // namespace tess
