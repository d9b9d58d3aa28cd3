#pragma once

#include "editor/ElementProperties.h"
#include "editor/OptgroupProperties.h"
#include "gui/design/PropertyDialog.h"

class QLineEdit;

namespace tess {

// "Optgroup Properties": the start tag of an option group.
class OptgroupDialog : public PropertyDialog
{
    Q_OBJECT
public:
    explicit OptgroupDialog(const StartTag &tag, QWidget *parent = nullptr);
    const DialogOutcome &outcome() const { return m_outcome; }

protected:
    bool commit() override;

private:
    DialogOutcome m_outcome;
    QLineEdit *m_title, *m_xmlLang, *m_className, *m_id;
};

DialogOutcome RunOptgp(const StartTag &tag, QWidget *parent = nullptr);

} // namespace tess
