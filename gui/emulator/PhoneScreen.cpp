#include "gui/emulator/PhoneScreen.h"

#include "wml/WbmpImage.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace tess::emu {

namespace {

using Kind = ua::ScreenItem::Kind;

// Space between the screen's edge and the text, in phone pixels.
constexpr int kPad = 2;
constexpr int kLargestPicture = 2048;

QString qs(const std::string &text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A no-break space (&nbsp;) is no place to break a line.
bool isBlank(QChar c)
{
    return c.isSpace() && c != QChar::Nbsp;
}

// Words with the blanks that follow them, so that a line may break after
// any blank.
std::vector<QString> wordsOf(const QString &text)
{
    std::vector<QString> words;
    QString word;
    for (const QChar c : text) {
        if (!isBlank(c) && !word.isEmpty() && isBlank(word.back())) {
            words.push_back(word);
            word.clear();
        }
        word += c;
    }
    if (!word.isEmpty())
        words.push_back(word);
    return words;
}

bool isBlank(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return isBlank(c); });
}

} // namespace

PhoneScreen::PhoneScreen(QWidget *parent)
    : QWidget(parent)
    , m_profile(&defaultScreenProfile())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(screenWidth(), screenHeight());
}

void PhoneScreen::setProfile(const ScreenProfile &profile)
{
    m_profile = &profile;
    m_images.clear();
    setFixedSize(screenWidth(), screenHeight());
    layOut();
    keepFocusVisible();
    update();
}

void PhoneScreen::showScreen(const ua::Screen &screen, bool newCard)
{
    const int before = m_screen.focused;
    m_screen = screen;
    // With no card to show, the screen says why, as a phone's error page.
    if (m_screen.items.empty() && !m_screen.message.empty()) {
        ua::ScreenItem why;
        why.text = m_screen.message;
        m_screen.items.push_back(why);
    }
    layOut();
    // A card opens at its top even when its first link lies further down;
    // a timer's tick leaves the view where the user put it.
    if (newCard)
        m_scrollTop = 0;
    else if (m_screen.focused != before)
        keepFocusVisible();
    m_scrollTop = std::clamp(m_scrollTop, 0, std::max(0, m_contentHeight - screenHeight()));
    update();
}

QColor PhoneScreen::paper() const
{
    // A monochrome phone's greenish-grey liquid crystal.
    return m_profile->monochrome ? QColor(0xb4, 0xc2, 0x9a) : QColor(Qt::white);
}

QColor PhoneScreen::ink() const
{
    return m_profile->monochrome ? QColor(0x1c, 0x24, 0x1c) : QColor(Qt::black);
}

QColor PhoneScreen::highlight() const
{
    return m_profile->monochrome ? ink() : QColor(0x1a, 0x3c, 0x8c);
}

QPalette PhoneScreen::fieldPalette() const
{
    QPalette palette;
    palette.setColor(QPalette::Base, paper());
    palette.setColor(QPalette::Window, paper());
    palette.setColor(QPalette::Text, ink());
    palette.setColor(QPalette::WindowText, ink());
    palette.setColor(QPalette::Highlight, highlight());
    palette.setColor(QPalette::HighlightedText, paper());
    return palette;
}

