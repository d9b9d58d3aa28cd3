#include "gui/design/ServerCodeDialog.h"

#include "editor/CodeBlockProperties.h"
#include "editor/DesignConstants.h"

#include <QFormLayout>
#include <QPlainTextEdit>

namespace tess {

ServerCodeDialog::ServerCodeDialog(const std::string &fragment, QWidget *parent)
    : PropertyDialog(CodeEditorDialogTitle, parent)
{
    m_outcome.fragment = CodeBlockOpeningText(fragment);
    m_code = new QPlainTextEdit(QString::fromStdString(m_outcome.fragment), this);
    m_code->setObjectName("code");
    m_code->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    form()->addRow(m_code);
    finish();
}

bool ServerCodeDialog::commit()
{
    m_outcome.fragment = CodeBlockResult(m_code->toPlainText().toStdString());
    m_outcome.accepted = true;
    return true;
}

DialogOutcome RunAspJspEditorDialog(const std::string &fragment, QWidget *parent)
{
    ServerCodeDialog dialog(fragment, parent);
    dialog.exec();
    return dialog.outcome();
}

} // namespace tess
