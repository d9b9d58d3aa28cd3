#include "gui/shell/ProjectTree.h"
#include "app/ProjectFile.h"
#include "common/DeckFiles.h"
#include "common/FrameTest.h"
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
    commands().newProject->trigger();
    ASSERT_TRUE(commands().addFiles->isEnabled());

    const std::string folder = dir + "/Site";
    const std::string deck
        = test::DeckFiles::header() + "<wml><card id=\"c\"><p>x</p></card></wml>";
    QDir(m_dir.path()).mkdir("other");
    for (const std::string &file : {folder + "/a.wml", dir + "/other/b.wml"})
        std::ofstream(file) << deck;
    m_prompter.file(ScriptedPrompter::Kind::OpenFile, folder + "/a.wml")
        .file(ScriptedPrompter::Kind::OpenFile, dir + "/other/b.wml");
    commands().addFiles->trigger();
    commands().addFiles->trigger();

    ProjectTree &tree = *m_frame.fileView();
    EXPECT_EQ(treeTexts(tree),
              QStringList({"Project Site", "Site Files", "a.wml",
                           QString::fromStdString(dir + "/other/b.wml")}));
    QTreeWidgetItem *folderItem = tree.topLevelItem(0)->child(0);

    tree.setCurrentItem(folderItem->child(0));
    QTest::keyClick(&tree, Qt::Key_Return);
    EXPECT_EQ(m_frame.mdiArea()->subWindowList().size(), 1);

    // Delete on the folder item does nothing; on an entry it rewrites the file.
    tree.setCurrentItem(folderItem);
    QTest::keyClick(&tree, Qt::Key_Delete);
    tree.setCurrentItem(folderItem->child(1));
    QTest::keyClick(&tree, Qt::Key_Delete);
    EXPECT_EQ(treeTexts(tree), QStringList({"Project Site", "Site Files", "a.wml"}));
    const std::string expected = folder + "/expected.wpg";
    std::ofstream(expected, std::ios::binary) << NewProjectText("Site");
    ProjectFile(expected).addFiles({folder + "/a.wml"});
    EXPECT_EQ(readWholeFile(folder + "/Site.wpg"), readWholeFile(expected));

    commands().closeProject->trigger();
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_TRUE(m_frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(m_prompter.messages().empty());
}

} // namespace
} // namespace tess
