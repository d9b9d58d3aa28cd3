#pragma once

#include <QMainWindow>

#include <string>

class QAction;
class QTextBrowser;
class QUrl;

namespace tess {

class SettingsKey;

// Help > Tessarine Help: the manual's pages in a window of their own, beside
// the main window rather than in front of it. Links inside the manual open
// here; web links open in the system's browser.
class HelpWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the page and makes it the one Home returns to.
    void showHome(const QString &indexPath);

    QTextBrowser *browser() const { return m_browser; }
    QAction *backAction() const { return m_back; }
    QAction *forwardAction() const { return m_forward; }
    QAction *homeAction() const { return m_home; }

private:
    void openLink(const QUrl &url);

    QTextBrowser *m_browser = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
    QAction *m_home = nullptr;
};

// The manual's first page: "manual/index.html" in the folder the setting
// "Application Path" names, or in the program's data folder when that
// setting is missing or empty.
std::string manualIndexPath(const SettingsKey &key);

} // namespace tess
