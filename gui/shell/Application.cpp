#include "gui/shell/Application.h"

#include "app/SettingsKey.h"
#include "editor/DeckDocument.h"
#include "gui/code/OutputView.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/QtPrompter.h"
#include "gui/shell/ShellConstants.h"
#include "wml/FileUtil.h"

#include <QApplication>
#include <QBuffer>
#include <QMdiArea>

#include <libxml/parser.h>

#include <filesystem>
#include <system_error>

namespace tess {

Application::Application() = default;

Application::~Application() = default;

bool Application::InitInstance(const StartupOptions &options, std::string *error)
{
    if (options.prompter) {
        m_prompter = options.prompter;
    } else {
        m_ownPrompter = std::make_unique<QtPrompter>();
        m_prompter = m_ownPrompter.get();
    }

    // The XML parser's set-up; unlike the component system it replaces it
    // cannot fail, so "Unable to Initialize" has no cause left.
    xmlInitParser();

    const SettingsKey key(options.settingsPath.empty() ? SettingsKey::defaultFilePath()
                                                       : options.settingsPath);
    m_context.startUp(key);
    m_startupWarning = m_context.tempDirWarning();
    m_pathsReady = true;

    m_recent = std::make_unique<RecentFileList>(
        options.recentPath.empty() ? RecentFileList::defaultFilePath() : options.recentPath,
        kRecentFileCount);
    m_recent->load();

    m_frame = std::make_unique<MainWindow>(m_context, *m_prompter);
    if (!m_frame->Create()) {
        if (error)
            *error = "cannot create the main window";
        m_frame.reset();
        return false;
    }
    if (m_ownPrompter)
        m_ownPrompter->setParent(m_frame.get());
    m_frame->setRecentFileList(m_recent.get());
    m_frame->setControlsBarShown(key.numberOrDefault(kSettingControlsBar) == 1);
    QObject::connect(m_frame.get(), &MainWindow::controlsBarToggled, m_frame.get(),
                     [path = key.filePath()](bool shown) {
                         SettingsKey settings(path);
                         if (settings.exists() || settings.create())
                             settings.writeNumber(kSettingControlsBar, shown ? 1 : 0);
                     });
    if (qApp) {
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, m_frame.get(),
                         [this] { ExitInstance(); });
    }
    QObject::connect(m_frame.get(), &MainWindow::documentOpened, m_frame.get(),
                     [this](const std::string &path) { recordOpened(path); });

    // Without a file the program starts with no document at all. A file that
    // cannot be opened is said so in the window, as any editor does; only a
    // screenshot, which has no one to tell, fails.
    std::string openError;
    if (!options.file.empty()) {
        m_context.currentFile = options.file;
        if (OpenDocumentFile(options.file, &openError)) {
            if (options.card > 0 && !showCard(options.card, error))
                return false;
            if (options.tab > 0 && m_frame->activeChildFrame())
                m_frame->activeChildFrame()->tabWindow()->clickTab(options.tab);
        } else if (options.fixedSize) {
            if (error)
                *error = openError;
            return false;
        }
    }

    showStartupWarning();

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
        m_prompter->message(kUnableToLoadIcon, Prompter::Icon::Warning);
    if (!openError.empty())
        m_prompter->message(openError, Prompter::Icon::Stop);
    return true;
}

bool Application::OpenDocumentFile(const std::string &path, std::string *error)
{
    return m_frame && m_frame->OpenDocumentFile(path, error);
}

void Application::recordOpened(const std::string &path)
{
    m_context.currentFile = path;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    m_frame->addRecentFile(ec ? path : absolute.string());
}

// Below whatever the opened deck's load reported, which the Output window
// shows first.
void Application::showStartupWarning()
{
    if (m_startupWarning.empty())
        return;
    const OutputView *view = m_frame->outputView();
    const std::string shown = view ? view->message() : std::string();
    m_frame->showOutputMessage(shown.empty() ? m_startupWarning
                                             : shown + "\r\n" + m_startupWarning);
}

bool Application::showCard(int n, std::string *error)
{
    DocumentWindow *child = m_frame->activeChildFrame();
    DeckNode *card = child ? NthCard(child->document().model().root(), n) : nullptr;
    if (!card) {
        if (error)
            *error = m_context.currentFile + " has no card " + std::to_string(n);
        return false;
    }
    child->document().setCurrentCard(card);
    child->document().setCurrentCardIndex(n);
    child->document().requestAlignAll();
    return true;
}

void Application::ExitInstance()
{
    if (!m_pathsReady || m_exited)
        return;
    m_exited = true;
    m_context.removeTempDir();
}

bool saveWidgetScreenshot(QWidget *widget, const std::string &path, std::string *error)
{
    // The picture is made in memory and written by the program itself, so a
    // failing file only ever meets the program's own error path.
    QByteArray png;
    QBuffer buffer(&png);
    const QPixmap shot = widget->grab();
    if (!shot.isNull() && buffer.open(QIODevice::WriteOnly) && shot.save(&buffer, "PNG")
        && writeFileAtomically(path, png.toStdString()))
        return true;
    if (error)
        *error = "cannot write the screenshot to " + path;
    return false;
}

} // namespace tess
