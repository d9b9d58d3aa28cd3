#pragma once

#include "editor/DocumentTexts.h"

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

// Tab images are cut from a strip, this wide each, green marking what is
// transparent.
inline constexpr int kTabImageWidth = 16;

// Texts.
inline constexpr const char *kMainFrameTitle = "Tessarine 2.0";
inline constexpr const char *kAppName = "Tessarine";
inline constexpr const char *kWorkspaceCaption = "Workspace";
inline constexpr const char *kOutputCaption = "Output";
inline constexpr const char *kProjectTabLabel = "Project";
inline constexpr const char *kOutputTabLabel = "Output";
inline constexpr const char *kLineColumnInitial = "Ln 0 Col 0  ";
inline constexpr const char *kClockInitial = "00:00:00";
inline constexpr const char *kCapsLockIndicator = "CAP";
inline constexpr const char *kNumLockIndicator = "NUM";
inline constexpr const char *kScrollLockIndicator = "SCRL";
inline constexpr const char *kUnableToLoadIcon = "Unable to load Icon";
inline constexpr const char *kAboutText = "Tessarine 2.0";
inline constexpr const char *kAboutCaption = "About Tessarine";

// Menu texts.
inline constexpr const char *kMenuFile = "&File";
inline constexpr const char *kMenuView = "&View";
inline constexpr const char *kMenuHelp = "&Help";
inline constexpr const char *kMenuExit = "E&xit";
inline constexpr const char *kMenuStatusBar = "&Status Bar";
inline constexpr const char *kMenuWorkspaceWindow = "&Workspace Window";
inline constexpr const char *kMenuOutputWindow = "&Output Window";
inline constexpr const char *kMenuAbout = "&About Tessarine";
inline constexpr const char *kMenuNewFile = "&New File";
inline constexpr const char *kMenuNewAsp = "ASP";
inline constexpr const char *kMenuNewJsp = "JSP";
inline constexpr const char *kMenuNewWml = "WML";
inline constexpr const char *kMenuOpenFile = "&Open File\tCtrl+O";
inline constexpr const char *kMenuCloseFile = "&Close File";
inline constexpr const char *kMenuSave = "&Save\tF2";
inline constexpr const char *kPromptSave = "Saves a WML file\nSave";
inline constexpr const char *kMenuRecentFile = "Recent File";
inline constexpr const char *kMenuTools = "&Tools";
inline constexpr const char *kMenuCompile = "&Compile\tF5";
inline constexpr const char *kPromptCompile = "Compiles the WML code\nCompile";
inline constexpr const char *kMenuWindow = "&Window";
inline constexpr const char *kMenuCascade = "&Cascade";
inline constexpr const char *kMenuTileHorizontally = "Tile &Horizontally";
inline constexpr const char *kMenuTileVertically = "Tile &Vertically";
inline constexpr const char *kMenuArrangeIcons = "&Arrange Icons";
inline constexpr const char *kMenuWmlControlsBar = "W&ML Controls Bar";
inline constexpr const char *kMenuWmlControls = "W&ML Controls";
inline constexpr const char *kWmlControlsCaption = "Designing";
inline constexpr const char *kMenuAnchor = "Anchor";
inline constexpr const char *kMenuSelect = "Select";
inline constexpr const char *kMenuInput = "Input";
inline constexpr const char *kMenuText = "Text";
inline constexpr const char *kMenuOption = "Option";
inline constexpr const char *kMenuImage = "Image";
inline constexpr const char *kMenuOptgroup = "Optgroup";
inline constexpr const char *kMenuCard = "Card";
inline constexpr const char *kMenuPara = "Para";
inline constexpr const char *kButtonAspTag = "ASP tag";
inline constexpr const char *kButtonJspTag = "JSP tag";
inline constexpr const char *kButtonDeselect = "Deselect";
inline constexpr const char *kButtonPreview = "preview in Tessarine Emulator";
// Status prompts of the WML controls, "status\ntooltip" as the others.
inline constexpr const char *kPromptAnchor = "Inserts an Anchor\n Anchor";
inline constexpr const char *kPromptSelect = "Inserts a select control\nSelect";
inline constexpr const char *kPromptInput = "Inserts an input box\nInput";
inline constexpr const char *kPromptText = "Inserts text\nText";
inline constexpr const char *kPromptOption = "Inserts an option control\nOption";
inline constexpr const char *kPromptImage = "Insert an image\nImage";
inline constexpr const char *kPromptOptgroup = "Inserts an optgroup control\nOptgroup";
inline constexpr const char *kPromptAspTag = "Inserts an ASP tag\nASP tag";
inline constexpr const char *kPromptJspTag = "Inserts a JSP tag\nJSP tag";
inline constexpr const char *kPromptCard = "Insert a Card\nCard";
inline constexpr const char *kPromptPara = "Insert a Para\nPara";

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
