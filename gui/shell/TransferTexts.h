#pragma once

#include <QtGlobal>

// The texts of the transfer dialogs, as the user sees them.
namespace tess {

// Messages, each in an OK box.
inline constexpr const char *kNoProjectTreeView = "Project Tree view is not available";
inline constexpr const char *kEnterServer = "Enter the Server name.";
inline constexpr const char *kEnterUser = "Enter the Username.";
inline constexpr const char *kEnterPassword = "Enter the Password.";
inline constexpr const char *kEnterUploadFolder
    = "Enter the Destination path to which file(s) is/are to be uploaded";
inline constexpr const char *kSelectUploadFiles = "Select file(s) from the File list";
inline constexpr const char *kEnterDownloadFolder = "Destination path cannot be empty.";
inline constexpr const char *kSelectDownloadFiles = "Select File(s) that are to be downloaded.";
// Asked with Yes and No: the server, the certificate's subject and its
// SHA-256 fingerprint.
inline constexpr const char *kUnverifiedCertificate
    = QT_TRANSLATE_NOOP("tess",
                        "The server %1 sent a certificate that could not be verified.\n\n"
                        "Subject: %2\nSHA-256 fingerprint: %3\n\n"
                        "Trust this certificate for this session only and connect anyway?");

// Dialogs.
inline constexpr const char *kUploadTitle = QT_TRANSLATE_NOOP("tess", "Upload File");
inline constexpr const char *kDownloadTitle = QT_TRANSLATE_NOOP("tess", "Download File");
inline constexpr const char *kSelectFolderTitle = QT_TRANSLATE_NOOP("tess", "Select Folder");
inline constexpr const char *kStatusTitle = QT_TRANSLATE_NOOP("tess", "Status");
inline constexpr const char *kServerLabel = QT_TRANSLATE_NOOP("tess", "FTP Server Name");
inline constexpr const char *kUserLabel = QT_TRANSLATE_NOOP("tess", "User Name");
inline constexpr const char *kPasswordLabel = QT_TRANSLATE_NOOP("tess", "Password");
inline constexpr const char *kUploadFolderLabel = QT_TRANSLATE_NOOP("tess", "Destination Folder");
inline constexpr const char *kDownloadFolderLabel = QT_TRANSLATE_NOOP("tess", "Destination Path");
inline constexpr const char *kBrowseButton = QT_TRANSLATE_NOOP("tess", "...");
inline constexpr const char *kUploadGroup = QT_TRANSLATE_NOOP("tess", "Upload");
inline constexpr const char *kUploadProject = QT_TRANSLATE_NOOP("tess", "Project");
inline constexpr const char *kUploadFile = QT_TRANSLATE_NOOP("tess", "File");
inline constexpr const char *kFileListLabel = QT_TRANSLATE_NOOP("tess", "Select File(s)");
inline constexpr const char *kSourceButton = QT_TRANSLATE_NOOP("tess", "Source...");
inline constexpr const char *kSelectAllFiles = QT_TRANSLATE_NOOP("tess", "Select All Files");
inline constexpr const char *kTransferOk = QT_TRANSLATE_NOOP("tess", "OK");
inline constexpr const char *kTransferCancel = QT_TRANSLATE_NOOP("tess", "Cancel");

} // namespace tess
