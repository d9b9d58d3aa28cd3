#pragma once

#include "deck/DesignRect.h"
#include "deck/Element.h"

#include <QFont>
#include <QRgb>

#include <string>
#include <string_view>

class QImage;
class QPainter;
class QPaintDevice;

namespace tess {

// Looks shared by the painters of the element kinds.

// The elements' font; where it is not installed the system's sans-serif face
// takes its place. The pixel size stands in for the family's default height.
inline constexpr const char *kElementFontFamily = "MS Sans Serif";
inline constexpr int kDefaultFontPixelSize = 11;

inline constexpr QRgb kCanvasColour = qRgb(140, 175, 155);
inline constexpr QRgb kCaptionColour = qRgb(0, 0, 0);
inline constexpr QRgb kFrameLightColour = qRgb(120, 240, 175);
inline constexpr QRgb kFrameShadowColour = qRgb(120, 120, 120);
inline constexpr QRgb kInputOutlineColour = qRgb(160, 160, 160);
inline constexpr QRgb kInputFillColour = qRgb(240, 240, 240);

inline constexpr const char *kDefaultInputCaption = "Title";
inline constexpr const char *kDefaultSelectCaption = "Select";
inline constexpr const char *kDefaultOptgroupCaption = "Optgroup";
inline constexpr const char *kDefaultOptionCaption = "Option";
inline constexpr const char *kTextPlaceholder = "Text";

inline constexpr int kInputBoxGap = 10;
inline constexpr int kInputBoxWidth = 90;
inline constexpr int kInputBoxHeight = 25;
inline constexpr int kGroupCaptionDx = 3;
inline constexpr int kGroupCaptionDy = 2;
inline constexpr int kLabelInset = 5;
inline constexpr int kPlaceholderWidth = 115;
inline constexpr int kPlaceholderHeight = 55;
// The option mark stays inside x 8..14, y 5..15 of the option's corner; the
// caption is drawn after it so the two never overlap.
inline constexpr int kOptionMarkLeft = 8;
inline constexpr int kOptionMarkTop = 7;
inline constexpr int kOptionMarkSize = 6;
inline constexpr int kOptionCaptionIndent = 18;

// The icons drawn for images without a picture and for code blocks.
enum class ElementIcon { ImagePlaceholder, AspCode, JspCode };
inline constexpr int kIconSize = 32;

// A font as a painter asks for it. height follows the platform's rule:
// 0 the default, above 0 the cell height, below 0 minus the character height.
struct FontChoice
{
    bool italic = false;
    int weight = 400;
    bool underline = false;
    int height = 0;
    friend bool operator==(const FontChoice &, const FontChoice &) = default;
};

// The font of a text element, chosen from the formatting tags anywhere in its
// label (the concatenated fragments of the text chain).
FontChoice labelFontChoice(const std::string &label);
QFont makeElementFont(const FontChoice &choice = {});

// Text as a phone shows it: every run of blanks, tabs and line breaks one
// space, none at either end. Text read back from the indented source form
// would otherwise draw its line breaks and indentation on the canvas.
std::string shownText(const std::string &s);
// The trimmed title attribute, or fallback when it is missing or empty.
std::string titleCaption(const Element &element, const char *fallback);
// The picture an image shows: src, else localsrc (src decides even when
// empty), trimmed, and made absolute when the file lies in `folder`.
std::string PicturePath(const Element &image, std::string_view folder);
// What a text element shows: the words after the last tag, entities for the
// angle brackets turned back, blanks as shownText leaves them.
std::string labelCaption(const std::string &label);

// Captions wrap at their rectangle's width (a longer word widens it), or
// stand on one line whatever its width.
enum class Wrap { AtWidth, Never };

// The one place text is measured: the rectangle text needs when laid out from
// the corner of `in`. Returns in's corner with right and bottom moved to fit.
DesignRect measureText(const QFont &font, const QPaintDevice *device, const DesignRect &in,
                       const std::string &text, Wrap wrap = Wrap::AtWidth);
DesignRect measureText(const QPainter &painter, const DesignRect &in, const std::string &text,
                       Wrap wrap = Wrap::AtWidth);
// Draws text laid out as measureText did, on the canvas colour, in the
// painter's pen.
void drawCaption(QPainter &painter, const DesignRect &measured, const std::string &text,
                 Wrap wrap = Wrap::AtWidth);

// The icon's picture, loaded once; a null image when it is missing.
const QImage &elementIcon(ElementIcon icon);
// Draws the icon at given's corner; returns the 32 x 32 box it covers.
DesignRect paintIcon(QPainter &painter, const DesignRect &given, ElementIcon icon);

// Top and left edges light, bottom and right dark; right and bottom are
// outside the rectangle.
void draw3dFrame(QPainter &painter, const DesignRect &r, QRgb topLeft, QRgb bottomRight);

// The painter shared by selects and option groups.
DesignRect paintGroup(QPainter &painter, const DesignRect &given, const std::string &caption);
// The width a select sizes its children by: the caption's width plus its
// height, measured 3 right of and 2 below given's corner.
int measureCaptionWidth(const QPaintDevice *device, const DesignRect &given,
                        const std::string &caption);

} // namespace tess
