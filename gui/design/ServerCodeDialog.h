#pragma once

#include "editor/ElementProperties.h"
#include "gui/design/PropertyDialog.h"

class QPlainTextEdit;

namespace tess {

// "CodeEditor": the code of an ASP or JSP block. Its fragment is the
// outcome after Cancel too: the text the dialog opened with.
class ServerCodeDialog : public PropertyDialog
{
    Q_OBJECT
public:
    explicit ServerCodeDialog(const std::string &fragment, QWidget *parent = nullptr);
    const DialogOutcome &outcome() const { return m_outcome; }

protected:
    bool commit() override;

private:
    DialogOutcome m_outcome;
    QPlainTextEdit *m_code;
};

DialogOutcome RunAspJspEditorDialog(const std::string &fragment, QWidget *parent = nullptr);

} // namespace tess
