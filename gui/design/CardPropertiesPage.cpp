#include "gui/design/CardPropertiesPage.h"

#include "app/Translation.h"
#include "deck/DeckConstants.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace tess {

namespace {

// Each field's typing limit, 0 for none.
constexpr const char *kLimitProperty = "typingLimit";

} // namespace

CardPropertiesPage::CardPropertiesPage(QWidget *parent)
    : QWidget(parent)
{
    auto *form = new QFormLayout(this);
    const auto add = [this, form](const char *label, const char *name, int limit) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setProperty(kLimitProperty, limit);
        if (limit > 0)
            edit->setMaxLength(limit);
        form->addRow(translated(label), edit);
        return edit;
    };
    m_id = add("&ID", "id", 0);
    m_title = add("&Title", "title", kCardTitleLimit);
    m_forwardUrl = add("&Forward URL", "forwardUrl", kCardUrlLimit);
    m_backwardUrl = add("&Backward URL", "backwardUrl", kCardUrlLimit);
    m_xmlLang = add("&xml:lang", "xmlLang", kCardXmlLangLimit);
    m_className = add("&Class", "className", kCardClassLimit);
    m_ordered = new QCheckBox(translated(OrderedCardLabel), this);
    m_ordered->setObjectName("ordered");
    m_newContext = new QCheckBox(translated(NewContextLabel), this);
    m_newContext->setObjectName("newContext");
    form->addRow(m_ordered);
    form->addRow(m_newContext);
    m_timerName = add("Timer &Name", "timerName", kTimerNameLimit);
    m_timerValue = add("Timer &Value", "timerValue", 0);
    m_timerValue->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*"), m_timerValue));
    m_timerUrl = add("Timer &URL", "timerUrl", kCardUrlLimit);
}

void CardPropertiesPage::load(const std::string &cardFragment, const std::string &timerFragment)
{
    CardPropertyFields f = fields();
    LoadCardFields(f, cardFragment, timerFragment);
    // Filled as stored: a longer stored value widens its field's limit
    // rather than being cut.
    const std::pair<QLineEdit *, const std::string *> edits[] = {{m_id, &f.id},
                                                                 {m_title, &f.title},
                                                                 {m_forwardUrl, &f.forwardUrl},
                                                                 {m_backwardUrl, &f.backwardUrl},
                                                                 {m_timerUrl, &f.timerUrl},
                                                                 {m_xmlLang, &f.xmlLang},
                                                                 {m_className, &f.className},
                                                                 {m_timerName, &f.timerName},
                                                                 {m_timerValue, &f.timerValue}};
    for (const auto &[edit, value] : edits) {
        const QString text = QString::fromStdString(*value);
        const int limit = edit->property(kLimitProperty).toInt();
        if (limit > 0)
            edit->setMaxLength(std::max<int>(limit, text.size()));
        edit->setText(text);
    }
    m_ordered->setChecked(f.ordered);
    m_newContext->setChecked(f.newContext);
}

CardPropertyFields CardPropertiesPage::fields() const
{
    CardPropertyFields f;
    f.id = m_id->text().toStdString();
    f.title = m_title->text().toStdString();
    f.forwardUrl = m_forwardUrl->text().toStdString();
    f.backwardUrl = m_backwardUrl->text().toStdString();
    f.timerUrl = m_timerUrl->text().toStdString();
    f.xmlLang = m_xmlLang->text().toStdString();
    f.className = m_className->text().toStdString();
    f.timerName = m_timerName->text().toStdString();
    f.timerValue = m_timerValue->text().toStdString();
    f.ordered = m_ordered->isChecked();
    f.newContext = m_newContext->isChecked();
    return f;
}

QWidget *CardPropertiesPage::fieldWidget(RuleField field) const
{
    switch (field) {
    case RuleField::CardId:
        return m_id;
    case RuleField::CardTitle:
        return m_title;
    case RuleField::ForwardUrl:
        return m_forwardUrl;
    case RuleField::BackwardUrl:
        return m_backwardUrl;
    case RuleField::TimerUrl:
        return m_timerUrl;
    case RuleField::TimerName:
        return m_timerName;
    default:
        return nullptr;
    }
}

} // namespace tess
