#pragma once

#include "gui/emulator/ScreenProfile.h"
#include "ua/Browser.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

namespace tess::emu {

// The phone's display: paints the browser's screen items in lines, as the
// chosen profile's screen shows them, magnified kZoom times. Long cards
// scroll vertically; a line that does not wrap is clipped and slides left
// while its focused item lies beyond the edge.
class PhoneScreen : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kZoom = 2;

    explicit PhoneScreen(QWidget *parent = nullptr);

    void setProfile(const ScreenProfile &profile);
    const ScreenProfile &profile() const { return *m_profile; }
    // `newCard` starts at the top again; otherwise the focused item is
    // scrolled into view.
    void showScreen(const ua::Screen &screen, bool newCard);

    // Up (-1) or Down (+1): the focusable item to move to when it is near
    // enough, else -1 after scrolling the card (or when it cannot scroll).
    int step(int direction);
    // The focused item's first piece, in widget coordinates; empty when no
    // item is focused.
    QRect focusedRect() const;
    // The text of each laid-out line.
    QStringList lineTexts() const;
    int scrollTop() const { return m_scrollTop; }
    int contentHeight() const { return m_contentHeight; }

    QColor paper() const;
    QColor ink() const;
    QColor highlight() const;
    // For the fields that open over the screen.
    QPalette fieldPalette() const;

signals:
    // A focusable item was clicked: its index among them.
    void itemClicked(int focus);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // One piece of an item on one line; an item that wraps has several.
    struct Run
    {
        int item;
        int line;
        QRect rect; // in content coordinates, before scrolling
        QString text;
        QRect clip; // a table cell; empty outside tables
    };

    void layOut();
    void layOutTable(size_t first, size_t end, int &top);
    void place(size_t item, std::vector<Run> &pieces, int &x, int &top, const std::string &align,
               bool wrap);
    void endLine(std::vector<Run> &pieces, int &top, int emptyHeight, const std::string &align,
                 bool wrap);
    void keepFocusVisible();
    int horizontalShift(int line) const;
    int screenWidth() const { return m_profile->width * kZoom; }
    int screenHeight() const { return m_profile->height * kZoom; }
    int lineHeightOf(const ua::ScreenItem &item) const;
    QFont fontOf(const ua::ScreenItem &item) const;
    QSize sizeOf(const ua::ScreenItem &item, const QString &text) const;
    const QImage *imageOf(const ua::ScreenItem &item);
    QString textOf(const ua::ScreenItem &item) const;
    void paintRun(QPainter &painter, const Run &run, bool focused);

    const ScreenProfile *m_profile;
    ua::Screen m_screen;
    std::vector<Run> m_runs;
    // Per line: whether it wraps (else it slides to its focused item).
    std::vector<bool> m_wrapping;
    int m_contentHeight = 0;
    int m_scrollTop = 0;
    // Pictures as the profile shows them, by path; a null image when the
    // file is no picture.
    std::map<std::string, QImage> m_images;
};

} // namespace tess::emu
