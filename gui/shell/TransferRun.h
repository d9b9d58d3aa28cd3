#pragma once

#include "app/FtpServers.h"
#include "app/TransferJob.h"

#include <QDialog>

#include <map>
#include <memory>
#include <string>

class QFormLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tess {

class Prompter;

// What the transfer dialogs share while the program runs: the servers
// remembered from one run to the next, and the certificates the user
// accepted, which are kept for this run only.
struct FtpSession
{
    explicit FtpSession(std::string serversPath)
        : servers(std::move(serversPath))
    { }

    FtpServerList servers;
    // Server as typed -> SHA-256 fingerprint of its accepted certificate.
    std::map<std::string, std::string> acceptedCertificates;
};

// The server, user name and password fields both transfer dialogs start
// with. They offer the server last used with its user name and the
// dialog's folder; a remembered server typed or picked again brings back
// its own.
class FtpLoginFields : public QObject
{
    Q_OBJECT
public:
    using FolderField = std::string FtpServerEntry::*;

    FtpLoginFields(FtpSession &session, QLineEdit *folder, FolderField field, QObject *parent);

    QLineEdit *server() const { return m_server; }
    QLineEdit *user() const { return m_user; }
    QLineEdit *password() const { return m_password; }

    void addRows(QFormLayout *form) const;
    // The focus to the first empty field, for a dialog being opened.
    void focusFirstEmpty() const;
    // Each empty field, in order, is told and gets the focus; false then.
    bool check(Prompter &prompter) const;
    // A job's settings with the server, user and password as arguments.
    TransferJob::Settings login() const;
    // Keeps the server, user and folder for the next time.
    void remember() const;

private:
    void offer(const QString &server);

    FtpSession &m_session;
    QLineEdit *m_folder;
    FolderField m_field;
    QLineEdit *m_server;
    QLineEdit *m_user;
    QLineEdit *m_password;
    // What offer() put in: a field still holding it may take another.
    QString m_offeredUser;
    QString m_offeredFolder;
};

// The Status box of a running job: its file as the caption, a status line,
// the percent text and the progress bar. Cancel, Escape and closing the box
// all ask the job to stop.
class TransferStatusDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TransferStatusDialog(TransferJob &job, QWidget *parent = nullptr);

    QLabel *statusLabel() const { return m_status; }
    QLabel *percentLabel() const { return m_percent; }
    QProgressBar *progressBar() const { return m_bar; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Shows what the job's worker reports now.
    void showSnapshot(const TransferSnapshot &snapshot);
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    TransferJob &m_job;
    QLabel *m_status = nullptr;
    QLabel *m_percent = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
};

// A "..." button as narrow as its text.
void makeBrowseButton(QPushButton *button);

// Runs the job on its worker while `owner` is disabled, keeping the GUI
// alive: the Status box follows the job (shown only when `showBox`), each
// notice of the worker is shown as it comes, and the call returns once the
// job is done.
void runTransfer(TransferJob &job, QWidget *owner, Prompter &prompter, bool showBox);

// Makes and runs a job; the Status box shows for transfers only. A server
// whose certificate could not be verified is named to the user, and once he
// accepts it the job runs again trusting it for the rest of the session.
std::unique_ptr<TransferJob> runFtpJob(TransferJob::Settings settings, QWidget *owner,
                                       Prompter &prompter, FtpSession &session);

} // namespace tess
