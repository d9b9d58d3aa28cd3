#include "gui/code/DeckCodeEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

namespace tess {

DeckCodeEditor::DeckCodeEditor(QWidget *parent)
    : CodeEditor(parent)
{ }

void DeckCodeEditor::markModified()
{
    emit documentModified();
}

void DeckCodeEditor::editCut()
{
    CodeEditor::editCut();
    emit documentModified();
}

void DeckCodeEditor::editPaste()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    CodeEditor::editPaste();
    emit documentModified();
}

bool DeckCodeEditor::event(QEvent *event)
{
    // Claiming Escape keeps a window shortcut on it from taking it first.
    if (event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return CodeEditor::event(event);
}

void DeckCodeEditor::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        emit fullScreenToggleRequested();
        return;
    }
    // Any key counts, even one that moves only the caret.
    emit documentModified();
    CodeEditor::keyPressEvent(event);
}

} // namespace tess