QFont PhoneScreen::fontOf(const ua::ScreenItem &item) const
{
    QFont f = font();
    const int pixels = m_profile->fontPixels + (item.big ? 2 : 0) - (item.small ? 2 : 0);
    f.setPixelSize(pixels * kZoom);
    f.setBold(item.bold);
    f.setItalic(item.italic);
    f.setUnderline(item.underline || item.kind == Kind::Link);
    if (m_profile->monochrome)
        f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

int PhoneScreen::lineHeightOf(const ua::ScreenItem &item) const
{
    return QFontMetrics(fontOf(item)).height();
}

QString PhoneScreen::textOf(const ua::ScreenItem &item) const
{
    return qs(item.text);
}

QSize PhoneScreen::sizeOf(const ua::ScreenItem &item, const QString &text) const
{
    const QFontMetrics fm(fontOf(item));
    QSize size(fm.horizontalAdvance(text), fm.height());
    // A field is framed, and a select has room for its arrow; an empty field
    // still has room for a few letters.
    if (item.kind == Kind::Input || item.kind == Kind::Select)
        size = QSize(std::max(size.width(), 4 * fm.averageCharWidth()), size.height())
            + QSize(4 * kZoom + (item.kind == Kind::Select ? fm.height() / 2 + kZoom : 0),
                    2 * kZoom);
    return size;
}

const QImage *PhoneScreen::imageOf(const ua::ScreenItem &item)
{
    if (item.kind != Kind::Image || item.imagePath.empty())
        return nullptr;
    auto found = m_images.find(item.imagePath);
    if (found == m_images.end()) {
        const QString path = qs(item.imagePath);
        QImage image;
        if (path.endsWith(QLatin1String(".wbmp"), Qt::CaseInsensitive)) {
            WbmpImage wbmp;
            // A picture far beyond any phone's screen is shown by its alt text.
            if (wbmp.Open(item.imagePath) && wbmp.HasPicture() && wbmp.Width() > 0
                && wbmp.Height() > 0 && wbmp.Width() <= kLargestPicture
                && wbmp.Height() <= kLargestPicture) {
                image = QImage(wbmp.Width(), wbmp.Height(), QImage::Format_RGB32);
                image.fill(Qt::white);
                wbmp.Draw(image, 0, 0);
            }
        } else {
            image.load(path);
        }
        if (!image.isNull()) {
            // Transparent parts show the screen behind them.
            QImage flat(image.size(), QImage::Format_RGB32);
            flat.fill(paper());
            QPainter(&flat).drawImage(0, 0, image);
            image = flat;
            if (m_profile->monochrome) {
                image
                    = image.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::DiffuseDither);
                for (int i = 0; i < image.colorCount(); ++i)
                    image.setColor(i, (qGray(image.color(i)) < 128 ? ink() : paper()).rgb());
            }
            const int room = m_profile->width - 2 * kPad;
            if (image.width() > room)
                image = image.scaledToWidth(room, Qt::SmoothTransformation);
            image
                = image.scaled(image.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        }
        found = m_images.emplace(item.imagePath, image).first;
    }
    return found->second.isNull() ? nullptr : &found->second;
}

void PhoneScreen::layOut()
{
    m_runs.clear();
    m_wrapping.clear();
    int top = 0;
    int x = 0;
    std::vector<Run> pieces;
    std::string align = "left";
    bool wrap = true;
    const std::vector<ua::ScreenItem> &items = m_screen.items;
    for (size_t i = 0; i < items.size(); ++i) {
        const ua::ScreenItem &item = items[i];
        if (item.tableRow >= 0) {
            if (!pieces.empty())
                endLine(pieces, top, 0, align, wrap);
            x = 0;
            size_t end = i;
            while (end < items.size() && items[end].tableRow >= 0)
                ++end;
            layOutTable(i, end, top);
            i = end - 1;
            continue;
        }
        if (item.kind == Kind::Break) {
            // Only a break right after another leaves a line empty: the
            // others end a line that had nothing to show (blanks, a table
            // row already laid out).
            if (pieces.empty() && (i == 0 || items[i - 1].kind != Kind::Break))
                continue;
            endLine(pieces, top, lineHeightOf(item), align, wrap);
            x = 0;
            continue;
        }
        if (pieces.empty()) {
            align = item.align;
            wrap = item.wrap;
        }
        place(i, pieces, x, top, align, wrap);
    }
    if (!pieces.empty())
        endLine(pieces, top, 0, align, wrap);
    m_contentHeight = top;
}

void PhoneScreen::place(size_t index, std::vector<Run> &pieces, int &x, int &top,
                        const std::string &align, bool wrap)
{
    const ua::ScreenItem &item = m_screen.items[index];
    const int room = screenWidth() - 2 * kPad * kZoom;
    const auto add = [&](const QString &text, QSize size) {
        if (!pieces.empty() && pieces.back().item == int(index) && item.kind != Kind::Image) {
            pieces.back().text += text;
            pieces.back().rect.setWidth(pieces.back().rect.width() + size.width());
        } else {
            pieces.push_back({int(index), 0, QRect(QPoint(x, 0), size), text, {}});
        }
        x += size.width();
    };
    const auto newLine = [&] {
        endLine(pieces, top, 0, align, wrap);
        x = 0;
    };

    if (const QImage *image = imageOf(item)) {
        if (wrap && x > 0 && x + image->width() > room)
            newLine();
        add({}, image->size());
        return;
    }
    const QString text = textOf(item);
    if (!wrap || item.kind == Kind::Input || item.kind == Kind::Select) {
        const QSize size = sizeOf(item, text);
        if (wrap && x > 0 && x + size.width() > room)
            newLine();
        add(text, size);
        return;
    }
    for (QString word : wordsOf(text)) {
        if (x == 0 && isBlank(word))
            continue;
        if (x > 0 && x + sizeOf(item, word.trimmed()).width() > room) {
            newLine();
            if (isBlank(word))
                continue;
        }
        // A word longer than the line is cut where the line ends.
        while (x + sizeOf(item, word).width() > room && word.size() > 1) {
            qsizetype fits = 1;
            while (fits < word.size() && x + sizeOf(item, word.left(fits + 1)).width() <= room)
                ++fits;
            add(word.left(fits), sizeOf(item, word.left(fits)));
            word = word.mid(fits);
            newLine();
        }
        add(word, sizeOf(item, word));
    }
}

void PhoneScreen::endLine(std::vector<Run> &pieces, int &top, int emptyHeight,
                          const std::string &align, bool wrap)
{
    int height = emptyHeight;
    int width = 0;
    for (const Run &run : pieces) {
        height = std::max(height, run.rect.height());
        width = std::max(width, run.rect.right() + 1);
    }
    if (!pieces.empty()) {
        // Blanks at the end of a line take no room, nor a link's highlight.
        Run &last = pieces.back();
        const ua::ScreenItem &item = m_screen.items[size_t(last.item)];
        qsizetype kept = last.text.size();
        while (kept > 0 && isBlank(last.text[kept - 1]))
            --kept;
        if (kept < last.text.size() && (item.kind == Kind::Text || item.kind == Kind::Link)) {
            last.rect.setWidth(last.rect.width() - sizeOf(item, last.text.mid(kept)).width());
            last.text.truncate(kept);
            width = last.rect.right() + 1;
        }
    }
    const int room = screenWidth() - 2 * kPad * kZoom;
    int offset = kPad * kZoom;
    if (width < room) {
        if (align == "center")
            offset += (room - width) / 2;
        else if (align == "right")
            offset += room - width;
    }
    const int index = int(m_wrapping.size());
    for (Run &run : pieces) {
        run.line = index;
        run.rect.moveTo(run.rect.x() + offset, top + height - run.rect.height());
        m_runs.push_back(run);
    }
    m_wrapping.push_back(wrap);
    top += height;
    pieces.clear();
}

void PhoneScreen::layOutTable(size_t first, size_t end, int &top)
{
    const std::vector<ua::ScreenItem> &items = m_screen.items;
    int columns = 1;
    int rows = 0;
    for (size_t i = first; i < end; ++i) {
        columns = std::max(columns, items[i].tableColumn + 1);
        rows = std::max(rows, items[i].tableRow + 1);
    }
    const int room = screenWidth() - 2 * kPad * kZoom;
    const int columnWidth = room / columns;
    for (int row = 0; row < rows; ++row) {
        std::vector<Run> cells;
        std::vector<int> x(size_t(columns), 0);
        for (size_t i = first; i < end; ++i) {
            const ua::ScreenItem &item = items[i];
            if (item.tableRow != row || item.kind == Kind::Break)
                continue;
            const int column = std::max(item.tableColumn, 0);
            const int left = kPad * kZoom + column * columnWidth;
            const QImage *image = imageOf(item);
            const QString text = image ? QString() : textOf(item);
            const QSize size = image ? image->size() : sizeOf(item, text);
            int &at = x[size_t(column)];
            cells.push_back({int(i), 0, QRect(QPoint(left + at, 0), size), text,
                             QRect(left, 0, columnWidth - kZoom, 0)});
            at += size.width();
        }
        if (cells.empty())
            continue;
        int height = 0;
        for (const Run &run : cells)
            height = std::max(height, run.rect.height());
        const int index = int(m_wrapping.size());
        for (Run &run : cells) {
            run.line = index;
            run.rect.moveTop(top + height - run.rect.height());
            run.clip.setTop(top);
            run.clip.setHeight(height);
            m_runs.push_back(run);
        }
        // Cells are clipped, never slid.
        m_wrapping.push_back(true);
        top += height;
    }
}

void PhoneScreen::keepFocusVisible()
{
    const int bottomMost = std::max(0, m_contentHeight - screenHeight());
    if (m_screen.focused >= 0) {
        int first = -1;
        int last = -1;
        for (const Run &run : m_runs) {
            if (m_screen.items[size_t(run.item)].focus != m_screen.focused)
                continue;
            if (first < 0)
                first = run.rect.top();
            last = run.rect.bottom() + 1;
        }
        if (first >= 0) {
            if (last > m_scrollTop + screenHeight())
                m_scrollTop = last - screenHeight();
            if (first < m_scrollTop)
                m_scrollTop = first;
        }
    }
    m_scrollTop = std::clamp(m_scrollTop, 0, bottomMost);
}

int PhoneScreen::step(int direction)
{
    const int height = screenHeight();
    int target = m_screen.focused < 0 ? (direction > 0 ? 0 : m_screen.focusCount - 1)
                                      : m_screen.focused + direction;
    // A focused item still ahead, not wholly in view, is the one to come to
    // first.
    for (const Run &run : m_runs) {
        if (m_screen.focused < 0 || m_screen.items[size_t(run.item)].focus != m_screen.focused)
            continue;
        if (direction > 0 ? run.rect.bottom() >= m_scrollTop + height
                          : run.rect.top() < m_scrollTop)
            target = m_screen.focused;
        break;
    }
    if (target == m_screen.focused && target >= 0) {
        const int before = m_scrollTop;
        keepFocusVisible();
        // Too far yet: the card scrolls towards it instead.
        if (std::abs(m_scrollTop - before) > height * 3 / 4)
            m_scrollTop = before + direction * height * 3 / 4;
        update();
        return -1;
    }
    if (target >= 0 && target < m_screen.focusCount) {
        for (const Run &run : m_runs) {
            if (m_screen.items[size_t(run.item)].focus != target)
                continue;
            // Half a screen beyond the view is near enough: moving there
            // skips no text unseen.
            const bool near = direction > 0 ? run.rect.top() < m_scrollTop + height * 3 / 2
                                            : run.rect.bottom() >= m_scrollTop - height / 2;
            if (near)
                return target;
            break;
        }
    }
    const int before = m_scrollTop;
    m_scrollTop = std::clamp(m_scrollTop + direction * height * 3 / 4, 0,
                             std::max(0, m_contentHeight - height));
    if (m_scrollTop != before)
        update();
    return -1;
}

QRect PhoneScreen::focusedRect() const
{
    if (m_screen.focused < 0)
        return {};
    for (const Run &run : m_runs)
        if (m_screen.items[size_t(run.item)].focus == m_screen.focused)
            return run.rect.translated(-horizontalShift(run.line), -m_scrollTop);
    return {};
}

void PhoneScreen::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint() + QPoint(0, m_scrollTop);
    for (const Run &run : m_runs) {
        const int focus = m_screen.items[size_t(run.item)].focus;
        if (focus >= 0 && run.rect.translated(-horizontalShift(run.line), 0).contains(at)) {
            emit itemClicked(focus);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void PhoneScreen::wheelEvent(QWheelEvent *event)
{
    const int lines = event->angleDelta().y() / 120;
    const int before = m_scrollTop;
    m_scrollTop = std::clamp(m_scrollTop - lines * 3 * m_profile->fontPixels * kZoom, 0,
                             std::max(0, m_contentHeight - screenHeight()));
    if (m_scrollTop != before)
        update();
    event->accept();
}

QStringList PhoneScreen::lineTexts() const
{
    QStringList lines(qsizetype(m_wrapping.size()));
    for (const Run &run : m_runs)
        lines[run.line] += run.text;
    for (QString &line : lines)
        line = line.trimmed();
    return lines;
}

int PhoneScreen::horizontalShift(int line) const
{
    if (line < 0 || size_t(line) >= m_wrapping.size() || m_wrapping[size_t(line)]
        || m_screen.focused < 0)
        return 0;
    const int right = screenWidth() - kPad * kZoom;
    for (const Run &run : m_runs) {
        if (run.line != line || m_screen.items[size_t(run.item)].focus != m_screen.focused)
            continue;
        if (run.rect.right() < right)
            return 0;
        return std::max(0, std::min(run.rect.right() + 1 - right, run.rect.left() - kPad * kZoom));
    }
    return 0;
}

void PhoneScreen::paintRun(QPainter &painter, const Run &run, bool focused)
{
    const ua::ScreenItem &item = m_screen.items[size_t(run.item)];
    const QRect r = run.rect.translated(-horizontalShift(run.line), -m_scrollTop);
    const QColor highlight = this->highlight();
    const QColor link = m_profile->monochrome ? ink() : QColor(0x10, 0x30, 0xc0);
    painter.setFont(fontOf(item));
    if (const QImage *image = imageOf(item)) {
        painter.drawImage(r.topLeft(), *image);
        if (focused) {
            painter.setPen(QPen(highlight, kZoom));
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        }
        return;
    }
    QColor pen = item.kind == Kind::Link ? link : ink();
    if (focused) {
        painter.fillRect(r, highlight);
        pen = paper();
    }
    painter.setPen(pen);
    if (item.kind != Kind::Input && item.kind != Kind::Select) {
        painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, run.text);
        return;
    }
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    const QRect inside = r.adjusted(2 * kZoom, kZoom, -2 * kZoom, -kZoom);
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, run.text);
    if (item.kind == Kind::Select) {
        const int size = inside.height() / 2;
        const QPoint tip(inside.right() - size / 2, inside.center().y() + size / 4);
        painter.setBrush(pen);
        painter.drawPolygon(
            QPolygon({tip, tip + QPoint(-size / 2, -size / 2), tip + QPoint(size / 2, -size / 2)}));
        painter.setBrush(Qt::NoBrush);
    }
}

void PhoneScreen::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), paper());
    for (const Run &run : m_runs) {
        const QRect at = run.rect.translated(0, -m_scrollTop);
        if (at.bottom() < 0 || at.top() >= screenHeight())
            continue;
        painter.save();
        if (!run.clip.isEmpty())
            painter.setClipRect(run.clip.translated(0, -m_scrollTop));
        const int focus = m_screen.items[size_t(run.item)].focus;
        paintRun(painter, run, focus >= 0 && focus == m_screen.focused);
        painter.restore();
    }
    // Where the view is in a long card.
    if (m_contentHeight > screenHeight()) {
        const int h = screenHeight();
        const int thumb = std::max(4 * kZoom, h * h / m_contentHeight);
        const int y = (h - thumb) * m_scrollTop / std::max(1, m_contentHeight - h);
        painter.fillRect(QRect(width() - kZoom, 0, kZoom, h), paper().darker(130));
        painter.fillRect(QRect(width() - kZoom, y, kZoom, thumb), ink());
    }
}

} // namespace tess::emu
