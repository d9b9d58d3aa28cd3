#include "app/Preferences.h"
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

// The preferences as stored: defaults on a fresh system, the DTD folder
// rule, the order and types written, and Set Defaults touching only the
// colours and the font.
TEST_F(SettingsTest, PreferencesDefaultsFolderRuleAndSetDefaults)
{
    SettingsKey key(path("p/Tessarine.ini"));
    const Preferences fresh = readPreferences(key);
    EXPECT_EQ(std::vector<uint32_t>(
                  {fresh.tags, fresh.comments, fresh.attributes, fresh.strings, fresh.script}),
              std::vector<uint32_t>({0x80, 0x8080, 0x800000, 0x8000, 0x8000}));
    EXPECT_FALSE(fresh.font.has_value());
    EXPECT_FALSE(fresh.localDtd);
    EXPECT_EQ(fresh.dtdPath + fresh.emulatorPath, "");
    EXPECT_STREQ(paletteColorOf(0x80)->name, "Maroon");
    EXPECT_EQ(paletteColorOf(0x123456), nullptr);

    const std::pair<const char *, const char *> folders[] = {
        {"", ""},
        {"/dtd", "/dtd/wml_1.1.xml"},
        {"/dtd/", "/dtd/wml_1.1.xml"},
        {"/dtd/wml_1.1.xml", "/dtd/wml_1.1.xml"},
        {"/x/wml_1.1.xml.bak", "/x/wml_1.1.xml.bak"},
    };
    for (const auto &[field, stored] : folders)
        EXPECT_EQ(dtdFileFromField(field), stored) << field;

    Preferences chosen;
    chosen.tags = 0xFFFF00;
    chosen.font = "DejaVu Sans";
    chosen.localDtd = true;
    chosen.dtdPath = "/dtd/wml_1.1.xml";
    chosen.emulatorPath = std::string(300, 'e');
    ASSERT_TRUE(savePreferences(key, chosen));
    const Preferences back = readPreferences(key);
    EXPECT_EQ(back.tags, 0xFFFF00u);
    EXPECT_EQ(back.font, "DejaVu Sans");
    EXPECT_TRUE(back.localDtd);
    EXPECT_EQ(back.emulatorPath.size(), SettingsKey::kMaxStringBytes);
    EXPECT_EQ(preferredSystemId(back), "/dtd/wml_1.1.xml");
    chosen.localDtd = false;
    EXPECT_EQ(preferredSystemId(chosen), "http://www.wapforum.org/DTD/wml_1.1.xml");

    ASSERT_TRUE(saveDefaultStyle(key));
    const Preferences reset = readPreferences(key);
    EXPECT_EQ(reset.tags, 0x80u);
    EXPECT_EQ(reset.font, "Arial");
    EXPECT_EQ(reset.dtdPath, "/dtd/wml_1.1.xml");
}

} // namespace
} // namespace tess
