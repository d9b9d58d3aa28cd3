#include "gui/design/TextDialog.h"

#include "app/Translation.h"
#include "editor/DesignConstants.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QPlainTextEdit>

namespace tess {

TextDialog::TextDialog(const TextFields &f, QWidget *parent)
    : PropertyDialog(TextDialogTitle, parent)
{
    m_text = new QPlainTextEdit(QString::fromStdString(f.text), this);
    m_text->setObjectName("text");
    form()->addRow(tr("Text"), m_text);
    const auto addBox = [this](const char *label, const char *name, bool checked) {
        auto *box = new QCheckBox(translated(label), this);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(checked);
        form()->addRow(box);
        return box;
    };
    m_emphasis = addBox("Emphasis", "emphasis", f.emphasis);
    m_strong = addBox("Strong", "strong", f.strong);
    m_underline = addBox("Underline", "underline", f.underline);
    m_italic = addBox("Italic", "italic", f.italic);
    m_size = addChoice("Size", "size", {"Normal", "Big", "Small"}, static_cast<int>(f.size));
    finish();
}

bool TextDialog::commit()
{
    TextFields f;
    f.text = m_text->toPlainText().toStdString();
    f.emphasis = m_emphasis->isChecked();
    f.strong = m_strong->isChecked();
    f.underline = m_underline->isChecked();
    f.italic = m_italic->isChecked();
    const int size = m_size->checkedId();
    f.size = size < 0 ? TextSize::Normal : static_cast<TextSize>(size);
    m_result = f;
    return true;
}

std::optional<TextFields> RunTextProperty(const TextFields &fields, QWidget *parent)
{
    TextDialog dialog(fields, parent);
    dialog.exec();
    return dialog.result();
}

} // namespace tess
