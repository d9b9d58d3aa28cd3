#pragma once

#include "designer/ElementProperties.h"
#include "designer/OptgroupProperties.h"
#include "designer/PropertyDialog.h"

class QLineEdit;

namespace tess {

// "Optgroup Properties": the start tag of an option group.
class COptgp : public PropertyDialog
{
    Q_OBJECT
public:
    explicit COptgp(const std::string &fragment, QWidget *parent = nullptr);
    const DialogOutcome &outcome() const { return m_outcome; }

protected:
    bool commit() override;

private:
    DialogOutcome m_outcome;
    QLineEdit *m_title, *m_xmlLang, *m_className, *m_id;
};

DialogOutcome RunOptgp(const std::string &fragment, QWidget *parent = nullptr);

} // namespace tess
