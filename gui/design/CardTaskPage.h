#pragma once

#include "editor/CardTaskEditor.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tess {

// The "Action" page of the card property sheet: the card's do events with
// their tasks and variables. Every command reads the controls into the
// editor, runs there and shows the editor's state again.
class CardTaskPage : public QWidget
{
    Q_OBJECT
public:
    explicit CardTaskPage(QWidget *parent = nullptr);

    void load(const std::vector<std::string> &events);
    // The editor as the controls leave it.
    const CardTaskEditor &editor();
    // The control of an Action page field; null for the Card page's fields.
    QWidget *fieldWidget(RuleField field) const;

public slots:
    void OnAddEvent();
    void OnDeleteEvent();
    void OnClear();
    void OnAddVariable();
    void OnDeleteVariable();

private:
    void build();
    void pull();
    void push();
    void run(void (CardTaskEditor::*command)());
    void onTaskType(int index);

    CardTaskEditor m_editor;
    bool m_pushing = false;
    QListWidget *m_events, *m_variables;
    QLineEdit *m_id, *m_xmlLang, *m_className, *m_label, *m_action;
    QLineEdit *m_url, *m_acceptCharset, *m_variableName, *m_variableValue;
    QComboBox *m_eventType, *m_taskType;
    QCheckBox *m_sendReferer;
    QButtonGroup *m_method, *m_variableKind;
    QPushButton *m_addEvent, *m_deleteEvent, *m_clear, *m_addVariable, *m_deleteVariable;
};

} // namespace tess
