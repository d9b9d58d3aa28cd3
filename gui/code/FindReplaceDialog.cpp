#include "gui/code/FindReplaceDialog.h"

#include "app/Translation.h"
#include "gui/code/CodeConstants.h"
#include "gui/code/DeckCodeEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace tess {

namespace {

// Where the tab switch hook found a window when it hid it.
const char *const kHiddenAtProperty = "tessHiddenAt";

QTextDocument::FindFlags findFlags(bool matchCase, bool wholeWord, bool down)
{
    QTextDocument::FindFlags flags;
    if (matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (wholeWord)
        flags |= QTextDocument::FindWholeWords;
    if (!down)
        flags |= QTextDocument::FindBackward;
    return flags;
}

} // namespace

FindReplaceDialog *FindReplaceDialog::open(Mode mode, QWidget *mainWindow, QPlainTextEdit *editor)
{
    FindReplaceDialog *dialog = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *candidate = qobject_cast<FindReplaceDialog *>(window);
        if (candidate && !candidate->isClosed() && candidate->mode() == mode
            && candidate->parentWidget() == mainWindow)
            dialog = candidate;
    }
    if (!dialog)
        dialog = new FindReplaceDialog(mode, mainWindow);
    dialog->setEditor(editor);
    if (editor) {
        const QString selected = editor->textCursor().selectedText();
        if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
            dialog->m_findEdit->setText(selected);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->m_findEdit->setFocus();
    dialog->m_findEdit->selectAll();
    return dialog;
}

FindReplaceDialog::FindReplaceDialog(Mode mode, QWidget *mainWindow)
    : QDialog(mainWindow)
    , m_mode(mode)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(translated(mode == Mode::Find ? kFindCaption : kReplaceCaption));

    auto *fields = new QGridLayout;
    m_findEdit = new QLineEdit(this);
    auto *findLabel = new QLabel(translated(kFindWhatLabel), this);
    findLabel->setBuddy(m_findEdit);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_findEdit, 0, 1);
    if (mode == Mode::Replace) {
        m_replaceEdit = new QLineEdit(this);
        auto *replaceLabel = new QLabel(translated(kReplaceWithLabel), this);
        replaceLabel->setBuddy(m_replaceEdit);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(m_replaceEdit, 1, 1);
    }
    m_wholeWord = new QCheckBox(translated(kMatchWholeWord), this);
    m_matchCase = new QCheckBox(translated(kMatchCase), this);
    auto *options = new QVBoxLayout;
    options->addWidget(m_wholeWord);
    options->addWidget(m_matchCase);
    auto *lower = new QHBoxLayout;
    lower->addLayout(options);
    m_up = new QRadioButton(translated(kDirectionUp), this);
    m_down = new QRadioButton(translated(kDirectionDown), this);
    m_down->setChecked(true);
    if (mode == Mode::Find) {
        auto *direction = new QGroupBox(translated(kDirectionGroup), this);
        auto *directionLayout = new QHBoxLayout(direction);
        directionLayout->addWidget(m_up);
        directionLayout->addWidget(m_down);
        lower->addWidget(direction);
    } else {
        // The replace window always searches down.
        m_up->hide();
        m_down->hide();
    }
    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(lower);
    m_notice = new QLabel(this);
    // A search for "<b>" is shown as typed.
    m_notice->setTextFormat(Qt::PlainText);
    left->addWidget(m_notice);
    left->addStretch();

    auto *buttons = new QVBoxLayout;
    m_findNext = new QPushButton(translated(kFindNextButton), this);
    m_findNext->setDefault(true);
    buttons->addWidget(m_findNext);
    connect(m_findNext, &QPushButton::clicked, this, &FindReplaceDialog::findNext);
    if (mode == Mode::Replace) {
        m_replace = new QPushButton(translated(kReplaceButton), this);
        m_replaceAll = new QPushButton(translated(kReplaceAllButton), this);
        buttons->addWidget(m_replace);
        buttons->addWidget(m_replaceAll);
        connect(m_replace, &QPushButton::clicked, this, &FindReplaceDialog::replaceCurrent);
        connect(m_replaceAll, &QPushButton::clicked, this, &FindReplaceDialog::replaceAll);
    }
    auto *cancel = new QPushButton(translated(kCancelButton), this);
    buttons->addWidget(cancel);
    buttons->addStretch();
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);

    connect(m_findEdit, &QLineEdit::textChanged, this, &FindReplaceDialog::updateButtons);
    connect(m_findEdit, &QLineEdit::textChanged, m_notice, &QLabel::clear);
    updateButtons();
}

void FindReplaceDialog::setEditor(QPlainTextEdit *editor)
{
    m_editor = editor;
}

