#pragma once

#include "gui/code/WmlSyntax.h"

#include <QPlainTextEdit>
#include <QPointer>

#include <memory>

#include <string>

class QMenu;

namespace tess {

class SettingsKey;

// The colouring WML editor: plain text without wrapping, tags, attributes,
// strings, numbers and comments coloured line by line, colours and font from
// the user preferences.
//
// A long text costs Qt far more to take in and lay out than to compute, so
// lines are coloured when they are first painted (an edit recolours the
// lines it touched at once when they are few), and a long text set into an
// empty view shows its first lines at once while the rest follows in idle
// moments. Whatever edits, searches or prints the text first completes it.
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

    // The whole text as UTF-8 with "\n" line ends, also while it is still
    // being filled in. Setting it puts the caret at the start and leaves no
    // undo step; "\r\n" and lone "\r" become "\n".
    std::string text() const;
    // Only the part that differs from the text shown is replaced, so that
    // setting a long text that changed in a few places costs what changed.
    void setText(const std::string &text);

    // Goes up with every setText(), so that the tab window's idle-time
    // preparation can tell that the view was given a text meanwhile.
    quint64 textGeneration() const { return m_textGeneration; }

    // True while a long text is still going into the view.
    bool filling() const { return m_fillTimer != nullptr; }
    // Puts the rest of a text being filled in at once, without an undo step.
    void completeText();
    // Colours every line now, shown or not (printing copies the colours).
    void colourAll();
    // The line's colours are those its text gives.
    bool lineColoured(int blockNumber) const;

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
    void paintEvent(QPaintEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void dropEvent(QDropEvent *event) override;

private:
    class Colourer;

    void applyFont(const std::string &face);
    void startFill(QString text);
    void fillSlice();
    void stopFill();
    void appendUnrecorded(QStringView chunk);
    void contentsChanged(int from, int removed, int added);
    void colourVisibleLines();

    EditorStyle m_style;
    std::unique_ptr<Colourer> m_colourer;
    QPointer<QMenu> m_editMenu;
    quint64 m_textGeneration = 0;
    // The text being filled in and how much of it the document holds (whole
    // lines); set only while filling.
    QString m_fillText;
    qsizetype m_filled = 0;
    class QTimer *m_fillTimer = nullptr;
    bool m_appending = false;
    bool m_completeSoon = false;
};

} // namespace tess
