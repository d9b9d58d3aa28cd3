#include "editor/TextPainter.h"

#include "editor/ElementPainting.h"

#include <QPainter>

namespace tess {

DesignRect TextPainter::Paint(QPainter &painter, const DesignRect &given,
                              const PaintSubject &subject)
{
    const std::string label(subject.words);
    const std::string caption = labelCaption(label);
    painter.save();
    painter.setFont(makeElementFont(labelFontChoice(label)));
    painter.setPen(QColor(kCaptionColour));

    DesignRect covered = given;
    if (caption == kTextPlaceholder) {
        covered = {given.left, given.top, given.left + kPlaceholderWidth,
                   given.top + kPlaceholderHeight};
        painter.fillRect(given.left, given.top, kPlaceholderWidth, kPlaceholderHeight,
                         QColor(kCanvasColour));
    }
    const DesignRect measured = measureText(
        painter, {given.left + kLabelInset, given.top + kLabelInset, given.right, given.bottom},
        caption);
    drawCaption(painter, measured, caption);
    painter.restore();
    return covered;
}

} // namespace tess
