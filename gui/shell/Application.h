#pragma once

#include "app/AppContext.h"
#include "app/RecentFileList.h"

#include <QPixmap>
#include <QString>

#include <memory>
#include <string>

namespace tess {

class MainWindow;
class Prompter;
class QtPrompter;

// What start-up needs from outside; the defaults are those of a normal run.
struct StartupOptions
{
    std::string file; // the command line's file; empty for none
    std::string settingsPath; // empty: SettingsKey::defaultFilePath()
    std::string recentPath; // empty: RecentFileList::defaultFilePath()
    // Every box and dialog of the program; null: a QtPrompter parented to
    // the main frame.
    Prompter *prompter = nullptr;
    // Shown at a fixed size instead of maximised (for --screenshot).
    bool fixedSize = false;
    // The 1-based card the file's document shows; 0 for the first. A card
    // the deck does not have fails start-up.
    int card = 0;
    // The tab of the file's document that is clicked once it is open (0:
    // Design, 1: Code, 2: XML Tree).
    int tab = 0;
    QString imageIconResource; // empty: the program's image placeholder
};

// The application object: brings the program up (InitInstance) and down
// (ExitInstance, run when the application is about to quit).
class Application
{
public:
    Application();
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    // False when the program cannot run, with the reason in *error.
    bool InitInstance(const StartupOptions &options, std::string *error);
    // Removes the instance's temporary folder with all it holds; safe to
    // call more than once.
    void ExitInstance();
    // Why start-up passed a setting over (a "Temp Dir" that cannot be used);
    // empty when all went as set. The Output window shows it too.
    const std::string &startupWarning() const { return m_startupWarning; }

    MainWindow *mainFrame() const { return m_frame.get(); }
    const AppContext &context() const { return m_context; }
    RecentFileList *recentFiles() const { return m_recent.get(); }
    // Icon 205, drawn by the designer for image elements; null when it could
    // not be loaded.
    const QPixmap &imageIcon() const { return m_imageIcon; }

    // Opens path as a document and records it as the current file and in
    // the recent files.
    bool OpenDocumentFile(const std::string &path, std::string *error);

private:
    void recordOpened(const std::string &path);
    void showStartupWarning();
    // Makes card n of the active document the one shown.
    bool showCard(int n, std::string *error);

    std::unique_ptr<QtPrompter> m_ownPrompter;
    // The options' prompter or m_ownPrompter.
    Prompter *m_prompter = nullptr;
    // Before the frame, which refers to it.
    AppContext m_context;
    std::unique_ptr<MainWindow> m_frame;
    std::unique_ptr<RecentFileList> m_recent;
    QPixmap m_imageIcon;
    std::string m_startupWarning;
    bool m_pathsReady = false;
    bool m_exited = false;
};

// Grabs widget into a PNG file, written atomically; false, with the reason in
// *error, when the file cannot be written (also when the path names anything
// but a regular file, which is never written to).
bool saveWidgetScreenshot(QWidget *widget, const std::string &path, std::string *error);

} // namespace tess
