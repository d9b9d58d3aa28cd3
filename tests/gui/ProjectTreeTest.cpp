#include "gui/shell/ProjectTree.h"
#include "app/ProjectFile.h"
#include "common/DeckFiles.h"
#include "common/FrameTest.h"
#include "editor/DeckDocument.h"
#include "gui/code/DeckCodeEditor.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/NewProjectDialog.h"
#include "wml/FileUtil.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <QTimer>

#include <fstream>

namespace tess {
namespace {

class ProjectSessionTest : public test::FrameTest
{
};

QStringList treeTexts(const QTreeWidget &tree)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(&tree)); *it; ++it)
        texts << (*it)->text(0);
    return texts;
}

TEST_F(ProjectSessionTest, NewProjectAddOpenDeleteClose)
{
    const std::string dir = m_dir.path().toStdString();
    QTimer::singleShot(0, [&dir] {
        auto *dialog = qobject_cast<NewProjectDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->nameEdit()->setText("Site");
        dialog->locationEdit()->setText(QString::fromStdString(dir));
        dialog->accept();
    });
    EXPECT_FALSE(commands().addFiles->isEnabled());
    EXPECT_FALSE(commands().upload->isEnabled());
    commands().newProject->trigger();
    ASSERT_TRUE(commands().addFiles->isEnabled());
    EXPECT_TRUE(commands().upload->isEnabled());

    const std::string folder = dir + "/Site";
    const std::string deck
        = test::DeckFiles::header() + "<wml><card id=\"c\"><p>x</p></card></wml>";
    QDir(m_dir.path()).mkdir("other");
    for (const std::string &file : {folder + "/a.wml", folder + "/c.wml", dir + "/other/b.wml"})
        std::ofstream(file) << deck;
    // Three files in one dialog, one of them already listed under another
    // case: refused, the others added in one rewrite.
    m_prompter.file(ScriptedPrompter::Kind::OpenFile, folder + "/a.wml")
        .file(ScriptedPrompter::Kind::OpenFile,
              folder + "/A.WML\n" + dir + "/other/b.wml\n" + folder + "/c.wml")
        .answer(Prompter::Answer::Ok);
    commands().addFiles->trigger();
    commands().addFiles->trigger();
    ASSERT_EQ(m_prompter.messages().size(), 1u);
    EXPECT_EQ(m_prompter.messages()[0].text,
              "The File A.WML is already in the project it will not be added");

    ProjectTree &tree = *m_frame.fileView();
    const QStringList listed = {"Project Site", "Site Files", "a.wml",
                                QString::fromStdString(dir + "/other/b.wml"), "c.wml"};
    EXPECT_EQ(treeTexts(tree), listed);
    QTreeWidgetItem *folderItem = tree.topLevelItem(0)->child(0);

    // A file deleted elsewhere shows greyed with its reason.
    std::remove((folder + "/c.wml").c_str());
    QTreeWidgetItem *gone = folderItem->child(2);
    const QString shown = QString::fromStdString(folder + "/c.wml");
    EXPECT_EQ(gone->toolTip(0), shown);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone->toolTip(0) != shown; }, 5000));
    std::ofstream(folder + "/c.wml") << deck;
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone->toolTip(0) == shown; }, 5000));

    // Opened from the tree and edited; closing the project asks to save it.
    tree.setCurrentItem(folderItem->child(0));
    QTest::keyClick(&tree, Qt::Key_Return);
    ASSERT_EQ(m_frame.mdiArea()->subWindowList().size(), 1);
    DocumentWindow *child = m_frame.activeChildFrame();
    child->tabWindow()->clickTab(CodeTab);
    DeckCodeEditor *code = child->tabWindow()->codeView();
    code->moveCursor(QTextCursor::End);
    QTest::keyClicks(code, "<!-- edited -->");
    // Kept open by the user, the project still may not be uploaded until it
    // gets files.
    m_prompter.answer(Prompter::Answer::Cancel);
    commands().closeProject->trigger();
    EXPECT_TRUE(commands().addFiles->isEnabled());
    EXPECT_FALSE(commands().upload->isEnabled());
    m_prompter.file(ScriptedPrompter::Kind::OpenFile, "");
    commands().addFiles->trigger();
    EXPECT_FALSE(commands().upload->isEnabled());
    m_prompter.answer(Prompter::Answer::Yes);
    commands().closeProject->trigger();
    EXPECT_EQ(m_prompter.messages().back().text, "Save changes to a.wml?");
    EXPECT_FALSE(commands().upload->isEnabled());
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_TRUE(m_frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_NE(readWholeFile(folder + "/a.wml").value_or("").find("<!-- edited -->"),
              std::string::npos);

    // Reopened: the same tree; Delete on the folder item does nothing, on
    // an entry it rewrites the file.
    m_prompter.file(ScriptedPrompter::Kind::OpenFile, folder + "/Site.wpg");
    commands().openProject->trigger();
    EXPECT_EQ(treeTexts(tree), listed);
    EXPECT_TRUE(commands().upload->isEnabled());
    folderItem = tree.topLevelItem(0)->child(0);
    tree.setCurrentItem(folderItem);
    QTest::keyClick(&tree, Qt::Key_Delete);
    tree.setCurrentItem(folderItem->child(1));
    QTest::keyClick(&tree, Qt::Key_Delete);
    EXPECT_EQ(treeTexts(tree), QStringList({"Project Site", "Site Files", "a.wml", "c.wml"}));
    const std::string expected = folder + "/expected.wpg";
    std::ofstream(expected, std::ios::binary) << NewProjectText("Site");
    ProjectFile(expected).addFiles({folder + "/a.wml", folder + "/c.wml"});
    EXPECT_EQ(readWholeFile(folder + "/Site.wpg"), readWholeFile(expected));
    EXPECT_EQ(m_prompter.messages().size(), 3u);
}

} // namespace
} // namespace tess
