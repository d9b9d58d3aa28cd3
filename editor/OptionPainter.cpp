#include "editor/OptionPainter.h"

#include "deck/StartTag.h"
#include "editor/ElementPainting.h"

#include <QPainter>

namespace tess {

namespace {

std::string optionCaption(std::string_view words)
{
    const std::string caption = Trimmed(words);
    return caption.empty() ? std::string(kDefaultOptionCaption) : caption;
}

} // namespace

DesignRect OptionPainter::Paint(QPainter &painter, const DesignRect &given,
                                const PaintSubject &subject)
{
    const std::string caption = optionCaption(subject.words);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(kCaptionColour));
    painter.setBrush(Qt::white);
    // drawEllipse adds the pen's pixel on the right and bottom.
    painter.drawEllipse(QRect(given.left + kOptionMarkLeft, given.top + kOptionMarkTop,
                              kOptionMarkSize - 1, kOptionMarkSize - 1));

    painter.setFont(makeElementFont());
    const DesignRect measured = measureText(painter, given, caption);
    const DesignRect shown {measured.left + kOptionCaptionIndent, measured.top,
                            measured.right + kOptionCaptionIndent, measured.bottom};
    drawCaption(painter, shown, caption);
    painter.restore();
    return {given.left, given.top, given.right + measured.height(), given.bottom};
}

int OptionPainter::MeasureCaption(const QPaintDevice *device, const DesignRect &given,
                                  const PaintSubject &subject)
{
    return measureCaptionWidth(device, given, optionCaption(subject.words));
}

} // namespace tess
