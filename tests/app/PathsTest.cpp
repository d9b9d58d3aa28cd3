#include "app/AppContext.h"
#include "app/PrivateTempDir.h"
#include "app/RecentFileList.h"
#include "app/SettingsKey.h"
#include "common/TimeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tess {
namespace {

class PathsTest : public ::testing::Test
{
protected:
    std::string path(const std::string &name = {}) const
    {
        return m_dir.path().toStdString() + (name.empty() ? "" : "/" + name);
    }
    void touch(const std::string &name) const
    {
        ASSERT_TRUE(QFile(QString::fromStdString(path(name))).open(QIODevice::WriteOnly));
    }
    static bool isDir(const std::string &p) { return QFileInfo(QString::fromStdString(p)).isDir(); }

    QTemporaryDir m_dir;
};

// Each instance has a folder of its own, inside "Temp Dir" when that is a
// folder, and takes it away with all it holds; a setting that names anything
// else falls back to the system's temporary folder with a warning.
TEST_F(PathsTest, InstanceFoldersFollowTheTempDirSetting)
{
    test::TimeLimit limit(20);
    setenv("TMPDIR", path("system").c_str(), 1);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("system") && QDir(m_dir.path()).mkdir("set"));
    touch("file");
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    const struct
    {
        std::string setting, parent, warning;
    } cases[] = {
        {"", path("system"), ""},
        {path("set"), path("set"), ""},
        {path("missing"), path("system"), "(no such folder)"},
        {path("file"), path("system"), "(not a folder)"},
        {path("fifo"), path("system"), "(not a folder)"},
        {"/dev/null", path("system"), "(not a folder)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.setting);
        PrivateTempDir first(c.setting);
        PrivateTempDir second(c.setting);
        EXPECT_TRUE(first.path().starts_with(c.parent + "/Tessarine-")) << first.path();
        EXPECT_NE(first.path(), second.path());
        if (c.warning.empty()) {
            EXPECT_EQ(first.warning(), "");
        } else {
            EXPECT_EQ(first.warning(),
                      "Temp Dir \"" + c.setting + "\" cannot be used " + c.warning
                          + ": temporary files go to " + first.path() + " instead");
        }
        std::string gone;
        {
            PrivateTempDir third(c.setting);
            gone = third.path();
            touch(gone.substr(m_dir.path().size() + 1) + "/Tessarine1.tmp");
        }
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(gone)));
        EXPECT_TRUE(isDir(first.path()) && isDir(second.path()));
    }
    unsetenv("TMPDIR");
    EXPECT_EQ(QDir(QString::fromStdString(path("system")))
                  .entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList());
    EXPECT_TRUE(QFileInfo(QString::fromStdString(path("file"))).isFile());
}

TEST_F(PathsTest, RecentFilesKeepTheNewestFour)
{
    RecentFileList list(path("recent.ini"), 4);
    // A name that is not UTF-8 could not be given back, so it is left out.
    for (const char *p :
         {"/a.wml", "/b.wml", "/c.asp", "/d.jsp", "/e.wml", "/c.asp", "", "/\xff.wml"})
        list.add(p);
    const std::vector<std::string> expected = {"/c.asp", "/e.wml", "/d.jsp", "/b.wml"};
    EXPECT_EQ(list.entries(), expected);
    ASSERT_TRUE(list.save());

    RecentFileList again(path("recent.ini"), 4);
    again.load();
    EXPECT_EQ(again.entries(), expected);
    EXPECT_EQ(QSettings(QString::fromStdString(path("recent.ini")), QSettings::IniFormat)
                  .value("Software/Local AppWizard-Generated Applications/Tessarine/"
                         "Recent File List/File1"),
              "/c.asp");
}

} // namespace
} // namespace tess
