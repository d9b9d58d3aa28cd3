#include "designer/AspJspEditorDialog.h"

#include "designer/CodeBlockProperties.h"
#include "designer/DesignerConstants.h"

#include <QFormLayout>
#include <QPlainTextEdit>

namespace tess {

CAspJspEditorDialog::CAspJspEditorDialog(const std::string &fragment, QWidget *parent)
    : PropertyDialog(CodeEditorDialogTitle, parent)
{
    m_outcome.fragment = CodeBlockOpeningText(fragment);
    m_code = new QPlainTextEdit(QString::fromStdString(m_outcome.fragment), this);
    m_code->setObjectName("code");
    m_code->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    form()->addRow(m_code);
    finish();
}

bool CAspJspEditorDialog::commit()
{
    m_outcome.fragment = CodeBlockResult(m_code->toPlainText().toStdString());
    m_outcome.accepted = true;
    return true;
}

DialogOutcome RunAspJspEditorDialog(const std::string &fragment, QWidget *parent)
{
    CAspJspEditorDialog dialog(fragment, parent);
    dialog.exec();
    return dialog.outcome();
}

} // namespace tess
