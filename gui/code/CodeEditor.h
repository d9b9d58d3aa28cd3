#pragma once

#include "gui/code/WmlSyntax.h"

#include <QPlainTextEdit>
#include <QPointer>

#include <string>

class QMenu;

namespace tess {

class SettingsKey;

// The colouring WML editor: plain text without wrapping, tags, attributes,
// strings, numbers and comments coloured line by line as the text changes,
// colours and font from the user preferences.
class CodeEditor : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit CodeEditor(QWidget *parent = nullptr);
    ~CodeEditor() override;

    // Reads the colours and font again (from the program's settings, or the
    // given key) and recolours the whole text.
    void applyPreferences();
    void applyPreferences(const SettingsKey &key);
    void applyStyle(const EditorStyle &style);
    const EditorStyle &style() const { return m_style; }
    // The font the code view shows for a face name.
    static QFont fontFor(const std::string &face);

    // The whole text as UTF-8 with "\n" line ends. Setting it colours it
    // completely, puts the caret at the start and leaves no undo step; "\r\n"
    // and lone "\r" become "\n".
    std::string text() const;
    // Only the part that differs from the text shown is replaced, so that
    // setting a long text that changed in a few places costs what changed.
    void setText(const std::string &text);

    // Adds `chunk` at the end of the text without moving the caret and
    // without an undo step: the tab window prepares a hidden view this way
    // in idle time.
    void appendText(const QString &chunk);
    // Goes up with every setText(), so that a background fill can tell that
    // the text it was adding to has been replaced.
    quint64 textGeneration() const { return m_textGeneration; }

    // The main window's "&Edit" menu, shown on a right click; without it the
    // usual editing menu appears.
    void setEditMenu(QMenu *menu);

    // "Ln %d Cl %d" for the caret.
    QString caretStatusText() const;

public slots:
    virtual void editUndo();
    void editRedo();
    virtual void editCut();
    virtual void editCopy();
    virtual void editPaste();
    virtual void editSelectAll();

signals:
    void caretStatusChanged(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    class Highlighter;

    void applyFont(const std::string &face);

    EditorStyle m_style;
    Highlighter *m_highlighter = nullptr;
    QPointer<QMenu> m_editMenu;
    quint64 m_textGeneration = 0;
};

} // namespace tess
