#include "gui/design/OptgroupDialog.h"

#include "editor/DesignConstants.h"

#include <QLineEdit>

namespace tess {

OptgroupDialog::OptgroupDialog(const StartTag &tag, QWidget *parent)
    : PropertyDialog(OptgroupDialogTitle, parent)
{
    m_outcome.fragment = tag.text();
    const OptgroupFields f = ReadOptgroupFields(tag);
    m_title = addEdit("Title", "title", f.title);
    m_xmlLang = addEdit("Xml:lang", "xmlLang", f.xmlLang);
    m_className = addEdit("Class", "className", f.className);
    m_id = addEdit("ID", "id", f.id);
    finish();
    bindField(RuleField::Id, m_id);
}

bool OptgroupDialog::commit()
{
    OptgroupFields f;
    f.title = text(m_title);
    f.xmlLang = text(m_xmlLang);
    f.className = text(m_className);
    f.id = text(m_id);
    if (refuse(CheckOptionId(f.id)))
        return false;
    m_outcome.fragment = BuildOptgroupTag(f);
    m_outcome.accepted = true;
    return true;
}

DialogOutcome RunOptgp(const StartTag &tag, QWidget *parent)
{
    OptgroupDialog dialog(tag, parent);
    dialog.exec();
    return dialog.outcome();
}

} // namespace tess