void FindReplaceDialog::setFindText(const std::string &text)
{
    m_findEdit->setText(QString::fromStdString(text));
}

void FindReplaceDialog::setReplaceText(const std::string &text)
{
    if (m_replaceEdit)
        m_replaceEdit->setText(QString::fromStdString(text));
}

void FindReplaceDialog::setMatchCase(bool on)
{
    m_matchCase->setChecked(on);
}

void FindReplaceDialog::setWholeWord(bool on)
{
    m_wholeWord->setChecked(on);
}

void FindReplaceDialog::setSearchDown(bool down)
{
    (down ? m_down : m_up)->setChecked(true);
}

// A long text may still be going into the code view: searching and
// replacing work on all of it.
void FindReplaceDialog::completeEditorText()
{
    if (auto *code = qobject_cast<CodeEditor *>(m_editor.data()))
        code->completeText();
}

bool FindReplaceDialog::findNext()
{
    completeEditorText();
    const QString what = m_findEdit->text();
    if (!m_editor || what.isEmpty())
        return false;
    const bool down = m_mode == Mode::Replace || m_down->isChecked();
    const auto flags = findFlags(m_matchCase->isChecked(), m_wholeWord->isChecked(), down);
    QTextDocument *document = m_editor->document();
    QTextCursor found = document->find(what, m_editor->textCursor(), flags);
    if (found.isNull()) {
        QTextCursor from(document);
        if (!down)
            from.movePosition(QTextCursor::End);
        found = document->find(what, from, flags);
    }
    if (found.isNull()) {
        tellNotFound();
        return false;
    }
    m_notice->clear();
    m_editor->setTextCursor(found);
    return true;
}

bool FindReplaceDialog::replaceCurrent()
{
    completeEditorText();
    if (!m_editor || !m_replaceEdit)
        return false;
    QTextCursor cursor = m_editor->textCursor();
    const Qt::CaseSensitivity sensitivity
        = m_matchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool replaced = cursor.hasSelection()
        && cursor.selectedText().compare(m_findEdit->text(), sensitivity) == 0;
    if (replaced) {
        cursor.insertText(m_replaceEdit->text());
        m_editor->setTextCursor(cursor);
        noteReplaced();
    }
    findNext();
    return replaced;
}

int FindReplaceDialog::replaceAll()
{
    completeEditorText();
    const QString what = m_findEdit->text();
    if (!m_editor || !m_replaceEdit || what.isEmpty())
        return 0;
    const auto flags = findFlags(m_matchCase->isChecked(), m_wholeWord->isChecked(), true);
    QTextDocument *document = m_editor->document();
    QTextCursor edit(document);
    QTextCursor last;
    int count = 0;
    edit.beginEditBlock();
    for (QTextCursor found = document->find(what, 0, flags); !found.isNull();
         found = document->find(what, found, flags)) {
        found.insertText(m_replaceEdit->text());
        last = found;
        ++count;
    }
    edit.endEditBlock();
    if (count == 0) {
        tellNotFound();
        return 0;
    }
    m_notice->clear();
    m_editor->setTextCursor(last);
    noteReplaced();
    return count;
}

void FindReplaceDialog::done(int result)
{
    m_closed = true;
    QDialog::done(result);
}

void FindReplaceDialog::updateButtons()
{
    const bool any = !m_findEdit->text().isEmpty();
    m_findNext->setEnabled(any);
    if (m_replace) {
        m_replace->setEnabled(any);
        m_replaceAll->setEnabled(any);
    }
}

std::string FindReplaceDialog::notice() const
{
    return m_notice->text().toStdString();
}

void FindReplaceDialog::tellNotFound()
{
    QApplication::beep();
    m_notice->setText(translated(kNotFoundFormat).arg(m_findEdit->text()));
}

void FindReplaceDialog::noteReplaced()
{
    if (auto *codeView = qobject_cast<DeckCodeEditor *>(m_editor.data()))
        codeView->markModified();
}

void followCodeTab(QWidget *mainWindow, int tabIndex)
{
    if (!mainWindow)
        return;
    for (const char *caption : {kFindCaption, kReplaceCaption}) {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->windowTitle() != translated(caption)
                || window->parentWidget() != mainWindow)
                continue;
            if (auto *dialog = qobject_cast<FindReplaceDialog *>(window);
                dialog && dialog->isClosed())
                continue;
            if (tabIndex == kCodeTabIndex) {
                const QVariant at = window->property(kHiddenAtProperty);
                if (at.isValid())
                    window->move(at.toPoint());
                window->show();
            } else if (window->isVisible()) {
                window->setProperty(kHiddenAtProperty, window->pos());
                window->hide();
            }
        }
    }
}

} // namespace tess
