#include "app/SettingsColor.h"
#include "app/SettingsKey.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tess {
namespace {

class SettingsTest : public ::testing::Test
{
protected:
    std::string path(const char *name) const { return (m_dir.path() + "/" + name).toStdString(); }
    std::string fileText(const char *name) const
    {
        QFile f(QString::fromStdString(path(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<absent>";
    }

    QTemporaryDir m_dir;
};

TEST(SettingNumberTest, ParsesOnlyNumbersThatFit32Bits)
{
    const std::pair<const char *, std::optional<uint32_t>> cases[] = {
        {"128", 128u},
        {"4294967295", 0xFFFFFFFFu},
        {"4294967296", std::nullopt},
        {"0x8080", 0x8080u},
        {"0XFFFFFFFF", 0xFFFFFFFFu},
        {"0x100000000", std::nullopt},
        {"dword:00800000", 0x800000u},
        {"dword:123456789", std::nullopt},
        {"dword:", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {"12abc", std::nullopt},
        {" 12", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(parseSettingNumber(text), value) << '"' << text << '"';
}

TEST_F(SettingsTest, KeyIsCreatedBeforeAnythingIsWritten)
{
    SettingsKey key(path("Morvane Inc./Tessarine.ini"));
    EXPECT_FALSE(key.writeString("DTD Path", "/x.dtd"));
    ASSERT_TRUE(key.create());
    EXPECT_EQ(fileText("Morvane Inc./Tessarine.ini"), "");
    ASSERT_TRUE(key.writeString("DTD Path", "/opt/wml,1.1.dtd"));
    ASSERT_TRUE(key.writeNumber("Keyword Color", 0x80));
    EXPECT_TRUE(key.create());
    EXPECT_EQ(fileText("Morvane Inc./Tessarine.ini"),
              "[software]\n"
              "Morvane%20Inc.\\Tessarine\\DTD%20Path=\"/opt/wml,1.1.dtd\"\n"
              "Morvane%20Inc.\\Tessarine\\Keyword%20Color=dword:00000080\n");
    EXPECT_EQ(key.readString("DTD Path"), "/opt/wml,1.1.dtd");
    EXPECT_EQ(key.readNumber("Keyword Color"), 0x80u);

    // Colours keep only red, green and blue, whatever is stored.
    const QColor colour(0x12, 0x34, 0x56);
    ASSERT_TRUE(key.writeNumber("Comment Color", settingFromColor(colour) | 0xFF000000));
    EXPECT_EQ(key.color("Comment Color"), 0x563412u);
    EXPECT_EQ(colorFromSetting(key.color("Comment Color")), colour);
}

TEST_F(SettingsTest, FailedCreationWritesNothing)
{
    QFile(QString::fromStdString(path("plain"))).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder.ini"));
    // No folder level under a plain file; no file level where a folder is.
    for (const char *name : {"plain/Morvane Inc./Tessarine.ini", "folder.ini"}) {
        SettingsKey key(path(name));
        EXPECT_FALSE(key.create()) << name;
        EXPECT_FALSE(key.writeString("Default Font", "Courier")) << name;
    }
    EXPECT_EQ(fileText("plain"), "");
}

} // namespace
} // namespace tess
