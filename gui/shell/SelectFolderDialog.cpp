#include "gui/shell/SelectFolderDialog.h"

#include "app/Translation.h"
#include "editor/Prompter.h"
#include "gui/shell/TransferRun.h"
#include "gui/shell/TransferTexts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tess {

namespace {

void addChildren(QTreeWidgetItem *item, const FolderNode &node, const QIcon &icon)
{
    for (const FolderNode &child : node.children) {
        auto *childItem = new QTreeWidgetItem(item, {QString::fromStdString(child.name)});
        childItem->setIcon(0, icon);
        addChildren(childItem, child, icon);
    }
}

} // namespace

SelectFolderDialog::SelectFolderDialog(const FolderNode &root, QWidget *parent)
    : QDialog(parent)
    , m_tree(new QTreeWidget)
{
    setWindowTitle(translated(kSelectFolderTitle));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    // A closed folder, open while selected.
    QIcon icon(style()->standardIcon(QStyle::SP_DirClosedIcon));
    icon.addPixmap(style()->standardPixmap(QStyle::SP_DirOpenIcon), QIcon::Selected);
    auto *rootItem = new QTreeWidgetItem(m_tree, {QString::fromStdString(root.name)});
    rootItem->setIcon(0, icon);
    addChildren(rootItem, root, icon);
    m_tree->collapseAll();

    auto *buttons = new QDialogButtonBox;
    buttons->addButton(translated(kTransferOk), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(translated(kTransferCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A double click on a folder with nothing below it chooses it.
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (item->childCount() == 0)
            accept();
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(translated(kSelectFolderTitle)));
    layout->addWidget(m_tree);
    layout->addWidget(buttons);
    resize(320, 360);
}

std::string SelectFolderDialog::chosenFolder() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    if (!item)
        item = m_tree->topLevelItem(0);
    QStringList names;
    for (; item; item = item->parent())
        names.prepend(item->text(0));
    QString path;
    for (qsizetype i = 0; i + 1 < names.size(); ++i) {
        path += names[i];
        // The root is often "/" itself.
        if (!path.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
    }
    if (!names.isEmpty())
        path += names.last();
    return path.toStdString();
}

std::string SelectFolderDialog::choose(TransferJob::Settings login, Prompter &prompter,
                                       FtpSession &session, QWidget *owner)
{
    login.mode = TransferJob::Mode::FolderTree;
    const std::unique_ptr<TransferJob> job = runFtpJob(std::move(login), owner, prompter, session);
    if (job->failed()) {
        prompter.message(job->message());
        return {};
    }
    SelectFolderDialog dialog(job->folderTree(), owner);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.chosenFolder();
}

} // namespace tess
