#pragma once

#include <QRgb>

namespace tess {

// Numbers and sizes of the design surface.

// Private messages between a document's windows. Here they travel as
// signals of the document; the numbers name them.
inline constexpr int WM_CARDLIST_REFRESH = 1214; // to the card list: refresh from the file
inline constexpr int WM_ALIGN_ALL = 1224; // to the design view: lay the card out again
inline constexpr int WM_ARM_CONTROL = 1234;
inline constexpr int WM_DISARM_CONTROL = 1235;
// Escape in the design view goes to the main frame as WM_LEAVE_FULLSCREEN
// (1028, shell/ShellConstants.h).

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

// Colours of the bump frame drawn round a selected element: a raised outer
// edge and a sunken inner one.
inline constexpr QRgb kEdgeHighlight = qRgb(255, 255, 255);
inline constexpr QRgb kEdgeLight = qRgb(227, 227, 227);
inline constexpr QRgb kEdgeShadow = qRgb(160, 160, 160);
inline constexpr QRgb kEdgeDarkShadow = qRgb(105, 105, 105);

// The word text children of new options and anchors carry.
inline constexpr const char *kOptionWords = "Option";

} // namespace tess
