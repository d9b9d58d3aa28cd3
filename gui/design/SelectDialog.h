#pragma once

#include "editor/ElementProperties.h"
#include "editor/SelectProperties.h"
#include "gui/design/PropertyDialog.h"

class QButtonGroup;
class QLineEdit;

namespace tess {

// "Select": the start tag of a select holding `childCount` children.
class SelectDialog : public PropertyDialog
{
    Q_OBJECT
public:
    SelectDialog(const StartTag &tag, int childCount, QWidget *parent = nullptr);
    const DialogOutcome &outcome() const { return m_outcome; }

protected:
    bool commit() override;

private:
    DialogOutcome m_outcome;
    int m_childCount;
    QLineEdit *m_name, *m_title, *m_tabIndex, *m_id, *m_className, *m_value;
    QButtonGroup *m_style;
    QLineEdit *m_indexName, *m_indexValue, *m_xmlLang;
};

DialogOutcome RunGroupProperty(const StartTag &tag, int childCount, QWidget *parent = nullptr);

} // namespace tess
