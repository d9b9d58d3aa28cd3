#pragma once

#include <QRgb>

#include <string_view>

namespace tess {

// Sizes and texts of the design surface.

// The canvas: (0, 0)-(32500, 32500), outlined by a one-pixel black pen.
inline constexpr int kCanvasExtent = 32500;

// Panes of the Design tab's splitter.
inline constexpr int kCardListPaneWidth = 150;
inline constexpr int kDesignPaneWidth = 100;

// The view's scroll size when it is first shown.
inline constexpr int kInitialScrollSize = 10;

// Select painting: the smallest caption measure each kind counts with.
inline constexpr int kSelectMinMeasure = 97;
inline constexpr int kOptionMinMeasure = 72;
inline constexpr int kOptgroupMinMeasure = 82;
// Extra width on the measured caption: a child of the select, an option of
// an option group.
inline constexpr int kCaptionPad = 3;
inline constexpr int kGroupedOptionPad = 37;
// Gap kept below and right of the children; a select is never shorter.
inline constexpr int kGroupGap = 5;
inline constexpr int kSelectMinHeight = 125;
// Stacking inside a select: rows of options, the box of an option group.
inline constexpr int kStackFirstRow = 20;
inline constexpr int kOptionRowHeight = 20;
inline constexpr int kOptgroupHeight = 80;
inline constexpr int kStackIndent = 5;
// An option group grows past this many options.
inline constexpr int kOptgroupRowsBeforeGrowth = 3;

// Align All: the column's corner, the gap between controls, and the scroll
// height's margin below the last one.
inline constexpr int kAlignMargin = 10;
inline constexpr int kAlignGap = 10;
inline constexpr int kAlignScrollMargin = 3;

// The design surface's context menu.
inline constexpr std::string_view DesignDeleteMenuText = "&Delete";
inline constexpr std::string_view DesignAlignAllMenuText = "&Align All";
inline constexpr std::string_view DesignPropertiesMenuText = "&Properties";

// Controls inserted on the canvas: their fragments.
inline constexpr std::string_view NewInputFragment
    = "<input name=\"x\" title=\"\" type=\"text\" emptyok=\"false\" />";
inline constexpr std::string_view NewSelectFragment = "<select multiple=\"false\" ivalue=\"1\" >";
inline constexpr std::string_view NewOptionFragment = "<option >";
inline constexpr std::string_view NewOptgroupFragment = "<optgroup >";
inline constexpr std::string_view NewAnchorFragment = "<a href=\"\" >";
inline constexpr std::string_view NewImageFragmentHead = "<img alt=\"\" src=\"";
inline constexpr std::string_view NewImageFragmentTail
    = "\" vspace=\"0\" hspace=\"0\" align=\"bottom\" >";
inline constexpr std::string_view NewAspFragment = "Type Your ASP code Here";
inline constexpr std::string_view NewJspFragment = "Type Your JSP code Here";
// A new select asks which kind of child it starts with.
inline constexpr std::string_view SelectChoiceQuestion
    = "Do you want Select with Option or Optgroup ?\nChoose Yes for Option and No for Optgroup.";
inline constexpr std::string_view SelectChoiceCaption = "Enter choice";
// A new image asks for its picture; only a path naming a Wireless Bitmap is
// taken.
inline constexpr std::string_view WbmpFilter = "Wireless Bitmap(*.wbmp)|*.wbmp||";
inline constexpr std::string_view WbmpMarker = ".wbmp";

// Where options and option groups may go, and what may not be deleted.
inline constexpr std::string_view OptionOnlyInSelectMessage
    = "Option can be placed only inside Select";
inline constexpr std::string_view OptionInSelectOrGroupMessage
    = "Option can be placed inside Select or Optgroup";
inline constexpr std::string_view OptgroupOnlyInSelectMessage
    = "Optgroup can be placed only inside Select";
inline constexpr std::string_view LastOptionOfSelectMessage
    = "Select must have atleast one Option. Delete Select if you want to delete all";
inline constexpr std::string_view LastOptionOfGroupMessage
    = "Cannot delete this item. Optgroup cannot be empty.";
inline constexpr std::string_view LastGroupOfSelectMessage
    = "Select must have atleast one Optgroup. Delete Select if you want to delete all";
inline constexpr std::string_view LastGroupOfGroupMessage
    = "Cannot delete this item. Optgroup cannot be empty";

// Scroll size after edits: the margins an inserted or moved element gets
// right and below, the size once every inserted control is deleted again,
// and the margin a shrink leaves round the controls.
inline constexpr int kScrollGrowRight = 10;
inline constexpr int kScrollGrowBottom = 1;
inline constexpr int kEmptyScrollSize = 24;
inline constexpr int kShrinkMargin = 14;

// Restacking after a delete: the narrowest option, and the size past which a
// select keeps its height and width from its children.
inline constexpr int kRestackOptionMinWidth = 75;
inline constexpr int kSelectNarrowWidth = 155;

// Colours of the bump frame drawn round a selected element: a raised outer
// edge and a sunken inner one.
inline constexpr QRgb kEdgeHighlight = qRgb(255, 255, 255);
inline constexpr QRgb kEdgeLight = qRgb(227, 227, 227);
inline constexpr QRgb kEdgeShadow = qRgb(160, 160, 160);
inline constexpr QRgb kEdgeDarkShadow = qRgb(105, 105, 105);

// The word text children of new options and anchors carry.
inline constexpr const char *kOptionWords = "Option";

// Titles of the property dialogs.
inline constexpr std::string_view InputDialogTitle = "Input Properties";
inline constexpr std::string_view SelectDialogTitle = "Select";
inline constexpr std::string_view OptionDialogTitle = "Option";
inline constexpr std::string_view OptgroupDialogTitle = "Optgroup Properties";
inline constexpr std::string_view AnchorDialogTitle = "A Element";
inline constexpr std::string_view ImageDialogTitle = "Image";
inline constexpr std::string_view TextDialogTitle = "Text";
inline constexpr std::string_view CodeEditorDialogTitle = "CodeEditor";

// Messages of the field input rules, shared by the element dialogs and the
// card property sheet.
inline constexpr std::string_view SelectNameMessage
    = "Name is Alpha Numeric, no Special Characters are allowed";
inline constexpr std::string_view SelectTitleMessage
    = "Title is Alpha Numeric, no Special Characters are allowed";
inline constexpr std::string_view TabIndexMessage
    = "TabIndex is Numeric, no Characters are allowed";
inline constexpr std::string_view IdLeadingDigitMessage
    = "First Character in an ID cannot be a number, it must be an Alphabet";
inline constexpr std::string_view IdCharactersMessage
    = "ID is Alpha Numeric, no Special Characters or empty spaces are allowed";
inline constexpr std::string_view InputNameMissingMessage
    = "Name is essential please enter the name";
inline constexpr std::string_view IllegalCharacterMessage = "Illegal Character encountered.";
inline constexpr std::string_view NameCharactersMessage
    = "No Special Characters or empty spaces are allowed in Name";
inline constexpr std::string_view TimerValueMissingMessage = "Enter value for timer";

// The Input dialog's Format list; the value written is the entry's part from
// the asterisk.
inline constexpr std::string_view InputFormatEntries[]
    = {"Default *M", "Numeric Character  *N", "Upper Case Alphabetic  *A",
       "Lower Case Alphabetic  *a"};

// Words given to an element whose text is left empty.
inline constexpr std::string_view DefaultAnchorWords = "Anchor";
inline constexpr std::string_view DefaultTextWords = "Text";

// A Text control's chain: its style elements and the break that follows it.
inline constexpr std::string_view EmphasisFragment = "<em >";
inline constexpr std::string_view BoldFragment = "<b >";
inline constexpr std::string_view StrongFragment = "<strong >";
inline constexpr std::string_view UnderlineFragment = "<u >";
inline constexpr std::string_view ItalicFragment = "<i >";
inline constexpr std::string_view BigFragment = "<big >";
inline constexpr std::string_view SmallFragment = "<small >";
inline constexpr std::string_view LineBreakFragment = "<br >";

// The code block dialog: what an empty block shows, and what an emptied one
// becomes. The two differ in one capital on purpose; both are kept.
inline constexpr std::string_view CodeBlockPlaceholder = "Type your ASP code Here";
inline constexpr std::string_view CodeBlockEmptiedText = "Type your ASP code here";

} // namespace tess
