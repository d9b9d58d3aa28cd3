#include "gui/design/OptionDialog.h"

#include "editor/DesignConstants.h"

#include <QLineEdit>

namespace tess {

OptionDialog::OptionDialog(const StartTag &tag, const std::string &words, QWidget *parent)
    : PropertyDialog(OptionDialogTitle, parent)
{
    m_outcome.fragment = tag.text();
    m_outcome.words = words;
    const OptionFields f = ReadOptionFields(tag, words);
    m_text = addEdit("Text", "text", f.text);
    m_title = addEdit("Title", "title", f.title);
    m_value = addEdit("Value", "value", f.value);
    m_onPick = addEdit("OnPick URL", "onPick", f.onPick);
    m_id = addEdit("ID", "id", f.id);
    m_xmlLang = addEdit("xml:lang", "xmlLang", f.xmlLang);
    finish();
    bindField(RuleField::Id, m_id);
}

bool OptionDialog::commit()
{
    OptionFields f;
    f.text = text(m_text);
    f.title = text(m_title);
    f.value = text(m_value);
    f.onPick = text(m_onPick);
    f.id = text(m_id);
    f.xmlLang = text(m_xmlLang);
    if (refuse(CheckOptionId(f.id)))
        return false;
    m_outcome = {true, BuildOptionTag(f), OptionWords(f)};
    return true;
}

DialogOutcome RunOptionProperty(const StartTag &tag, const std::string &words, QWidget *parent)
{
    OptionDialog dialog(tag, words, parent);
    dialog.exec();
    return dialog.outcome();
}

} // namespace tess
