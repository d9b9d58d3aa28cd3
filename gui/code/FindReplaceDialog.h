#pragma once

#include <QDialog>
#include <QPointer>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tess {

// The "Find" and "Replace" windows of the main window: modeless, one of each
// per main window, searching whichever code view they were last opened over.
// Closing one destroys it; the tab switch hook only hides and shows it.
class FindReplaceDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Mode { Find, Replace };

    // Brings up the main window's window of that kind over `editor`, made if
    // needed; a one-line selection becomes the text to find.
    static FindReplaceDialog *open(Mode mode, QWidget *mainWindow, QPlainTextEdit *editor);

    FindReplaceDialog(Mode mode, QWidget *mainWindow);

    Mode mode() const { return m_mode; }
    bool isClosed() const { return m_closed; }
    void setEditor(QPlainTextEdit *editor);

    void setFindText(const std::string &text);
    void setReplaceText(const std::string &text);
    void setMatchCase(bool on);
    void setWholeWord(bool on);
    void setSearchDown(bool down);

    // Selects the next match after the selection (or before it, searching
    // up), going round the end of the text once; beeps and says so when
    // there is none.
    bool findNext();
    // Replaces the selection when it is a match, then finds the next one.
    bool replaceCurrent();
    // Replaces every match in the text as one undo step; the count of them.
    int replaceAll();
    // What the window says under its fields; empty until a search fails.
    std::string notice() const;

protected:
    void done(int result) override;

private:
    void updateButtons();
    void noteReplaced();
    void tellNotFound();

    Mode m_mode;
    bool m_closed = false;
    void completeEditorText();

    QPointer<QPlainTextEdit> m_editor;
    QLineEdit *m_findEdit = nullptr;
    QLineEdit *m_replaceEdit = nullptr;
    QLabel *m_notice = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QRadioButton *m_up = nullptr;
    QRadioButton *m_down = nullptr;
    QPushButton *m_findNext = nullptr;
    QPushButton *m_replace = nullptr;
    QPushButton *m_replaceAll = nullptr;
};

// Tab switch hook: every top-level window captioned "Find" or "Replace" whose
// parent is `mainWindow` is shown again where it was when `tabIndex` is the
// Code tab, and hidden otherwise. Windows of other parents are left alone.
void followCodeTab(QWidget *mainWindow, int tabIndex);

} // namespace tess
