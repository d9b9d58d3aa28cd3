#pragma once

#include "deck/DesignRect.h"
#include "deck/Element.h"

#include <string_view>

class QPainter;
class QPaintDevice;

namespace tess {

// What a painter draws from: the element, for what its start tag says (a
// title, a picture), and the words it shows, which the caller gathers from
// its children (a text's label, an anchor's or option's words). Relative
// picture paths are looked for in `folder` first.
struct PaintSubject
{
    const Element &element;
    std::string_view words;
    std::string_view folder;
};

// How one kind of element is drawn on the canvas.
struct ElementPainter
{
    // Draws at `given`; returns the rectangle the drawing covers.
    DesignRect (*paint)(QPainter &painter, const DesignRect &given, const PaintSubject &subject);
    // The caption's width plus its height, by which a select sizes itself
    // and its children; null for the kinds a select never measures.
    int (*measure)(const QPaintDevice *device, const DesignRect &given,
                   const PaintSubject &subject);
};

// The painter of a kind; null for kinds that are not drawn.
//   Input     the title ("Title" when it has none) and a 90 x 25 box 10
//             pixels after it, 25 high in all.
//   Select    the title ("Select") inside a 3-D frame round the given
//             rectangle, widened to fit the title.
//   Optgroup  drawn like a select, with "Optgroup" for a missing title.
//   Option    an option mark and the words ("Option" when there are none),
//             the given rectangle widened by the text's height.
//   Text      one label for a text and its chain of formatting children: the
//             words after the last tag, in the font the tags ask for; the
//             placeholder "Text" gets a 115 x 55 box of its own.
//   Anchor    its underlined words on one line.
//   Image     the Wireless Bitmap its picture path names, at its own size, or
//             the placeholder icon in a 32 x 32 box when there is none to
//             show.
//   Asp, Jsp  the code block's 32 x 32 icon.
const ElementPainter *PainterOf(ElementKind kind);

// The painter of the element's kind; kinds that are not drawn get given
// back.
DesignRect paintElement(QPainter &painter, const DesignRect &given, const PaintSubject &subject);
// The measure of the element's kind; 0 for kinds without one.
int measureElement(const QPaintDevice *device, const DesignRect &given,
                   const PaintSubject &subject);

} // namespace tess
