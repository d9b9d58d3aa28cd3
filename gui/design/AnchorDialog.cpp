#include "gui/design/AnchorDialog.h"

#include "editor/DesignConstants.h"

#include <QLineEdit>

namespace tess {

AnchorDialog::AnchorDialog(const StartTag &tag, const std::string &words, QWidget *parent)
    : PropertyDialog(AnchorDialogTitle, parent)
{
    m_outcome.fragment = tag.text();
    m_outcome.words = words;
    const AnchorFields f = ReadAnchorFields(tag, words);
    m_text = addEdit("Text", "text", f.text);
    m_url = addEdit("URL", "url", f.url);
    m_title = addEdit("Title", "title", f.title);
    m_xmlLang = addEdit("xml:lang", "xmlLang", f.xmlLang);
    finish();
}

bool AnchorDialog::commit()
{
    AnchorFields f;
    f.text = text(m_text);
    f.url = text(m_url);
    f.title = text(m_title);
    f.xmlLang = text(m_xmlLang);
    m_outcome = {true, BuildAnchorTag(f), AnchorWords(f)};
    return true;
}

DialogOutcome RunAnchorDlg(const StartTag &tag, const std::string &words, QWidget *parent)
{
    AnchorDialog dialog(tag, words, parent);
    dialog.exec();
    return dialog.outcome();
}

} // namespace tess
