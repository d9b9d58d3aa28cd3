#pragma once

#include "editor/AnchorProperties.h"
#include "editor/ElementProperties.h"
#include "gui/design/PropertyDialog.h"

class QLineEdit;

namespace tess {

// "A Element": an anchor's start tag and the words of its text child.
class AnchorDialog : public PropertyDialog
{
    Q_OBJECT
public:
    AnchorDialog(const StartTag &tag, const std::string &words, QWidget *parent = nullptr);
    const DialogOutcome &outcome() const { return m_outcome; }

protected:
    bool commit() override;

private:
    DialogOutcome m_outcome;
    QLineEdit *m_text, *m_url, *m_title, *m_xmlLang;
};

DialogOutcome RunAnchorDlg(const StartTag &tag, const std::string &words,
                           QWidget *parent = nullptr);

} // namespace tess
