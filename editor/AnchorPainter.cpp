#include "editor/AnchorPainter.h"

#include "editor/ElementPainting.h"

#include <QPainter>

namespace tess {

DesignRect AnchorPainter::Paint(QPainter &painter, const DesignRect &given,
                                const PaintSubject &subject)
{
    const std::string text = shownText(std::string(subject.words));
    FontChoice choice;
    choice.underline = true;
    painter.save();
    painter.setFont(makeElementFont(choice));
    // A link stands on one line, as wide as its words in this font: wrapped
    // at the given width, its later words would fall below the anchor.
    const DesignRect measured = measureText(painter, given, text, Wrap::Never);
    // The rectangle follows the words alone, not the given right, so that
    // storing it back does not widen the anchor on every repaint.
    const DesignRect covered {given.left, given.top, measured.right + measured.height(),
                              given.bottom};
    // Nothing spills onto what lies below the anchor.
    painter.setClipRect(QRect(covered.left, covered.top, covered.width(), covered.height()),
                        Qt::IntersectClip);
    drawCaption(painter, measured, text, Wrap::Never);
    painter.restore();
    return covered;
}

} // namespace tess
