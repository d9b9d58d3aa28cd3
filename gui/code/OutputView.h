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

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace tess
