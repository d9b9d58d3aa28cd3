#include "gui/code/OutputView.h"

#include "deck/DeckLint.h"
#include "editor/DocumentSync.h"

#include <QKeyEvent>
#include <QTextBlock>

namespace tess {

OutputView::OutputView(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
    setBackgroundVisible(false);
}

void OutputView::setMessage(const std::string &text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(shown);
}

std::string OutputView::message() const
{
    return toPlainText().toStdString();
}

namespace {

// The deck's line that one line of output names: a lint finding's, or a
// parse error's "on line N, position M".
int deckLineOf(const QString &text)
{
    const std::string line = text.toStdString();
    if (const int n = lintLineOf(line); n > 0)
        return n;
    return line.find(", position ") != std::string::npos ? errorLineOf(line) : 0;
}

} // namespace

bool OutputView::activateNext()
{
    const QTextBlock current = textCursor().block();
    QTextBlock block = current.next();
    for (int seen = 0; seen < document()->blockCount(); ++seen) {
        if (!block.isValid())
            block = document()->firstBlock();
        if (const int line = deckLineOf(block.text()); line > 0) {
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            setTextCursor(cursor);
            emit lineActivated(line);
            return true;
        }
        block = block.next();
    }
    return false;
}

void OutputView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (const int line = deckLineOf(textCursor().block().text()); line > 0)
        emit lineActivated(line);
}

bool OutputView::event(QEvent *event)
{
    // Claiming Escape here keeps any window shortcut on it from firing, so
    // that keyPressEvent gets it and drops it.
    if (event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void OutputView::keyPressEvent(QKeyEvent *event)
{
    // Escape would otherwise travel on to the frame; here it means nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace tess
