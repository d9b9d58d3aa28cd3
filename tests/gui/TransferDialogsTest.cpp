#include "app/ProjectFile.h"
#include "app/TransferJob.h"
#include "common/FtpServer.h"
#include "common/ScriptedPrompter.h"
#include "gui/shell/DownloadDialog.h"
#include "gui/shell/ProjectTree.h"
#include "gui/shell/SelectFolderDialog.h"
#include "gui/shell/TransferRun.h"
#include "gui/shell/UploadDialog.h"
#include "wml/FileUtil.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tess {
namespace {

namespace fs = std::filesystem;
using test::FtpServer;

// Runs `act` on the modal dialog of type T once it shows, again every few
// milliseconds until `act` says it is through with it.
template<typename T> void whenModal(std::function<bool(T &)> act)
{
    QTimer::singleShot(10, [act] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog || !act(*dialog))
            whenModal(act);
    });
}

// Picks `folder` in the Select Folder dialog.
void pickFolder(const char *folder)
{
    whenModal<SelectFolderDialog>([folder](SelectFolderDialog &dialog) {
        QTreeWidget *tree = dialog.folderTree();
        EXPECT_FALSE(tree->topLevelItem(0)->isExpanded());
        const QList<QTreeWidgetItem *> found
            = tree->findItems(folder, Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1) << folder;
        tree->setCurrentItem(found.value(0, tree->topLevelItem(0)));
        dialog.accept();
        return true;
    });
}

class TransferDialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::string(TESS_FTP_PYTHON).empty())
            GTEST_SKIP() << "no Python with pyftpdlib";
    }
    std::string path(const std::string &name) const
    {
        return m_dir.path().toStdString() + "/" + name;
    }
    static void write(const std::string &file, const std::string &bytes)
    {
        fs::create_directories(fs::path(file).parent_path());
        ASSERT_TRUE(writeFileAtomically(file, bytes));
    }
    static void fill(const std::vector<QLineEdit *> &fields, const std::vector<std::string> &texts)
    {
        for (size_t i = 0; i < fields.size(); ++i)
            fields[i]->setText(QString::fromStdString(texts[i]));
    }
    // OK, answered: the message it gave.
    std::string okMessage(QDialog &dialog)
    {
        m_prompter.answer(Prompter::Answer::Ok);
        const size_t before = m_prompter.messages().size();
        QMetaObject::invokeMethod(&dialog, "accept");
        EXPECT_EQ(m_prompter.messages().size(), before + 1);
        return m_prompter.messages().empty() ? "" : m_prompter.messages().back().text;
    }

    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    FtpSession m_session {path("ftp.ini")};
};

TEST_F(TransferDialogsTest, UploadChecksFailsStaysThenSendsTheProject)
{
    FtpServer server;
    ASSERT_TRUE(server.running());
    fs::create_directories(server.root() + "/www/old");
    write(path("Site/index.wml"), "<wml/>");
    write(path("Site/pics/logo.wbmp"), std::string(5000, '\1'));
    write(path("Site/Site.wpg"), NewProjectText("Site"));
    ProjectFile(path("Site/Site.wpg"))
        .addFiles({path("Site/index.wml"), path("Site/pics/logo.wbmp")});
    ProjectTree tree(m_prompter);
    tree.openProject(path("Site/Site.wpg"));

    UploadDialog dialog(tree, m_prompter, m_session);
    dialog.show();
    EXPECT_TRUE(dialog.projectButton()->isChecked());
    EXPECT_FALSE(dialog.fileList()->isEnabled());
    EXPECT_EQ(dialog.fileList()->count(), 2);
    const std::vector<QLineEdit *> fields
        = {dialog.serverEdit(), dialog.userEdit(), dialog.passwordEdit(), dialog.folderEdit()};
    EXPECT_EQ(dialog.passwordEdit()->echoMode(), QLineEdit::Password);

    // Each missing field in turn, then a File upload with none chosen.
    const struct
    {
        std::vector<std::string> texts;
        const char *message;
        QWidget *focus;
    } checks[] = {
        {{"", "", "", ""}, "Enter the Server name.", fields[0]},
        {{server.server(), "", "x", "/www"}, "Enter the Username.", fields[1]},
        {{server.server(), "user", "", "/www"}, "Enter the Password.", fields[2]},
        {{server.server(), "user", "x", ""},
         "Enter the Destination path to which file(s) is/are to be uploaded",
         fields[3]},
        {{server.server(), "user", "x", "/www"},
         "Select file(s) from the File list",
         dialog.fileList()},
    };
    for (const auto &check : checks) {
        fill(fields, check.texts);
        if (check.focus == dialog.fileList())
            dialog.fileButton()->click();
        EXPECT_EQ(okMessage(dialog), check.message);
        EXPECT_EQ(dialog.focusWidget(), check.focus) << check.message;
    }
    EXPECT_TRUE(dialog.fileList()->isEnabled());
    dialog.projectButton()->click();

    // A wrong password is told; the dialog stays as it was.
    fill(fields, {server.server(), "user", "wrong", "/www"});
    EXPECT_TRUE(okMessage(dialog).starts_with(kInternetException));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.isEnabled());
    EXPECT_EQ(dialog.passwordEdit()->text(), "wrong");

    // "..." picks the folder; OK sends every file and the project file.
    fill(fields, {server.server(), "user", "secret", ""});
    pickFolder("www");
    dialog.browseButton()->click();
    EXPECT_EQ(dialog.folderEdit()->text(), "/www");
    EXPECT_EQ(okMessage(dialog), kUploadCompleted);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(readWholeFile(server.root() + "/www/Site/logo.wbmp"), std::string(5000, '\1'));
    EXPECT_EQ(readWholeFile(server.root() + "/www/Site/index.wml"), "<wml/>");
    EXPECT_EQ(readWholeFile(server.root() + "/www/Site/Site.wpg"),
              readWholeFile(path("Site/Site.wpg")));

    // The next time the server, user and folder are offered; never the
    // password.
    UploadDialog again(tree, m_prompter, m_session);
    EXPECT_EQ(again.serverEdit()->text().toStdString(), server.server());
    EXPECT_EQ(again.userEdit()->text(), "user");
    EXPECT_EQ(again.folderEdit()->text(), "/www");
    EXPECT_EQ(again.passwordEdit()->text(), "");
    EXPECT_EQ(readWholeFile(path("ftp.ini")).value_or("").find("secret"), std::string::npos);
}

