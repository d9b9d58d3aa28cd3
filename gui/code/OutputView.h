#pragma once

#include <QPlainTextEdit>

#include <string>

namespace tess {

// The view of the Output bar's "Output" tab: read-only text on white that
// the program replaces whole with each message; the user may select and
// copy from it.
class OutputView : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit OutputView(QWidget *parent = nullptr);

    // Replaces the whole text; nothing is appended. CR LF line ends show as
    // plain line breaks.
    void setMessage(const std::string &text);
    std::string message() const;
    // F4: the next line after the cursor (round to the first) that names a
    // line of the deck becomes the current one, and is activated.
    bool activateNext();

signals:
    // A double click on, or F4 to, a line of output naming line `line` of
    // the deck: an error or a lint finding.
    void lineActivated(int line);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

} // namespace tess
