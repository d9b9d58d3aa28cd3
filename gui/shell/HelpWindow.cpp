#include "gui/shell/HelpWindow.h"

#include "app/SettingsKey.h"
#include "app/Translation.h"
#include "gui/shell/ShellConstants.h"
#include "wml/DataPaths.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QKeySequence>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace tess {

HelpWindow::HelpWindow(QWidget *parent)
    : QMainWindow(parent, Qt::Window)
{
    setWindowTitle(translated(kHelpWindowCaption));
    m_browser = new QTextBrowser(this);
    // Every link comes through openLink, which keeps web pages out of a
    // viewer that cannot show them.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::openLink);
    setCentralWidget(m_browser);

    QToolBar *bar = addToolBar(translated(kHelpToolbarCaption));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), translated(kHelpBack));
    m_back->setShortcut(QKeySequence::Back);
    m_forward
        = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), translated(kHelpForward));
    m_forward->setShortcut(QKeySequence::Forward);
    m_home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), translated(kHelpHome));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_home, &QAction::triggered, m_browser, &QTextBrowser::home);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString page = m_browser->documentTitle();
        setWindowTitle(page.isEmpty()
                           ? translated(kHelpWindowCaption)
                           : translated(kHelpWindowCaption) + QStringLiteral(" - ") + page);
    });
    resize(760, 600);
}

void HelpWindow::showHome(const QString &indexPath)
{
    const QUrl home = QUrl::fromLocalFile(indexPath);
    m_browser->clearHistory();
    m_browser->setSource(home);
}

void HelpWindow::openLink(const QUrl &url)
{
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")
        || scheme == QLatin1String("mailto"))
        QDesktopServices::openUrl(url);
    else
        m_browser->setSource(url);
}

std::string manualIndexPath(const SettingsKey &key)
{
    std::string folder = key.readString(kSettingApplicationPath).value_or(std::string());
    if (folder.empty())
        folder = dataDir();
    // Without a data folder, where an installed program keeps it.
    if (folder.empty())
        folder = QDir::cleanPath(QCoreApplication::applicationDirPath()
                                 + QStringLiteral("/../share/tessarine"))
                     .toStdString();
    return folder + "/manual/index.html";
}

} // namespace tess
