#include "editor/ElementPainters.h"

#include "deck/StartTag.h"
#include "editor/ElementPainting.h"
#include "wml/WbmpImage.h"

#include <QPainter>

#include <algorithm>
#include <string>
#include <utility>

namespace tess {

namespace {

DesignRect paintInput(QPainter &painter, const DesignRect &given, const PaintSubject &subject)
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

DesignRect paintSelect(QPainter &painter, const DesignRect &given, const PaintSubject &subject)
{
    return paintGroup(painter, given, titleCaption(subject.element, kDefaultSelectCaption));
}

int measureSelect(const QPaintDevice *device, const DesignRect &given, const PaintSubject &subject)
{
    return measureCaptionWidth(device, given, titleCaption(subject.element, kDefaultSelectCaption));
}

DesignRect paintOptgroup(QPainter &painter, const DesignRect &given, const PaintSubject &subject)
{
    return paintGroup(painter, given, titleCaption(subject.element, kDefaultOptgroupCaption));
}

int measureOptgroup(const QPaintDevice *device, const DesignRect &given,
                    const PaintSubject &subject)
{
    return measureCaptionWidth(device, given,
                               titleCaption(subject.element, kDefaultOptgroupCaption));
}

std::string optionCaption(std::string_view words)
{
    const std::string caption = Trimmed(words);
    return caption.empty() ? std::string(kDefaultOptionCaption) : caption;
}

DesignRect paintOption(QPainter &painter, const DesignRect &given, const PaintSubject &subject)
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

int measureOption(const QPaintDevice *device, const DesignRect &given, const PaintSubject &subject)
{
    return measureCaptionWidth(device, given, optionCaption(subject.words));
}

DesignRect paintText(QPainter &painter, const DesignRect &given, const PaintSubject &subject)
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

DesignRect paintAnchor(QPainter &painter, const DesignRect &given, const PaintSubject &subject)
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

DesignRect paintImage(QPainter &painter, const DesignRect &given, const PaintSubject &subject)
{
    const std::string file = PicturePath(subject.element, subject.folder);
    if (!file.empty()) {
        // Read afresh on every paint, so a picture changed on disk shows at once.
        WbmpImage picture;
        if (picture.Open(file) && picture.Draw(painter, given.left, given.top))
            return {given.left, given.top, given.left + picture.Width(),
                    given.top + picture.Height()};
    }
    return paintIcon(painter, given, ElementIcon::ImagePlaceholder);
}

DesignRect paintAsp(QPainter &painter, const DesignRect &given, const PaintSubject &)
{
    return paintIcon(painter, given, ElementIcon::AspCode);
}

DesignRect paintJsp(QPainter &painter, const DesignRect &given, const PaintSubject &)
{
    return paintIcon(painter, given, ElementIcon::JspCode);
}

constexpr std::pair<ElementKind, ElementPainter> kPainters[] = {
    {ElementKind::Input, {paintInput, nullptr}},
    {ElementKind::Select, {paintSelect, measureSelect}},
    {ElementKind::Optgroup, {paintOptgroup, measureOptgroup}},
    {ElementKind::Option, {paintOption, measureOption}},
    {ElementKind::Text, {paintText, nullptr}},
    {ElementKind::Anchor, {paintAnchor, nullptr}},
    {ElementKind::Image, {paintImage, nullptr}},
    {ElementKind::Asp, {paintAsp, nullptr}},
    {ElementKind::Jsp, {paintJsp, nullptr}},
};

} // namespace

const ElementPainter *PainterOf(ElementKind kind)
{
    const auto *found = std::find_if(std::begin(kPainters), std::end(kPainters),
                                     [kind](const auto &entry) { return entry.first == kind; });
    return found == std::end(kPainters) ? nullptr : &found->second;
}

DesignRect paintElement(QPainter &painter, const DesignRect &given, const PaintSubject &subject)
{
    const ElementPainter *drawer = PainterOf(subject.element.kind);
    return drawer ? drawer->paint(painter, given, subject) : given;
}

int measureElement(const QPaintDevice *device, const DesignRect &given, const PaintSubject &subject)
{
    const ElementPainter *painter = PainterOf(subject.element.kind);
    return painter && painter->measure ? painter->measure(device, given, subject) : 0;
}

} // namespace tess
