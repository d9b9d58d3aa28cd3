#include "app/FtpServers.h"

#include "app/SettingsKey.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace tess {

namespace {

const char *const kGroup = "Software/Morvane Inc./Tessarine/FTP Servers";

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

std::string text(const QSettings &settings, const char *key)
{
    return settings.value(QLatin1String(key)).toString().toStdString();
}

} // namespace

std::string FtpServerList::defaultFilePath()
{
    if (const char *env = std::getenv("TESSARINE_FTP"); env && *env)
        return env;
    const QFileInfo settings(QString::fromStdString(SettingsKey::defaultFilePath()));
    return (settings.absolutePath() + QStringLiteral("/Tessarine-ftp.ini")).toStdString();
}

FtpServerList::FtpServerList(std::string iniPath)
    : m_path(std::move(iniPath))
{ }

std::vector<FtpServerEntry> FtpServerList::entries() const
{
    std::vector<FtpServerEntry> found;
    if (!QFileInfo(qs(m_path)).isFile())
        return found;
    QSettings settings(qs(m_path), QSettings::IniFormat);
    settings.beginGroup(QLatin1String(kGroup));
    const int count = std::min(settings.beginReadArray(QStringLiteral("Server")), kCapacity);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        FtpServerEntry entry {text(settings, "Name"), text(settings, "User"),
                              text(settings, "Upload Folder"), text(settings, "Download Folder")};
        if (!entry.server.empty())
            found.push_back(std::move(entry));
    }
    settings.endArray();
    return found;
}

FtpServerEntry FtpServerList::find(const std::string &server) const
{
    for (FtpServerEntry &entry : entries()) {
        if (entry.server == server)
            return entry;
    }
    return {server, {}, {}, {}};
}

bool FtpServerList::remember(const FtpServerEntry &entry)
{
    if (entry.server.empty())
        return false;
    std::vector<FtpServerEntry> list = entries();
    FtpServerEntry merged = find(entry.server);
    for (auto field :
         {&FtpServerEntry::user, &FtpServerEntry::uploadFolder, &FtpServerEntry::downloadFolder}) {
        if (!(entry.*field).empty())
            merged.*field = entry.*field;
    }
    std::erase_if(list, [&](const FtpServerEntry &e) { return e.server == entry.server; });
    list.insert(list.begin(), merged);
    if (list.size() > size_t(kCapacity))
        list.resize(size_t(kCapacity));

    QSettings settings(qs(m_path), QSettings::IniFormat);
    settings.remove(QLatin1String(kGroup));
    settings.beginGroup(QLatin1String(kGroup));
    settings.beginWriteArray(QStringLiteral("Server"), int(list.size()));
    for (size_t i = 0; i < list.size(); ++i) {
        settings.setArrayIndex(int(i));
        settings.setValue(QStringLiteral("Name"), qs(list[i].server));
        settings.setValue(QStringLiteral("User"), qs(list[i].user));
        settings.setValue(QStringLiteral("Upload Folder"), qs(list[i].uploadFolder));
        settings.setValue(QStringLiteral("Download Folder"), qs(list[i].downloadFolder));
    }
    settings.endArray();
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace tess
