#pragma once

#include "editor/ElementProperties.h"
#include "editor/OptionProperties.h"
#include "gui/design/PropertyDialog.h"

class QLineEdit;

namespace tess {

// "Option": an option's start tag and the words of its text child.
class OptionDialog : public PropertyDialog
{
    Q_OBJECT
public:
    OptionDialog(const StartTag &tag, const std::string &words, QWidget *parent = nullptr);
    const DialogOutcome &outcome() const { return m_outcome; }

protected:
    bool commit() override;

private:
    DialogOutcome m_outcome;
    QLineEdit *m_text, *m_title, *m_value, *m_onPick, *m_id, *m_xmlLang;
};

DialogOutcome RunOptionProperty(const StartTag &tag, const std::string &words,
                                QWidget *parent = nullptr);

} // namespace tess
