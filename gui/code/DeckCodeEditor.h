#pragma once

#include "gui/code/CodeEditor.h"

namespace tess {

// The Code tab's view: the colouring editor that tells its document when the
// user changes the text and passes Escape on as the full-screen request.
class DeckCodeEditor : public CodeEditor
{
    Q_OBJECT
public:
    explicit DeckCodeEditor(QWidget *parent = nullptr);

    // For edits made on the view's behalf, such as a replace from the find
    // and replace window.
    void markModified();

public slots:
    void editCut() override;
    void editPaste() override;

signals:
    // A key press other than Escape, a cut or a paste of text; setting the
    // whole text does not count.
    void documentModified();
    // Escape: the frame decides what full-screen mode does.
    void fullScreenToggleRequested();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace tess
