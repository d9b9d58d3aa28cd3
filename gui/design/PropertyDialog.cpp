#include "gui/design/PropertyDialog.h"

#include "app/Translation.h"
#include "editor/Prompter.h"
#include "gui/design/WidgetPrompter.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace tess {

PropertyDialog::PropertyDialog(std::string_view title, QWidget *parent)
    : QDialog(parent)
    , m_layout(new QVBoxLayout(this))
    , m_form(new QFormLayout)
{
    setWindowTitle(translated(title));
    m_layout->addLayout(m_form);
}

void PropertyDialog::accept()
{
    if (commit())
        QDialog::accept();
}

QLineEdit *PropertyDialog::addEdit(const char *label, const char *name, const std::string &value)
{
    auto *edit = new QLineEdit(QString::fromStdString(value), this);
    edit->setObjectName(QString::fromLatin1(name));
    m_form->addRow(translated(label), edit);
    return edit;
}

QLineEdit *PropertyDialog::addDigitsEdit(const char *label, const char *name,
                                         const std::string &value)
{
    QLineEdit *edit = addEdit(label, name, value);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    return edit;
}

QButtonGroup *PropertyDialog::addChoice(const char *label, const char *name,
                                        std::initializer_list<const char *> buttons, int checked)
{
    auto *group = new QButtonGroup(this);
    group->setObjectName(QString::fromLatin1(name));
    auto *row = new QHBoxLayout;
    int id = 0;
    for (const char *text : buttons) {
        auto *button = new QRadioButton(translated(text), this);
        button->setChecked(id == checked);
        group->addButton(button, id++);
        row->addWidget(button);
    }
    m_form->addRow(translated(label), row);
    return group;
}

void PropertyDialog::finish()
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PropertyDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PropertyDialog::reject);
    m_layout->addWidget(buttons);
}

bool PropertyDialog::refuse(const RuleResult &failure)
{
    if (!failure)
        return false;
    prompterOf(this).message(failure->message, Prompter::Icon::Warning, Prompter::Buttons::Ok);
    if (QWidget *field = m_fields[failure->field])
        field->setFocus();
    return true;
}

std::string PropertyDialog::text(const QLineEdit *edit)
{
    return edit->text().toStdString();
}

} // namespace tess
