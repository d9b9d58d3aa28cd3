// A user clicking about: tabs, typing and cutting in the code, controls armed
// and dropped and dragged on the canvas, Undo, Redo and Compile, in random
// order on a real document window. Nothing may crash, the deck tree must stay
// whole, and what the user typed must reach the file when the tab changes.
#include "common/RandomAnswers.h"
#include "common/UserInput.h"
#include "designer/DesignWnd.h"
#include "designer/WMLDesignView.h"
#include "model/DeckDump.h"
#include "shell/BerthingDoc.h"
#include "shell/ChildFrm.h"
#include "shell/MainFrm.h"
#include "shell/ProcessPaths.h"
#include "shell/ShellConstants.h"
#include "source/EditorConstants.h"
#include "source/FileUtil.h"
#include "source/SourceForm.h"
#include "source/TabWindow.h"
#include "source/WMLCodeViews.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>

namespace tess {
namespace {

void mouse(QWidget *to, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, to->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

// Bits of WML and of broken WML to type.
const char *const kSnippets[] = {
    "<p>",
    "</p>",
    "<card id=\"x\">",
    "</card>",
    "<br/>",
    "&amp;",
    "&",
    "<",
    "\"",
    "text",
    "<select><option>a</option></select>",
    "<%= x %>",
    "<!--",
    "-->",
    "\n\t",
    "<a href=\"#x\">go</a>",
    "<input name=\"n\"/>",
    "&nbsp;",
};

TEST(RandomSession, ClickingAboutNeverBreaksTheDocument)
{
    const int controls[] = {ID_WML_ANCHOR, ID_WML_SELECT,   ID_WML_INPUT,   ID_WML_TEXT,
                            ID_WML_OPTION, ID_WML_OPTGROUP, ID_WML_DESELECT};
    // TESS_SESSION_SEEDS=N runs N sessions instead of two, for a longer soak.
    const char *soak = std::getenv("TESS_SESSION_SEEDS");
    const unsigned seeds = soak ? unsigned(std::max(1, std::atoi(soak))) : 2u;
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        SCOPED_TRACE(seed);
        QTemporaryDir dir;
        TempDirPath = dir.path().toStdString();
        const std::string path = dir.filePath("deck.wml").toStdString();
        std::ofstream(path, std::ios::binary)
            << readWholeFile(TESS_TEST_DATA_DIR "/road/deck.wml").value_or("");
        std::mt19937 random(seed);
        RandomAnswers answers(random);
        CMainFrame frame;
        ASSERT_TRUE(frame.Create());
        frame.resize(1000, 700);
        frame.show();
        std::string error;
        ASSERT_TRUE(frame.OpenDocumentFile(path, &error)) << error;
        CChildFrame *child = frame.activeChildFrame();
        TVisualTabWindow *tabs = child->tabWindow();
        WMLCodeViews *code = tabs->codeView();
        CBerthingDoc &doc = child->document();
        QWidget *canvas = child->designWnd()->designView()->viewport();
        clickTab(tabs, CodeTab);
        const std::string original = code->text();
        std::string good = original;

        for (int step = 0; step < 150; ++step) {
            SCOPED_TRACE(step);
            const QPoint at(int(random() % 500), int(random() % 500));
            switch (random() % 10) {
            case 0: {
                const int before = tabs->currentIndex();
                const std::string typed = code->text();
                const bool edited = before == CodeTab && doc.isModified();
                clickTab(tabs, int(random() % 3));
                // Leaving Code saves what was typed, whatever it holds, with
                // the entities turned back as every save of the code does.
                if (edited && tabs->currentIndex() != CodeTab) {
                    const std::string saved = readWholeFile(path).value_or("");
                    const std::string expected = turnBack(typed);
                    const size_t first = expected.find_first_not_of(" \t\n");
                    EXPECT_TRUE(first == std::string::npos
                                || saved.find(expected.substr(first)) != std::string::npos)
                        << "typed:\n"
                        << typed << "\nsaved:\n"
                        << saved;
                }
                break;
            }
            case 1:
                // The user puts a good deck back, keeping the design's last
                // edits or not.
                if (tabs->currentIndex() == CodeTab) {
                    code->setText(random() % 2 ? good : original);
                    code->markModified();
                }
                break;
            case 2:
                if (tabs->currentIndex() == CodeTab) {
                    QTextCursor cursor(code->document());
                    const int size = code->document()->characterCount() - 1;
                    cursor.setPosition(int(random() % unsigned(size + 1)));
                    if (random() % 3 == 0) {
                        cursor.setPosition(std::min(size, cursor.position() + int(random() % 40)),
                                           QTextCursor::KeepAnchor);
                        cursor.removeSelectedText();
                    } else {
                        cursor.insertText(
                            QString::fromUtf8(kSnippets[random() % std::size(kSnippets)]));
                    }
                }
                break;
            case 3:
            case 8:
                if (tabs->currentIndex() == DesignTab) {
                    frame.commandAction(controls[random() % std::size(controls)])->trigger();
                    mouse(canvas, QEvent::MouseButtonPress, at, Qt::LeftButton);
                    mouse(canvas, QEvent::MouseButtonRelease, at, Qt::NoButton);
                }
                break;
            case 4:
                if (tabs->currentIndex() == DesignTab) {
                    const QPoint to(int(random() % 500), int(random() % 500));
                    mouse(canvas, QEvent::MouseButtonPress, at, Qt::LeftButton);
                    mouse(canvas, QEvent::MouseMove, (at + to) / 2, Qt::LeftButton);
                    mouse(canvas, QEvent::MouseMove, to, Qt::LeftButton);
                    mouse(canvas, QEvent::MouseButtonRelease, to, Qt::NoButton);
                }
                break;
            case 5:
                frame.commandAction(random() % 2 ? ID_EDIT_UNDO : ID_EDIT_REDO)->trigger();
                break;
            case 6:
                frame.commandAction(ID_TOOLS_COMPILE)->trigger();
                break;
            default:
                QApplication::processEvents();
                break;
            }
            ASSERT_EQ(brokenLinks(doc.model().root()), "");
            if (tabs->currentIndex() == CodeTab && doc.model().validDeck && !doc.isModified())
                good = code->text();
        }
        // Closing without saving leaves the file as the last switch wrote it.
        doc.setModified(false);
    }
}

} // namespace
} // namespace tess
