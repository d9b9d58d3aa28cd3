#include "gui/design/SelectDialog.h"

#include "editor/DesignConstants.h"

#include <QButtonGroup>
#include <QLineEdit>

namespace tess {

SelectDialog::SelectDialog(const StartTag &tag, int childCount, QWidget *parent)
    : PropertyDialog(SelectDialogTitle, parent)
    , m_childCount(childCount)
{
    m_outcome.fragment = tag.text();
    const SelectFields f = ReadSelectFields(tag);
    m_name = addEdit("Name", "name", f.name);
    m_title = addEdit("Title", "title", f.title);
    m_tabIndex = addDigitsEdit("Tab Index", "tabIndex", f.tabIndex);
    m_id = addEdit("ID", "id", f.id);
    m_className = addEdit("Class", "className", f.className);
    m_value = addEdit("Value", "value", f.value);
    m_style = addChoice("Style", "style", {"Single Selection", "Multiple Selection"},
                        f.multiple ? 1 : 0);
    m_indexName = addEdit("Index Name", "indexName", f.indexName);
    m_indexValue = addEdit("Index value", "indexValue", f.indexValue);
    m_xmlLang = addEdit("xml:lang", "xmlLang", f.xmlLang);
    finish();
    bindField(RuleField::Name, m_name);
    bindField(RuleField::Title, m_title);
    bindField(RuleField::TabIndex, m_tabIndex);
    bindField(RuleField::Id, m_id);
}

bool SelectDialog::commit()
{
    SelectFields f;
    f.name = text(m_name);
    f.title = text(m_title);
    f.tabIndex = text(m_tabIndex);
    f.id = text(m_id);
    f.className = text(m_className);
    f.value = text(m_value);
    f.multiple = m_style->checkedId() == 1;
    f.indexName = text(m_indexName);
    f.indexValue = text(m_indexValue);
    f.xmlLang = text(m_xmlLang);
    if (refuse(CheckSelectFields(f.name, f.title, f.tabIndex, f.id)))
        return false;
    m_outcome.fragment = BuildSelectTag(f, m_childCount);
    m_outcome.accepted = true;
    return true;
}

DialogOutcome RunGroupProperty(const StartTag &tag, int childCount, QWidget *parent)
{
    SelectDialog dialog(tag, childCount, parent);
    dialog.exec();
    return dialog.outcome();
}

} // namespace tess
