#include "shell/Berthing.h"

#include "shell/MainFrm.h"
#include "shell/PlaceholderDocument.h"
#include "shell/ProcessPaths.h"
#include "shell/QtPrompter.h"
#include "shell/SettingsKey.h"
#include "shell/ShellConstants.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>

#include <libxml/parser.h>

namespace tess {

CBerthingApp::CBerthingApp() = default;

CBerthingApp::~CBerthingApp()
{
    if (m_promptInstalled)
        Prompter::setCurrent(nullptr);
}

bool CBerthingApp::InitInstance(const StartupOptions &options, std::string *error)
{
    if (options.prompter) {
        Prompter::setCurrent(options.prompter);
    } else {
        m_prompter = std::make_unique<QtPrompter>();
        Prompter::setCurrent(m_prompter.get());
    }
    m_promptInstalled = true;

    // The XML parser's set-up; unlike the component system it replaces it
    // cannot fail, so "Unable to Initialize" has no cause left.
    xmlInitParser();

    const std::string workingDir
        = options.workingDir.empty() ? QDir::currentPath().toStdString() : options.workingDir;
    const SettingsKey key(options.settingsPath.empty() ? SettingsKey::defaultFilePath()
                                                       : options.settingsPath);
    initProcessPaths(key, workingDir);
    m_pathsReady = true;

    m_recent = std::make_unique<RecentFileList>(
        options.recentPath.empty() ? RecentFileList::defaultFilePath() : options.recentPath,
        kRecentFileCount);
    m_recent->load();

    m_frame = std::make_unique<CMainFrame>();
    if (!m_frame->Create()) {
        if (error)
            *error = "cannot create the main window";
        m_frame.reset();
        return false;
    }
    if (m_prompter)
        m_prompter->setParent(m_frame.get());
    if (qApp) {
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, m_frame.get(),
                         [this] { ExitInstance(); });
    }

    // Without a file the program starts with no document at all.
    if (!options.file.empty()) {
        CurrentFilePath = options.file;
        if (!OpenDocumentFile(options.file, error))
            return false;
    }

    if (options.fixedSize) {
        m_frame->resize(kScreenshotWidth, kScreenshotHeight);
        m_frame->show();
    } else {
        m_frame->showMaximized();
    }

    const QString iconPath = options.imageIconResource.isEmpty()
        ? QString::fromLatin1(kImageIconResource)
        : options.imageIconResource;
    if (!m_imageIcon.load(iconPath))
        Prompter::current().message(kUnableToLoadIcon, Prompter::Icon::Warning);
    return true;
}

bool CBerthingApp::OpenDocumentFile(const std::string &path, std::string *error)
{
    if (!m_frame || !openPlaceholderDocument(m_frame->mdiArea(), path, error))
        return false;
    CurrentFilePath = path;
    m_recent->add(QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString());
    m_recent->save();
    return true;
}

void CBerthingApp::ExitInstance()
{
    if (!m_pathsReady || m_exited)
        return;
    m_exited = true;
    cleanUpTempDir(TempDirPath);
}

bool saveWidgetScreenshot(QWidget *widget, const std::string &path, std::string *error)
{
    const QPixmap shot = widget->grab();
    if (shot.isNull() || !shot.save(QString::fromStdString(path), "PNG")) {
        if (error)
            *error = "cannot write the screenshot to " + path;
        return false;
    }
    return true;
}

} // namespace tess