TEST_F(TransferDialogsTest, DownloadListsASourceAndFetchesAllIntoANewFolder)
{
    FtpServer server;
    ASSERT_TRUE(server.running());
    write(server.root() + "/files/a.wml", "a");
    write(server.root() + "/files/b.wbmp", "bb");
    write(server.root() + "/www/c.wml", "c");

    DownloadDialog dialog(m_prompter, m_session);
    dialog.show();
    EXPECT_FALSE(dialog.allFilesBox()->isEnabled());
    const std::vector<QLineEdit *> fields
        = {dialog.serverEdit(), dialog.userEdit(), dialog.passwordEdit(), dialog.folderEdit()};
    const std::pair<std::vector<std::string>, const char *> checks[] = {
        {{"", "user", "secret", "x"}, "Enter the Server name."},
        {{server.server(), "", "secret", "x"}, "Enter the Username."},
        {{server.server(), "user", "", "x"}, "Enter the Password."},
        {{server.server(), "user", "secret", ""}, "Destination path cannot be empty."},
        {{server.server(), "user", "secret", path("new/into")},
         "Select File(s) that are to be downloaded."},
    };
    for (const auto &[texts, message] : checks) {
        fill(fields, texts);
        EXPECT_EQ(okMessage(dialog), message);
    }

    pickFolder("files");
    dialog.sourceButton()->click();
    EXPECT_EQ(dialog.sourceEdit()->text(), "/files");
    // A second source keeps the first list.
    pickFolder("www");
    dialog.sourceButton()->click();
    QStringList listed;
    for (int i = 0; i < dialog.fileList()->count(); ++i)
        listed << dialog.fileList()->item(i)->text();
    listed.sort();
    EXPECT_EQ(listed, QStringList({"a.wml", "b.wbmp"}));

    // Select All takes every file, and again gives the list back.
    dialog.fileList()->item(0)->setSelected(true);
    dialog.allFilesBox()->click();
    EXPECT_FALSE(dialog.fileList()->isEnabled());
    EXPECT_TRUE(dialog.fileList()->selectedItems().isEmpty());
    pickFolder("files");
    dialog.sourceButton()->click();
    EXPECT_EQ(okMessage(dialog), kDownloadCompleted);
    EXPECT_EQ(readWholeFile(path("new/into/a.wml")), "a");
    EXPECT_EQ(readWholeFile(path("new/into/b.wbmp")), "bb");
}

TEST_F(TransferDialogsTest, CancelStopsAThrottledDownload)
{
    FtpServer server({.throttle = 128 * 1024});
    ASSERT_TRUE(server.running());
    write(server.root() + "/big.bin", std::string(2 << 20, 'x'));

    DownloadDialog dialog(m_prompter, m_session);
    dialog.show();
    fill({dialog.serverEdit(), dialog.userEdit(), dialog.passwordEdit(), dialog.folderEdit()},
         {server.server(), "user", "secret", path("into")});
    dialog.sourceEdit()->setText("/");
    dialog.fileList()->addItem("big.bin");
    dialog.fileList()->item(0)->setSelected(true);
    QString caption;
    whenModal<TransferStatusDialog>([&](TransferStatusDialog &box) {
        if (box.progressBar()->value() == 0)
            return false;
        caption = box.windowTitle();
        EXPECT_FALSE(dialog.isEnabled());
        EXPECT_NE(box.percentLabel()->text(), "0%");
        box.cancelButton()->click();
        return true;
    });
    EXPECT_EQ(okMessage(dialog), kUserCancelled);
    EXPECT_EQ(caption, "Downloading big.bin");
    EXPECT_TRUE(dialog.isEnabled());
    EXPECT_FALSE(fs::exists(path("into/big.bin")));
}

TEST_F(TransferDialogsTest, UnverifiedCertificateIsAcceptedForTheSession)
{
    FtpServer server({.tls = true});
    ASSERT_TRUE(server.running());
    fs::create_directories(server.root() + "/www");

    const ProjectTree tree(m_prompter);
    UploadDialog dialog(tree, m_prompter, m_session);
    fill({dialog.serverEdit(), dialog.userEdit(), dialog.passwordEdit()},
         {server.server(), "user", "secret"});
    // Asked once: the folder listing after the test trusts it as well.
    m_prompter.answer(Prompter::Answer::Yes);
    pickFolder("www");
    dialog.browseButton()->click();
    EXPECT_EQ(dialog.folderEdit()->text(), "/www");
    ASSERT_EQ(m_prompter.messages().size(), 1u);
    const ScriptedPrompter::Shown &asked = m_prompter.messages()[0];
    EXPECT_EQ(asked.buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(asked.icon, Prompter::Icon::Warning);
    const std::string fingerprint = m_session.acceptedCertificates[server.server()];
    EXPECT_EQ(fingerprint.size(), 95u);
    for (const std::string &part : {server.server(), fingerprint, std::string("tessarine-test")})
        EXPECT_NE(asked.text.find(part), std::string::npos) << part;
}

} // namespace
} // namespace tess
