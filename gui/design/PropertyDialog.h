#pragma once

#include "editor/InputRules.h"

#include <QDialog>

#include <map>
#include <string>
#include <string_view>

class QButtonGroup;
class QFormLayout;
class QLineEdit;
class QVBoxLayout;

namespace tess {

// The frame every element property dialog shares: a form of fields, OK and
// Cancel. OK asks commit() to check and build; a refusal shows its message
// through the prompter, puts the focus on the field named and keeps the
// dialog open with everything typed. The prompter is the parent's
// (prompterOf).
class PropertyDialog : public QDialog
{
    Q_OBJECT
public:
    PropertyDialog(std::string_view title, QWidget *parent);

public slots:
    void accept() override;

protected:
    // Checks the fields and stores the result; false keeps the dialog open.
    virtual bool commit() = 0;

    QFormLayout *form() const { return m_form; }
    QLineEdit *addEdit(const char *label, const char *name, const std::string &value);
    QLineEdit *addDigitsEdit(const char *label, const char *name, const std::string &value);
    // A row of radio buttons; button i is checked when i == checked.
    QButtonGroup *addChoice(const char *label, const char *name,
                            std::initializer_list<const char *> buttons, int checked);
    // Appends OK and Cancel; call after the last field.
    void finish();

    void bindField(RuleField field, QWidget *widget) { m_fields[field] = widget; }
    // True (after the message) when there is a failure.
    bool refuse(const RuleResult &failure);

    static std::string text(const QLineEdit *edit);

private:
    QVBoxLayout *m_layout = nullptr;
    QFormLayout *m_form = nullptr;
    std::map<RuleField, QWidget *> m_fields;
};

} // namespace tess
