#pragma once

#include "editor/CardPropertyFields.h"
#include "editor/InputRules.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;

namespace tess {

// The "Card" page of the card property sheet: the card's attributes and its
// timer.
class CardPropertiesPage : public QWidget
{
    Q_OBJECT
public:
    explicit CardPropertiesPage(QWidget *parent = nullptr);

    void load(const std::string &cardFragment, const std::string &timerFragment);
    CardPropertyFields fields() const;
    // The control of a card field; null for the Action page's fields.
    QWidget *fieldWidget(RuleField field) const;

private:
    QLineEdit *m_id, *m_title, *m_forwardUrl, *m_backwardUrl, *m_timerUrl, *m_xmlLang;
    QLineEdit *m_className, *m_timerName, *m_timerValue;
    QCheckBox *m_ordered, *m_newContext;
};

} // namespace tess
