#include "app/RecentFileList.h"

#include "app/SettingsKey.h"

#include <QByteArrayView>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <cstdlib>

namespace tess {

namespace {

QString group()
{
    return QStringLiteral("Software/%1/Tessarine/Recent File List")
        .arg(QLatin1String(kProfileCompany));
}

QString entryName(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

std::string RecentFileList::defaultFilePath()
{
    if (const char *env = std::getenv("TESSARINE_RECENT"); env && *env)
        return env;
    const QFileInfo settings(QString::fromStdString(SettingsKey::defaultFilePath()));
    return (settings.absolutePath() + QStringLiteral("/Tessarine-recent.ini")).toStdString();
}

RecentFileList::RecentFileList(std::string iniPath, int capacity)
    : m_path(std::move(iniPath))
    , m_capacity(std::max(capacity, 1))
{ }

void RecentFileList::load()
{
    m_entries.clear();
    if (!QFileInfo(QString::fromStdString(m_path)).isFile())
        return;
    QSettings settings(QString::fromStdString(m_path), QSettings::IniFormat);
    settings.beginGroup(group());
    for (int i = 0; i < m_capacity; ++i) {
        const QVariant value = settings.value(entryName(i));
        if (value.typeId() != QMetaType::QString || value.toString().isEmpty())
            continue;
        const std::string path = value.toString().toStdString();
        if (std::find(m_entries.begin(), m_entries.end(), path) == m_entries.end())
            m_entries.push_back(path);
    }
}

bool RecentFileList::save() const
{
    QSettings settings(QString::fromStdString(m_path), QSettings::IniFormat);
    settings.remove(group());
    settings.beginGroup(group());
    for (size_t i = 0; i < m_entries.size(); ++i)
        settings.setValue(entryName(int(i)), QString::fromStdString(m_entries[i]));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void RecentFileList::add(const std::string &path)
{
    // The list is kept as text: a name that is not UTF-8 would come back as
    // another file's name.
    if (path.empty() || !QByteArrayView(path).isValidUtf8())
        return;
    std::erase(m_entries, path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > size_t(m_capacity))
        m_entries.resize(size_t(m_capacity));
}

} // namespace tess
