#include "gui/shell/UploadDialog.h"

#include "app/ProjectFile.h"
#include "app/Translation.h"
#include "editor/Prompter.h"
#include "gui/shell/ProjectTree.h"
#include "gui/shell/SelectFolderDialog.h"
#include "gui/shell/TransferRun.h"
#include "gui/shell/TransferTexts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace tess {

namespace {

// The entries of the project tree: the items below its folder item.
QStringList projectEntries(const ProjectTree &tree)
{
    QStringList entries;
    const QTreeWidgetItem *root = tree.topLevelItem(0);
    const QTreeWidgetItem *folder = root ? root->child(0) : nullptr;
    for (int i = 0; folder && i < folder->childCount(); ++i)
        entries << folder->child(i)->text(0).trimmed();
    return entries;
}

// "Project Site" names the project Site.
std::string projectName(const ProjectTree &tree)
{
    const QTreeWidgetItem *root = tree.topLevelItem(0);
    const QString text = root ? root->text(0) : QString();
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    if (!text.contains(QLatin1String("Project")) || space < 0)
        return {};
    return text.mid(space + 1).toStdString();
}

} // namespace

UploadDialog::UploadDialog(const ProjectTree &tree, Prompter &prompter, FtpSession &session,
                           QWidget *parent)
    : QDialog(parent)
    , m_tree(tree)
    , m_prompter(prompter)
    , m_session(session)
    , m_folder(new QLineEdit)
    , m_browse(new QPushButton(translated(kBrowseButton)))
    , m_project(new QRadioButton(translated(kUploadProject)))
    , m_file(new QRadioButton(translated(kUploadFile)))
    , m_files(new QListWidget)
{
    setWindowTitle(translated(kUploadTitle));
    m_login = new FtpLoginFields(session, m_folder, &FtpServerEntry::uploadFolder, this);
    makeBrowseButton(m_browse);
    connect(m_browse, &QPushButton::clicked, this, &UploadDialog::browse);
    auto *folder = new QHBoxLayout;
    folder->addWidget(m_folder);
    folder->addWidget(m_browse);

    auto *group = new QGroupBox(translated(kUploadGroup));
    auto *choice = new QHBoxLayout(group);
    choice->addWidget(m_project);
    choice->addWidget(m_file);
    choice->addStretch();
    m_project->setChecked(true);
    m_files->addItems(projectEntries(tree));
    m_files->setSelectionMode(QAbstractItemView::MultiSelection);
    m_files->setEnabled(false);
    connect(m_file, &QRadioButton::toggled, m_files, &QWidget::setEnabled);

    auto *buttons = new QDialogButtonBox;
    buttons->addButton(translated(kTransferOk), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(translated(kTransferCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    m_login->addRows(form);
    auto *folderLabel = new QLabel(translated(kUploadFolderLabel));
    folderLabel->setBuddy(m_folder);
    form->addRow(folderLabel, folder);
    form->addRow(group);
    form->addRow(new QLabel(translated(kFileListLabel)));
    form->addRow(m_files);
    form->addRow(buttons);
    m_login->focusFirstEmpty();
}

QLineEdit *UploadDialog::serverEdit() const
{
    return m_login->server();
}

QLineEdit *UploadDialog::userEdit() const
{
    return m_login->user();
}

QLineEdit *UploadDialog::passwordEdit() const
{
    return m_login->password();
}

std::vector<std::pair<std::string, std::string>> UploadDialog::chosenFiles()
{
    const ProjectFile *project = m_tree.project();
    const auto pair = [project](const QString &entry) {
        const std::string name = entry.toStdString();
        return std::pair(name, project ? project->pathOf(name) : name);
    };
    std::vector<std::pair<std::string, std::string>> files;
    if (m_project->isChecked()) {
        for (const QString &entry : projectEntries(m_tree))
            files.push_back(pair(entry));
        // The project file goes under the project's name, whatever its own.
        const std::string wpg = projectName(m_tree) + ".wpg";
        files.emplace_back(wpg, project ? project->path() : wpg);
        return files;
    }
    for (int i = 0; i < m_files->count(); ++i) {
        if (m_files->item(i)->isSelected())
            files.push_back(pair(m_files->item(i)->text()));
    }
    if (files.empty()) {
        m_prompter.message(kSelectUploadFiles);
        m_files->setFocus();
    }
    return files;
}

void UploadDialog::accept()
{
    if (!m_login->check(m_prompter))
        return;
    if (m_folder->text().isEmpty()) {
        m_prompter.message(kEnterUploadFolder);
        m_folder->setFocus();
        return;
    }
    const std::vector<std::pair<std::string, std::string>> files = chosenFiles();
    if (files.empty())
        return;
    TransferJob::Settings settings = m_login->login();
    settings.direction = TransferJob::Direction::Upload;
    settings.uploadFolder = m_folder->text().toStdString();
    settings.projectName = projectName(m_tree);
    for (const auto &[remote, local] : files)
        settings.arguments.insert(settings.arguments.end(), {remote, local});
    const std::unique_ptr<TransferJob> job
        = runFtpJob(std::move(settings), this, m_prompter, m_session);
    m_prompter.message(job->message());
    if (job->failed())
        return;
    m_login->remember();
    QDialog::accept();
}

void UploadDialog::browse()
{
    TransferJob::Settings settings = m_login->login();
    settings.mode = TransferJob::Mode::TestConnection;
    if (const std::unique_ptr<TransferJob> test = runFtpJob(settings, this, m_prompter, m_session);
        test->failed()) {
        m_prompter.message(test->message());
        return;
    }
    const std::string folder = SelectFolderDialog::choose(settings, m_prompter, m_session, this);
    if (!folder.empty())
        m_folder->setText(QString::fromStdString(folder));
}

} // namespace tess
