#include "gui/design/CardTaskPage.h"

#include "app/Translation.h"
#include "deck/DeckConstants.h"
#include "editor/Prompter.h"
#include "gui/design/WidgetPrompter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tess {

namespace {

QString qtext(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A list row shows an event on one line.
QString rowText(const std::string &event)
{
    QString text = QString::fromStdString(event);
    text.remove(QLatin1Char('\r'));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

int selectedRow(const QListWidget *list)
{
    const QList<QListWidgetItem *> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.front());
}

} // namespace

CardTaskPage::CardTaskPage(QWidget *parent)
    : QWidget(parent)
{
    build();
    push();
}

void CardTaskPage::build()
{
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);
    const auto edit = [this, form](const char *label, const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        form->addRow(translated(label), e);
        return e;
    };
    const auto button = [this](const char *text, const char *name, void (CardTaskPage::*slot)()) {
        auto *b = new QPushButton(translated(text), this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    const auto radios = [this](const char *name, std::initializer_list<const char *> texts) {
        auto *group = new QButtonGroup(this);
        group->setObjectName(QString::fromLatin1(name));
        auto *row = new QHBoxLayout;
        int id = 0;
        for (const char *text : texts) {
            auto *r = new QRadioButton(translated(text), this);
            group->addButton(r, id++);
            row->addWidget(r);
        }
        return std::pair {group, row};
    };

    m_id = edit("&ID", "id");
    m_eventType = new QComboBox(this);
    m_eventType->setObjectName("eventType");
    for (std::string_view type : EventTypes)
        m_eventType->addItem(qtext(type));
    form->addRow(translated(EventTypeLabel), m_eventType);
    m_xmlLang = edit("&xml:lang", "xmlLang");
    m_className = edit("&Class", "className");
    m_label = edit("&Label", "label");
    m_action = edit("Act&ion", "action");

    m_taskType = new QComboBox(this);
    m_taskType->setObjectName("taskType");
    for (std::string_view type : TaskTypeNames)
        m_taskType->addItem(qtext(type));
    form->addRow(translated(TaskTypeLabel), m_taskType);
    connect(m_taskType, &QComboBox::currentIndexChanged, this, &CardTaskPage::onTaskType);
    m_url = edit("&URL", "url");
    m_acceptCharset = edit("Accept-&charset", "acceptCharset");
    m_sendReferer = new QCheckBox(tr("Send &Referer"), this);
    m_sendReferer->setObjectName("sendReferer");
    form->addRow(m_sendReferer);
    auto [method, methodRow] = radios("method", {"Get", "Post"});
    m_method = method;
    form->addRow(tr("Method"), methodRow);

    auto [kind, kindRow] = radios("variableKind", {"setvar", "postfield"});
    m_variableKind = kind;
    form->addRow(tr("Variable"), kindRow);
    m_variableName = edit("&Name", "variableName");
    m_variableValue = edit("&Value", "variableValue");
    m_variables = new QListWidget(this);
    m_variables->setObjectName("variables");
    connect(m_variables, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        pull();
        m_editor.loadVariable(m_variables->row(item));
        push();
    });
    auto *variableRow = new QHBoxLayout;
    variableRow->addWidget(m_variables);
    auto *variableButtons = new QVBoxLayout;
    m_addVariable = button("Add", "addVariable", &CardTaskPage::OnAddVariable);
    m_deleteVariable = button("Del", "deleteVariable", &CardTaskPage::OnDeleteVariable);
    variableButtons->addWidget(m_addVariable);
    variableButtons->addWidget(m_deleteVariable);
    variableRow->addLayout(variableButtons);
    layout->addLayout(variableRow);

    m_events = new QListWidget(this);
    m_events->setObjectName("events");
    connect(m_events, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        pull();
        m_editor.loadEvent(m_events->row(item));
        push();
    });
    layout->addWidget(m_events);
    auto *eventButtons = new QHBoxLayout;
    m_addEvent = button("Add", "addEvent", &CardTaskPage::OnAddEvent);
    m_deleteEvent = button("Delete", "deleteEvent", &CardTaskPage::OnDeleteEvent);
    m_clear = button("Clear", "clear", &CardTaskPage::OnClear);
    eventButtons->addWidget(m_addEvent);
    eventButtons->addWidget(m_deleteEvent);
    eventButtons->addWidget(m_clear);
    layout->addLayout(eventButtons);
}

void CardTaskPage::load(const std::vector<std::string> &events)
{
    m_editor = CardTaskEditor(events);
    push();
}

const CardTaskEditor &CardTaskPage::editor()
{
    pull();
    return m_editor;
}

QWidget *CardTaskPage::fieldWidget(RuleField field) const
{
    switch (field) {
    case RuleField::ActionId:
        return m_id;
    case RuleField::ActionName:
        return m_action;
    case RuleField::VariableName:
        return m_variableName;
    case RuleField::Url:
        return m_url;
    case RuleField::TaskType:
        return m_taskType;
    default:
        return nullptr;
    }
}

