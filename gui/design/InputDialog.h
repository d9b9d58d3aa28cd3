#pragma once

#include "editor/ElementProperties.h"
#include "editor/InputProperties.h"
#include "gui/design/PropertyDialog.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace tess {

// "Input Properties": the start tag of an input.
class InputDialog : public PropertyDialog
{
    Q_OBJECT
public:
    InputDialog(const StartTag &tag, QWidget *parent = nullptr);
    const DialogOutcome &outcome() const { return m_outcome; }

protected:
    bool commit() override;

private:
    InputFields fields() const;

    DialogOutcome m_outcome;
    QLineEdit *m_name, *m_title, *m_value, *m_tabIndex, *m_className, *m_size, *m_xmlLang;
    QSpinBox *m_maxLength;
    QButtonGroup *m_type, *m_emptyOk;
    QComboBox *m_format;
};

DialogOutcome RunInputControlDlg(const StartTag &tag, QWidget *parent = nullptr);

} // namespace tess
