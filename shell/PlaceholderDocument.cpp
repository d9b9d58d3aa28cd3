#include "shell/PlaceholderDocument.h"

#include "source/FileUtil.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include <optional>

namespace tess {

QMdiSubWindow *openPlaceholderDocument(QMdiArea *area, const std::string &path, std::string *error)
{
    std::optional<std::string> text = readWholeFile(path, error);
    if (!text)
        return nullptr;
    auto *view = new QPlainTextEdit;
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setPlainText(QString::fromStdString(*text));
    QMdiSubWindow *child = area->addSubWindow(view);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setWindowTitle(QFileInfo(QString::fromStdString(path)).fileName());
    child->showMaximized();
    return child;
}

} // namespace tess
