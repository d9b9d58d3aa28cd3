#pragma once

#include "editor/TextProperties.h"
#include "gui/design/PropertyDialog.h"

#include <optional>

class QButtonGroup;
class QCheckBox;
class QPlainTextEdit;

namespace tess {

// "Text": the words of a Text control with its emphasis and size.
class TextDialog : public PropertyDialog
{
    Q_OBJECT
public:
    explicit TextDialog(const TextFields &fields, QWidget *parent = nullptr);
    // Set after OK.
    const std::optional<TextFields> &result() const { return m_result; }

protected:
    bool commit() override;

private:
    std::optional<TextFields> m_result;
    QPlainTextEdit *m_text;
    QCheckBox *m_emphasis, *m_strong, *m_underline, *m_italic;
    QButtonGroup *m_size;
};

// The fields after OK; nothing after Cancel.
std::optional<TextFields> RunTextProperty(const TextFields &fields, QWidget *parent = nullptr);

} // namespace tess
