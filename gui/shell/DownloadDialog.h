#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tess {

class FtpLoginFields;
class Prompter;
struct FtpSession;

// "Download File": lists the files of a server folder chosen through
// "Source..." and fetches all of them, or those selected, into a local
// folder, which is made when missing.
class DownloadDialog : public QDialog
{
    Q_OBJECT
public:
    DownloadDialog(Prompter &prompter, FtpSession &session, QWidget *parent = nullptr);

    QLineEdit *serverEdit() const;
    QLineEdit *userEdit() const;
    QLineEdit *passwordEdit() const;
    QPushButton *sourceButton() const { return m_sourceButton; }
    // Hidden: the server folder chosen.
    QLineEdit *sourceEdit() const { return m_source; }
    QLineEdit *folderEdit() const { return m_folder; }
    QPushButton *browseButton() const { return m_browse; }
    QCheckBox *allFilesBox() const { return m_allFiles; }
    QListWidget *fileList() const { return m_files; }

    void accept() override;
    // Tests the login, lets the user choose the server folder and, while
    // the list is empty, lists that folder's files.
    void chooseSource();

private:
    void toggleAllFiles();

    Prompter &m_prompter;
    FtpSession &m_session;
    QLineEdit *m_folder = nullptr;
    QLineEdit *m_source = nullptr;
    FtpLoginFields *m_login = nullptr;
    QPushButton *m_sourceButton = nullptr;
    QPushButton *m_browse = nullptr;
    QCheckBox *m_allFiles = nullptr;
    QListWidget *m_files = nullptr;
};

} // namespace tess
