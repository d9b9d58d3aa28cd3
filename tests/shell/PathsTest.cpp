#include "shell/ProcessPaths.h"
#include "shell/RecentFileList.h"
#include "shell/SettingsKey.h"
#include "source/DataPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

TEST_F(PathsTest, NoKeyAtAllUsesTheWorkingDirectory)
{
    CurrentFilePath = "left over";
    initProcessPaths(SettingsKey(path("absent.ini")), path());
    EXPECT_EQ(TempDirPath, path("Temp"));
    EXPECT_TRUE(isDir(path("Temp")));
    // Without a local DTD in the working directory the bundled one serves.
    ASSERT_FALSE(bundledDtdPath().empty());
    EXPECT_EQ(DtdFilePath, bundledDtdPath());
    EXPECT_EQ(CurrentFilePath, "");

    touch("wml_1.1.xml");
    initProcessPaths(SettingsKey(path("absent.ini")), path());
    EXPECT_EQ(DtdFilePath, path("wml_1.1.xml"));
}

TEST_F(PathsTest, TempDirPathCases)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("slash") && QDir(m_dir.path()).mkdir("plain"));
    touch("plain/Temp");
    const struct
    {
        std::string setting, expected;
        bool folderMade;
    } cases[] = {
        {path("slash/"), path("slash//Temp"), true}, // separator doubled as it is
        {path("plain"), path("plain/Temp"), false}, // a plain file counts as existing
        {path("missing"), path("missing/Temp"), false}, // the base is never made
    };
    for (const auto &c : cases) {
        EXPECT_EQ(makeTempDirPath(c.setting, path("work")), c.expected);
        EXPECT_EQ(isDir(c.expected), c.folderMade) << c.expected;
    }
    EXPECT_TRUE(QFileInfo(QString::fromStdString(path("plain/Temp"))).isFile());
}

TEST_F(PathsTest, DtdFilePathFallbacks)
{
    touch("wml_1.1.xml");
    EXPECT_EQ(chooseDtdFilePath("/set/dtd", path(), "/bundled.dtd"), "/set/dtd");
    EXPECT_EQ(chooseDtdFilePath("", path(), "/bundled.dtd"), path("wml_1.1.xml"));
    EXPECT_EQ(chooseDtdFilePath("", path("none"), "/bundled.dtd"), "/bundled.dtd");
    EXPECT_EQ(chooseDtdFilePath("", path("none"), ""), path("none/wml_1.1.xml"));
}

TEST_F(PathsTest, QuitRemovesTheFolderOnlyAfterRemovingTempWml)
{
    const std::string temp = makeTempDirPath("", path());
    EXPECT_FALSE(cleanUpTempDir(temp)); // no temp.wml: the empty folder stays
    EXPECT_TRUE(isDir(temp));

    touch("Temp/temp.wml");
    touch("Temp/WapTemprary.wml");
    EXPECT_FALSE(cleanUpTempDir(temp)); // a folder still holding files stays
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(temp + "/temp.wml")));
    EXPECT_TRUE(isDir(temp));

    ASSERT_TRUE(QFile::remove(QString::fromStdString(temp + "/WapTemprary.wml")));
    touch("Temp/temp.wml");
    EXPECT_TRUE(cleanUpTempDir(temp));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(temp)));
}

TEST_F(PathsTest, RecentFilesKeepTheNewestFour)
{
    RecentFileList list(path("recent.ini"), 4);
    for (const char *p : {"/a.wml", "/b.wml", "/c.asp", "/d.jsp", "/e.wml", "/c.asp", ""})
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
