#include "gui/code/OutputView.h"

#include <QKeyEvent>

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
