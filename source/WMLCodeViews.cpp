#include "source/WMLCodeViews.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>

namespace tess {

WMLCodeViews::WMLCodeViews(QWidget *parent)
    : CEditorView(parent)
{ }

void WMLCodeViews::markModified()
{
    emit documentModified();
}

void WMLCodeViews::editCut()
{
    CEditorView::editCut();
    emit documentModified();
}

void WMLCodeViews::editPaste()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    CEditorView::editPaste();
    emit documentModified();
}

bool WMLCodeViews::event(QEvent *event)
{
    // Claiming Escape keeps a window shortcut on it from taking it first.
    if (event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return CEditorView::event(event);
}

void WMLCodeViews::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        emit fullScreenToggleRequested();
        return;
    }
    // Any key counts, even one that moves only the caret.
    emit documentModified();
    CEditorView::keyPressEvent(event);
}

} // namespace tess
