#include "designer/AnchorDlg.h"

#include "designer/DesignerConstants.h"

#include <QLineEdit>

namespace tess {

CAnchorDlg::CAnchorDlg(const std::string &fragment, const std::string &words, QWidget *parent)
    : PropertyDialog(AnchorDialogTitle, parent)
{
    m_outcome.fragment = fragment;
    m_outcome.words = words;
    const AnchorFields f = ReadAnchorFields(fragment, words);
    m_text = addEdit("Text", "text", f.text);
    m_url = addEdit("URL", "url", f.url);
    m_title = addEdit("Title", "title", f.title);
    m_xmlLang = addEdit("xml:lang", "xmlLang", f.xmlLang);
    finish();
}

bool CAnchorDlg::commit()
{
    AnchorFields f;
    f.text = text(m_text);
    f.url = text(m_url);
    f.title = text(m_title);
    f.xmlLang = text(m_xmlLang);
    m_outcome = {true, BuildAnchorTag(f), AnchorWords(f)};
    return true;
}

DialogOutcome RunAnchorDlg(const std::string &fragment, const std::string &words, QWidget *parent)
{
    CAnchorDlg dialog(fragment, words, parent);
    dialog.exec();
    return dialog.outcome();
}

} // namespace tess
