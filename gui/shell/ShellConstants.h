#pragma once

#include <cstdint>

#include "editor/DocumentTexts.h"

// Resource, command and message numbers of the application shell, and the
// texts it shows. The numbers are the design's; where the framework had a
// standard command its number is kept so that the ids never collide.
namespace tess {

// Resources.
inline constexpr int IDR_MAINFRAME = 128; // main frame, its menu and toolbar
inline constexpr int IDR_BERTHTYPE = 129; // the document type and its menu
inline constexpr int IDB_WORKSPACE = 130; // tab images of the Workspace bar
inline constexpr int IDB_OUTPUT = 153; // tab images of the Output bar
inline constexpr int IDD_ABOUTBOX = 100;

// Framework commands.
inline constexpr int ID_APP_ABOUT = 0xE140;
inline constexpr int ID_APP_EXIT = 0xE141;
inline constexpr int ID_VIEW_TOOLBAR = 0xE800;
inline constexpr int ID_VIEW_STATUS_BAR = 0xE801;

// File commands; Open, Close, Save and the recent files keep the
// framework's numbers.
inline constexpr int ID_FILE_OPEN = 0xE101;
inline constexpr int ID_FILE_CLOSE = 0xE102;
inline constexpr int ID_FILE_SAVE = 0xE103;
inline constexpr int ID_FILE_MRU_FILE1 = 0xE110; // the first of four
inline constexpr int ID_FILE_NEW_ASP = 32771;
inline constexpr int ID_FILE_NEW_JSP = 32772;
inline constexpr int ID_FILE_NEW_WML = 32773;

// Window menu commands, with the framework's numbers.
inline constexpr int ID_WINDOW_ARRANGE = 0xE130;
inline constexpr int ID_WINDOW_CASCADE = 0xE132;
inline constexpr int ID_WINDOW_TILE_HORZ = 0xE133;
inline constexpr int ID_WINDOW_TILE_VERT = 0xE134;

// Not 32795 nor 32793: those are Image and Select of the WML controls.
inline constexpr int ID_TOOLS_COMPILE = 32796;

// Commands of the docking bars; also the bars' own identifiers.
inline constexpr int ID_VIEW_WORKSPACE = 32792;
inline constexpr int ID_VIEW_OUTPUT = 32794;

// The WML controls: the W&ML Controls menu and the "Designing" bar (resource
// 177), carried out by the active document's frame. ASP tag and JSP tag keep
// the numbers of their icons.
inline constexpr int IDR_WMLCONTROLS = 177;
inline constexpr int ID_WML_ANCHOR = 32877;
inline constexpr int ID_WML_SELECT = 32793;
inline constexpr int ID_WML_INPUT = 32862;
inline constexpr int ID_WML_TEXT = 32863;
inline constexpr int ID_WML_OPTION = 32864;
inline constexpr int ID_WML_IMAGE = 32795;
inline constexpr int ID_WML_OPTGROUP = 32933;
inline constexpr int ID_WML_ASP_TAG = 219;
inline constexpr int ID_WML_JSP_TAG = 221;
inline constexpr int ID_WML_CARD = 32960;
inline constexpr int ID_WML_PARA = 32961;
inline constexpr int ID_WML_DESELECT = 32972;
inline constexpr int ID_WML_PREVIEW = 32973;
inline constexpr int ID_VIEW_WML_CONTROLS = 32974;

// Private messages to the main frame.
inline constexpr int WM_FILEVIEW_FORWARD = 1027; // passed on to the project tree
inline constexpr int WM_LEAVE_FULLSCREEN = 1028;
inline constexpr int WM_ADD_FILES_TO_PROJECT = 1244;

// Qt resource paths of the bitmaps and icons above.
inline constexpr const char *kWorkspaceTabImages = ":/icons/bitmap130.xpm";
inline constexpr const char *kOutputTabImages = ":/icons/bitmap153.xpm";
inline constexpr const char *kImageIconResource = ":/icons/icon205.xpm";
inline constexpr const char *kProgramIconResource = ":/icons/tessarine.xpm";
// The Designing bar's buttons, one strip in the bar's order, and the code
// block icons its ASP and JSP tag buttons show.
inline constexpr const char *kWmlControlsStrip = ":/icons/bitmap177.xpm";
inline constexpr const char *kAspTagIconResource = ":/icons/icon219.xpm";
inline constexpr const char *kJspTagIconResource = ":/icons/icon221.xpm";
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
inline constexpr const char *kUnableToInitialize = "Unable to Initialize";
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
