#pragma once

#include <QDialog>

#include <string>
#include <utility>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tess {

class FtpLoginFields;
class ProjectTree;
class Prompter;
struct FtpSession;

// "Upload File": sends the project's files, or those chosen from its list,
// into a folder named after the project in a server folder. A failure that
// the user can mend (the login, the folder) keeps the dialog open with its
// fields.
class UploadDialog : public QDialog
{
    Q_OBJECT
public:
    UploadDialog(const ProjectTree &tree, Prompter &prompter, FtpSession &session,
                 QWidget *parent = nullptr);

    QLineEdit *serverEdit() const;
    QLineEdit *userEdit() const;
    QLineEdit *passwordEdit() const;
    QLineEdit *folderEdit() const { return m_folder; }
    QPushButton *browseButton() const { return m_browse; }
    QRadioButton *projectButton() const { return m_project; }
    QRadioButton *fileButton() const { return m_file; }
    QListWidget *fileList() const { return m_files; }

    void accept() override;
    // Tests the login, then lets the user choose the server folder.
    void browse();

private:
    // (remote name, local file) of each file to send; none when the user is
    // to choose first, which he is told.
    std::vector<std::pair<std::string, std::string>> chosenFiles();

    const ProjectTree &m_tree;
    Prompter &m_prompter;
    FtpSession &m_session;
    QLineEdit *m_folder = nullptr;
    FtpLoginFields *m_login = nullptr;
    QPushButton *m_browse = nullptr;
    QRadioButton *m_project = nullptr;
    QRadioButton *m_file = nullptr;
    QListWidget *m_files = nullptr;
};

} // namespace tess
