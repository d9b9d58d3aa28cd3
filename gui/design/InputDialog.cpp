#include "gui/design/InputDialog.h"

#include "app/Translation.h"
#include "editor/DesignConstants.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>

namespace tess {

namespace {

constexpr int kMaxLengthTop = 100;

// An up-down field that may also be left empty: its lowest step, one below
// 0, shows as blank and means "not set".
class OptionalSpinBox : public QSpinBox
{
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString &text, int &pos) const override
    {
        if (text.isEmpty())
            return QValidator::Acceptable;
        for (QChar c : text) {
            if (!c.isDigit())
                return QValidator::Invalid;
        }
        return QSpinBox::validate(text, pos);
    }
    int valueFromText(const QString &text) const override
    {
        return text.isEmpty() ? minimum() : QSpinBox::valueFromText(text);
    }
    QString textFromValue(int value) const override
    {
        return value == minimum() ? QString() : QSpinBox::textFromValue(value);
    }
};

} // namespace

InputDialog::InputDialog(const StartTag &tag, QWidget *parent)
    : PropertyDialog(InputDialogTitle, parent)
{
    m_outcome.fragment = tag.text();
    const InputFields f = ReadInputFields(tag);
    m_name = addEdit("Name", "name", f.name);
    m_title = addEdit("Title", "title", f.title);
    m_value = addEdit("Value", "value", f.value);
    m_tabIndex = addDigitsEdit("Tab Index", "tabIndex", f.tabIndex);

    m_maxLength = new OptionalSpinBox(this);
    m_maxLength->setObjectName("maxLength");
    // A stored length beyond the up-down range is kept, not clipped.
    const int stored = IsDigitsOnly(f.maxLength) && !f.maxLength.empty() && f.maxLength.size() < 9
        ? std::stoi(f.maxLength)
        : -1;
    m_maxLength->setRange(-1, std::max(kMaxLengthTop, stored));
    m_maxLength->setValue(stored);
    form()->addRow(tr("Max Length"), m_maxLength);

    m_className = addEdit("Class", "className", f.className);
    m_type = addChoice("Type", "type", {"Text", "Password"}, f.password ? 1 : 0);
    m_emptyOk = addChoice("Allow Empty", "emptyOk", {"Yes", "No"}, f.emptyOk ? 0 : 1);
    m_size = addDigitsEdit("Size", "size", f.size);
    m_xmlLang = addEdit("XML:Lang", "xmlLang", f.xmlLang);

    m_format = new QComboBox(this);
    m_format->setObjectName("format");
    for (std::string_view entry : InputFormatEntries)
        m_format->addItem(translated(entry));
    m_format->setCurrentIndex(f.format);
    form()->addRow(tr("Format"), m_format);
    finish();
    bindField(RuleField::Name, m_name);
}

InputFields InputDialog::fields() const
{
    InputFields f;
    f.name = text(m_name);
    f.title = text(m_title);
    f.value = text(m_value);
    f.tabIndex = text(m_tabIndex);
    f.maxLength = m_maxLength->value() < 0 ? std::string() : std::to_string(m_maxLength->value());
    f.className = text(m_className);
    f.password = m_type->checkedId() == 1;
    f.emptyOk = m_emptyOk->checkedId() == 0;
    f.size = text(m_size);
    f.xmlLang = text(m_xmlLang);
    f.format = m_format->currentIndex();
    return f;
}

bool InputDialog::commit()
{
    InputFields f = fields();
    if (refuse(CheckInputName(f.name, f.value)))
        return false;
    m_outcome.fragment = BuildInputTag(f);
    m_outcome.accepted = true;
    return true;
}

DialogOutcome RunInputControlDlg(const StartTag &tag, QWidget *parent)
{
    InputDialog dialog(tag, parent);
    dialog.exec();
    return dialog.outcome();
}

} // namespace tess
