#include "editor/InputPainter.h"

#include "editor/ElementPainting.h"

#include <QPainter>

#include <algorithm>

namespace tess {

DesignRect InputPainter::Paint(QPainter &painter, const DesignRect &given,
                               const PaintSubject &subject)
{
    const std::string caption = titleCaption(subject.element, kDefaultInputCaption);
    painter.save();
    painter.setFont(makeElementFont());
    const DesignRect measured = measureText(painter, given, caption);
    drawCaption(painter, measured, caption);

    const int captionRight = measured.right + measured.height();
    const QRect box(captionRight + kInputBoxGap, given.top, kInputBoxWidth, kInputBoxHeight);
    painter.setPen(QColor(kInputOutlineColour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    // Only the top and left outline stay visible: the fill covers the others.
    painter.fillRect(box.adjusted(1, 1, 0, 0), QColor(kInputFillColour));
    painter.restore();

    const int boxRight = box.left() + kInputBoxWidth;
    return {given.left, given.top, std::max(captionRight, boxRight), given.top + kInputBoxHeight};
}

} // namespace tess
