#pragma once

#include "app/TransferJob.h"

#include <QDialog>

#include <string>

class QTreeWidget;
class QTreeWidgetItem;

namespace tess {

class Prompter;
struct FtpSession;

// "Select Folder": the server's folders as a collapsed tree; OK takes the
// selected one.
class SelectFolderDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SelectFolderDialog(const FolderNode &root, QWidget *parent = nullptr);

    QTreeWidget *folderTree() const { return m_tree; }
    // The path of the selected folder (the root's when none is): its
    // ancestors' names from the root down, each ending in one "/", then its
    // own.
    std::string chosenFolder() const;

    // Reads the server's folders with the login of `login` and lets the
    // user choose one. Empty when he cancels, or when the folders could not
    // be read, which he is told.
    static std::string choose(TransferJob::Settings login, Prompter &prompter, FtpSession &session,
                              QWidget *owner);

private:
    QTreeWidget *m_tree = nullptr;
};

} // namespace tess
