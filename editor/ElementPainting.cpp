#include "editor/ElementPainting.h"

#include "deck/StartTag.h"
#include "wml/XmlEscape.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <filesystem>

namespace tess {

namespace {

int textFlags(Wrap wrap)
{
    return Qt::AlignLeft | Qt::AlignTop | (wrap == Wrap::AtWidth ? Qt::TextWordWrap : 0);
}

// Layout height for measuring; only the width limits the lines.
constexpr int kUnboundedHeight = 1 << 20;

bool contains(const std::string &s, const char *what)
{
    return s.find(what) != std::string::npos;
}

QRect toQRect(const DesignRect &r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

} // namespace

FontChoice labelFontChoice(const std::string &label)
{
    FontChoice choice;
    choice.italic = contains(label, "<em") || contains(label, "<i");
    if (contains(label, "<strong"))
        choice.weight = 700;
    choice.underline = contains(label, "<u");
    if (contains(label, "<big"))
        choice.height = 23;
    else if (contains(label, "<small"))
        choice.height = -10;
    return choice;
}

QFont makeElementFont(const FontChoice &choice)
{
    QFont font(QString::fromLatin1(kElementFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setItalic(choice.italic);
    font.setWeight(static_cast<QFont::Weight>(choice.weight));
    font.setUnderline(choice.underline);
    if (choice.height == 0) {
        font.setPixelSize(kDefaultFontPixelSize);
    } else if (choice.height < 0) {
        font.setPixelSize(-choice.height);
    } else {
        // A cell height includes the leading: take the largest size whose
        // lines are no taller than asked.
        int size = choice.height;
        font.setPixelSize(size);
        while (size > 1 && QFontMetrics(font).height() > choice.height)
            font.setPixelSize(--size);
    }
    return font;
}

std::string shownText(const std::string &s)
{
    std::string shown;
    shown.reserve(s.size());
    bool blank = false;
    for (char c : s) {
        if (IsXmlBlank(c)) {
            blank = true;
            continue;
        }
        if (blank && !shown.empty())
            shown += ' ';
        blank = false;
        shown += c;
    }
    return shown;
}

std::string titleCaption(const Element &element, const char *fallback)
{
    const std::string title = element.tag().shownValue("title");
    return title.empty() ? std::string(fallback) : title;
}

std::string PicturePath(const Element &image, std::string_view folder)
{
    std::optional<std::string> path = image.attribute("src");
    if (!path)
        path = image.attribute("localsrc");
    std::string file = Trimmed(path.value_or(""));
    if (folder.empty() || file.empty() || file.front() == '/')
        return file;
    std::error_code error;
    const std::filesystem::path beside = std::filesystem::path(folder) / file;
    if (!std::filesystem::is_regular_file(beside, error))
        return file;
    return beside.lexically_normal().string();
}

std::string labelCaption(const std::string &label)
{
    std::string caption = label;
    if (contains(label, "<")) {
        const size_t gt = label.rfind('>');
        caption = Trimmed(gt == std::string::npos ? label : label.substr(gt + 1));
    }
    return shownText(UnescapeXml(caption));
}

DesignRect measureText(const QFont &font, const QPaintDevice *device, const DesignRect &in,
                       const std::string &text, Wrap wrap)
{
    const QFontMetrics metrics(font, device);
    const int wrapWidth = std::max(0, in.right - in.left);
    const QRect needed = metrics.boundingRect(QRect(in.left, in.top, wrapWidth, kUnboundedHeight),
                                              textFlags(wrap), QString::fromStdString(text));
    return {in.left, in.top, in.left + needed.width(), in.top + needed.height()};
}

DesignRect measureText(const QPainter &painter, const DesignRect &in, const std::string &text,
                       Wrap wrap)
{
    return measureText(painter.font(), painter.device(), in, text, wrap);
}

void drawCaption(QPainter &painter, const DesignRect &measured, const std::string &text, Wrap wrap)
{
    const QRect r = toQRect(measured);
    painter.fillRect(r, QColor(kCanvasColour));
    painter.drawText(r, textFlags(wrap), QString::fromStdString(text));
}

const QImage &elementIcon(ElementIcon icon)
{
    // In the order of ElementIcon.
    static const QImage images[] = {QImage(QStringLiteral(":/icons/image-placeholder.xpm")),
                                    QImage(QStringLiteral(":/icons/asp-tag.xpm")),
                                    QImage(QStringLiteral(":/icons/jsp-tag.xpm"))};
    return images[static_cast<int>(icon)];
}

DesignRect paintIcon(QPainter &painter, const DesignRect &given, ElementIcon icon)
{
    const QImage &image = elementIcon(icon);
    if (!image.isNull())
        painter.drawImage(QPoint(given.left, given.top), image);
    return {given.left, given.top, given.left + kIconSize, given.top + kIconSize};
}

void draw3dFrame(QPainter &painter, const DesignRect &r, QRgb topLeft, QRgb bottomRight)
{
    const int cx = r.right - r.left;
    const int cy = r.bottom - r.top;
    painter.fillRect(r.left, r.top, cx - 1, 1, QColor(topLeft));
    painter.fillRect(r.left, r.top, 1, cy - 1, QColor(topLeft));
    painter.fillRect(r.right - 1, r.top, 1, cy, QColor(bottomRight));
    painter.fillRect(r.left, r.bottom - 1, cx, 1, QColor(bottomRight));
}

DesignRect paintGroup(QPainter &painter, const DesignRect &given, const std::string &caption)
{
    painter.save();
    painter.setFont(makeElementFont());
    const DesignRect measured = measureText(
        painter,
        {given.left + kGroupCaptionDx, given.top + kGroupCaptionDy, given.right, given.bottom},
        caption);
    drawCaption(painter, measured, caption);
    const DesignRect frame {given.left, given.top, std::max(given.right, measured.right),
                            given.bottom};
    draw3dFrame(painter, frame, kFrameLightColour, kFrameShadowColour);
    painter.restore();
    return frame;
}

int measureCaptionWidth(const QPaintDevice *device, const DesignRect &given,
                        const std::string &caption)
{
    const DesignRect in {given.left + kGroupCaptionDx, given.top + kGroupCaptionDy, given.right,
                         given.bottom};
    const DesignRect measured = measureText(makeElementFont(), device, in, caption);
    return measured.right + measured.height() - in.left;
}

} // namespace tess
