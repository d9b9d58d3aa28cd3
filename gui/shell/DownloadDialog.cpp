#include "gui/shell/DownloadDialog.h"

#include "app/ProjectTexts.h"
#include "app/Translation.h"
#include "editor/Prompter.h"
#include "gui/shell/SelectFolderDialog.h"
#include "gui/shell/TransferRun.h"
#include "gui/shell/TransferTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace tess {

DownloadDialog::DownloadDialog(Prompter &prompter, FtpSession &session, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_session(session)
    , m_folder(new QLineEdit)
    , m_source(new QLineEdit(this))
    , m_sourceButton(new QPushButton(translated(kSourceButton)))
    , m_browse(new QPushButton(translated(kBrowseButton)))
    , m_allFiles(new QCheckBox(translated(kSelectAllFiles)))
    , m_files(new QListWidget)
{
    setWindowTitle(translated(kDownloadTitle));
    m_login = new FtpLoginFields(session, m_folder, &FtpServerEntry::downloadFolder, this);
    // The chosen server folder is shown beside its button, read only: the
    // user sees where the list comes from.
    m_source->setReadOnly(true);
    m_source->setFrame(false);
    m_source->setFocusPolicy(Qt::NoFocus);
    m_sourceButton->setAutoDefault(false);
    makeBrowseButton(m_browse);
    connect(m_sourceButton, &QPushButton::clicked, this, &DownloadDialog::chooseSource);
    connect(m_browse, &QPushButton::clicked, this, [this] {
        const std::string folder
            = m_prompter.folderName(kProjectPathBrowserTitle, m_folder->text().toStdString());
        if (!folder.empty())
            m_folder->setText(QString::fromStdString(folder));
    });
    m_allFiles->setEnabled(false);
    connect(m_allFiles, &QCheckBox::clicked, this, &DownloadDialog::toggleAllFiles);
    m_files->setSelectionMode(QAbstractItemView::MultiSelection);

    auto *source = new QHBoxLayout;
    source->addWidget(m_sourceButton);
    source->addWidget(m_source, 1);
    auto *folder = new QHBoxLayout;
    folder->addWidget(m_folder);
    folder->addWidget(m_browse);
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(translated(kTransferOk), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(translated(kTransferCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    m_login->addRows(form);
    form->addRow(source);
    auto *folderLabel = new QLabel(translated(kDownloadFolderLabel));
    folderLabel->setBuddy(m_folder);
    form->addRow(folderLabel, folder);
    form->addRow(m_allFiles);
    form->addRow(new QLabel(translated(kFileListLabel)));
    form->addRow(m_files);
    form->addRow(buttons);
    m_login->focusFirstEmpty();
}

QLineEdit *DownloadDialog::serverEdit() const
{
    return m_login->server();
}

QLineEdit *DownloadDialog::userEdit() const
{
    return m_login->user();
}

QLineEdit *DownloadDialog::passwordEdit() const
{
    return m_login->password();
}

void DownloadDialog::toggleAllFiles()
{
    m_files->clearSelection();
    // Every file is taken while the list is off.
    m_files->setEnabled(!m_files->isEnabled());
}

void DownloadDialog::chooseSource()
{
    TransferJob::Settings settings = m_login->login();
    settings.mode = TransferJob::Mode::TestConnection;
    if (const std::unique_ptr<TransferJob> test = runFtpJob(settings, this, m_prompter, m_session);
        test->failed()) {
        m_prompter.message(test->message());
        return;
    }
    const std::string folder = SelectFolderDialog::choose(settings, m_prompter, m_session, this);
    if (folder.empty())
        return;
    m_source->setText(QString::fromStdString(folder));
    // A list already made stays, though another folder was chosen.
    if (m_files->count() == 0) {
        settings.mode = TransferJob::Mode::ListFiles;
        settings.downloadSource = folder;
        const std::unique_ptr<TransferJob> list
            = runFtpJob(std::move(settings), this, m_prompter, m_session);
        if (list->failed()) {
            m_prompter.message(list->message());
        } else if (list->noFiles()) {
            m_prompter.message(list->message());
            m_source->clear();
            m_sourceButton->setFocus();
        } else {
            for (const std::string &name : list->files())
                m_files->addItem(QString::fromStdString(name));
        }
    }
    m_allFiles->setEnabled(m_files->count() > 0);
}

void DownloadDialog::accept()
{
    if (!m_login->check(m_prompter))
        return;
    if (m_folder->text().isEmpty()) {
        m_prompter.message(kEnterDownloadFolder);
        m_folder->setFocus();
        return;
    }
    TransferJob::Settings settings = m_login->login();
    settings.direction = TransferJob::Direction::Download;
    settings.downloadSource = m_source->text().toStdString();
    settings.downloadDestination = m_folder->text().toStdString();
    for (int i = 0; i < m_files->count(); ++i) {
        if (m_allFiles->isChecked() || m_files->item(i)->isSelected()) {
            const std::string name = m_files->item(i)->text().toStdString();
            settings.arguments.insert(settings.arguments.end(), {name, name});
        }
    }
    if (settings.arguments.size() == 3) {
        m_prompter.message(kSelectDownloadFiles);
        m_files->setFocus();
        return;
    }
    const std::unique_ptr<TransferJob> job
        = runFtpJob(std::move(settings), this, m_prompter, m_session);
    m_prompter.message(job->message());
    if (!job->failed())
        m_login->remember();
    QDialog::accept();
}

} // namespace tess