void CardTaskPage::pull()
{
    CardTaskFields &f = m_editor.fields;
    f.id = m_id->text().toStdString();
    f.eventType = m_eventType->currentText().toStdString();
    f.xmlLang = m_xmlLang->text().toStdString();
    f.className = m_className->text().toStdString();
    f.label = m_label->text().toStdString();
    f.action = m_action->text().toStdString();
    f.url = m_url->text().toStdString();
    f.acceptCharset = m_acceptCharset->text().toStdString();
    f.sendReferer = m_sendReferer->isChecked();
    f.post = m_method->checkedId() == 1;
    f.postfield = m_variableKind->checkedId() == 1;
    f.variableName = m_variableName->text().toStdString();
    f.variableValue = m_variableValue->text().toStdString();
    m_editor.selectedEvent = selectedRow(m_events);
    m_editor.selectedVariable = selectedRow(m_variables);
}

void CardTaskPage::push()
{
    m_pushing = true;
    const CardTaskFields &f = m_editor.fields;
    m_id->setText(QString::fromStdString(f.id));
    const QString eventType = QString::fromStdString(f.eventType);
    // A type the list does not offer, read from a deck, is kept as an entry.
    if (m_eventType->findText(eventType) < 0)
        m_eventType->addItem(eventType);
    m_eventType->setCurrentIndex(m_eventType->findText(eventType));
    m_xmlLang->setText(QString::fromStdString(f.xmlLang));
    m_className->setText(QString::fromStdString(f.className));
    m_label->setText(QString::fromStdString(f.label));
    m_action->setText(QString::fromStdString(f.action));
    m_taskType->setCurrentIndex(static_cast<int>(m_editor.taskType()) - 1);
    m_url->setText(QString::fromStdString(f.url));
    m_acceptCharset->setText(QString::fromStdString(f.acceptCharset));
    m_sendReferer->setChecked(f.sendReferer);
    m_method->button(f.post ? 1 : 0)->setChecked(true);
    m_variableKind->button(f.postfield ? 1 : 0)->setChecked(true);
    m_variableName->setText(QString::fromStdString(f.variableName));
    m_variableValue->setText(QString::fromStdString(f.variableValue));

    m_events->clear();
    for (const std::string &event : m_editor.events())
        m_events->addItem(rowText(event));
    if (m_editor.selectedEvent >= 0)
        m_events->setCurrentRow(m_editor.selectedEvent);
    m_variables->clear();
    for (const std::string &variable : m_editor.variables())
        m_variables->addItem(QString::fromStdString(variable));
    if (m_editor.selectedVariable >= 0)
        m_variables->setCurrentRow(m_editor.selectedVariable);

    const TaskFieldStates s = m_editor.states();
    for (QWidget *w : {static_cast<QWidget *>(m_url), static_cast<QWidget *>(m_acceptCharset),
                       static_cast<QWidget *>(m_sendReferer)})
        w->setEnabled(s.goFields);
    for (QAbstractButton *b : m_method->buttons())
        b->setEnabled(s.goFields);
    m_variableKind->button(0)->setEnabled(s.variables);
    m_variableKind->button(1)->setEnabled(s.postfield);
    for (QWidget *w :
         {static_cast<QWidget *>(m_variableName), static_cast<QWidget *>(m_variableValue),
          static_cast<QWidget *>(m_variables), static_cast<QWidget *>(m_addVariable)})
        w->setEnabled(s.variables);
    m_deleteVariable->setEnabled(s.deleteVariable);
    m_deleteEvent->setEnabled(s.deleteEvent);
    m_pushing = false;
}

void CardTaskPage::run(void (CardTaskEditor::*command)())
{
    pull();
    (m_editor.*command)();
    push();
}

void CardTaskPage::onTaskType(int index)
{
    if (m_pushing)
        return;
    pull();
    m_editor.setTaskType(static_cast<TaskType>(index + 1));
    push();
}

void CardTaskPage::OnAddEvent()
{
    pull();
    if (const RuleResult failure = m_editor.addEvent()) {
        prompterOf(this).message(failure->message, Prompter::Icon::Warning, Prompter::Buttons::Ok);
        if (QWidget *field = fieldWidget(failure->field))
            field->setFocus();
        return;
    }
    push();
    m_id->setFocus();
}

void CardTaskPage::OnDeleteEvent()
{
    run(&CardTaskEditor::deleteEvent);
}

void CardTaskPage::OnClear()
{
    run(&CardTaskEditor::clear);
}

void CardTaskPage::OnAddVariable()
{
    run(&CardTaskEditor::addVariable);
}

void CardTaskPage::OnDeleteVariable()
{
    run(&CardTaskEditor::deleteVariable);
}

} // namespace tess
