#include "app/ProjectFile.h"
#include "app/ProjectTexts.h"
#include "wml/FileUtil.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace tess {
namespace {

namespace fs = std::filesystem;

const std::string kStylesheet = "<?xml:stylesheet href=\"Morvane.xsl\" type=\"text/xsl\"?>\r\n";

// The project text with these entries between the "<br/>" tags.
std::string projectText(const std::string &root, const std::vector<std::string> &entries)
{
    std::string text = kStylesheet + "<" + root + ">\n<br/>\r\n";
    for (const std::string &e : entries)
        text += e + "\r\n<br/>\r\n";
    return text + "</" + root + ">";
}

class ProjectFileTest : public ::testing::Test
{
protected:
    std::string path(const std::string &name) const
    {
        return m_dir.path().toStdString() + "/" + name;
    }
    static std::string bytes(const std::string &file) { return readWholeFile(file).value_or("?"); }

    QTemporaryDir m_dir;
};

TEST_F(ProjectFileTest, NewProjectIsTheExactTextAndLoads)
{
    EXPECT_EQ(kStylesheet.size(), 55u); // 53 bytes and CR LF
    const NewProject made = CreateNewProject("  My Site ", " " + path("work") + " ");
    ASSERT_TRUE(made.outcome) << made.outcome.message;
    EXPECT_EQ(made.name, "My Site");
    EXPECT_EQ(made.folder, path("work/My Site"));
    EXPECT_EQ(made.filePath, path("work/My Site/My Site.wpg"));
    EXPECT_EQ(bytes(made.filePath), kStylesheet + "<MySite>\n<br/>\r\n</MySite>");
    EXPECT_EQ(NewProjectText("My Site"), bytes(made.filePath));

    const ProjectFile project(made.filePath);
    EXPECT_EQ(project.name(), "My Site");
    ProjectContents contents;
    ASSERT_TRUE(project.load(contents));
    EXPECT_EQ(ProjectContents::rootItemText(project.name()), "Project My Site");
    EXPECT_EQ(contents.folderItemText(), "MySite Files");
    EXPECT_TRUE(contents.entries.empty());

    // A second project of that name, or one inside a file, cannot be made.
    EXPECT_EQ(CreateNewProject("My Site", path("work")).outcome.message, kProjectNotCreated);
    EXPECT_EQ(CreateNewProject("x", made.filePath).focus, NewProjectField::Name);
    // A root named "br" has no folder item.
    const NewProject br = CreateNewProject("br", path("work/"));
    EXPECT_EQ(br.filePath, path("work/br/br.wpg"));
    ASSERT_TRUE(ProjectFile(br.filePath).load(contents));
    EXPECT_EQ(contents.folderItemText(), "");

    setAtomicWriteFailureForTesting(true);
    EXPECT_EQ(CreateNewProject("Other", path("work")).outcome.message, kProjectFileNotCreated);
    setAtomicWriteFailureForTesting(false);
}

TEST_F(ProjectFileTest, NewProjectChecksComeInOrder)
{
    const struct
    {
        std::string name, location;
        const char *message;
        NewProjectField focus;
    } cases[] = {
        {" ", "", kEnterProjectName, NewProjectField::Name},
        {"9site", "work", kProjectNameStartsWithDigit, NewProjectField::Name},
        {"site", " \t", kEnterProjectPath, NewProjectField::Location},
        {"site", "work", kInvalidProjectPath, NewProjectField::Location},
        // A drive letter, lower case or not, names nothing here.
        {"site", "d:\\work", kInvalidProjectPath, NewProjectField::Location},
        {"-site", "/work", "", NewProjectField::None},
        {"_site", "/", "", NewProjectField::None},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name + "|" + c.location);
        const NewProject checked = CheckNewProject(c.name, c.location);
        EXPECT_EQ(checked.outcome.message, c.message);
        EXPECT_EQ(checked.outcome.ok, *c.message == 0);
        EXPECT_EQ(checked.focus, c.focus);
    }
    EXPECT_EQ(CheckNewProject("_site", "/").filePath, "/_site/_site.wpg");

    // A name starting with punctuation passes, but its root is no XML name.
    for (const char *name : {"-site", "!site", ".site"}) {
        const NewProject made = CreateNewProject(name, path("p"));
        ASSERT_TRUE(made.outcome) << name;
        ProjectContents contents;
        EXPECT_EQ(ProjectFile(made.filePath).load(contents).message, kCorruptedProjectFile);
    }
}

TEST(ProjectFileNames, NameIsTheFileNameUpToItsFirstDot)
{
    EXPECT_EQ(ProjectNameOfFile("/w/site.old.wpg"), "site");
    EXPECT_EQ(ProjectNameOfFile("/w/a.b/My Site.wpg"), "My Site");
    EXPECT_TRUE(CheckProjectFilePath("/w/site.old.wpg"));
    EXPECT_EQ(CheckProjectFilePath("/w/site.WPG").message, kNotAProjectFile);
    EXPECT_EQ(CheckProjectFilePath("/w.wpg/site").message, "");
}

// Each step and the exact file after it.
TEST_F(ProjectFileTest, AddAndRemoveKeepTheExactText)
{
    const NewProject made = CreateNewProject("Site", path(""));
    ASSERT_TRUE(made.outcome);
    const ProjectFile project(made.filePath);
    const std::string in = made.folder + "/";
    const std::string out = path("other/b.asp");
    const struct
    {
        std::vector<std::string> add;
        std::string remove;
        std::vector<std::string> refused;
        std::vector<std::string> entries;
    } steps[] = {
        {{in + "a.wml", out, in + "A.WML", in + "../Site/a.wml", in + "sub/c.wml"},
         {},
         {"The File A.WML is already in the project it will not be added",
          "The File a.wml is already in the project it will not be added"},
         {"a.wml", out, in + "sub/c.wml"}},
        {{path("OTHER/b.asp")},
         {},
         {"The File " + path("OTHER/b.asp") + " " + kAlreadyInProject},
         {"a.wml", out, in + "sub/c.wml"}},
        {{}, "A.wml", {}, {out, in + "sub/c.wml"}},
        {{}, "missing.wml", {}, {out, in + "sub/c.wml"}},
        {{in + "x&y <z>.wml"}, {}, {}, {out, in + "sub/c.wml", "x&amp;y &lt;z&gt;.wml"}},
        {{}, " x&y <z>.wml ", {}, {out, in + "sub/c.wml"}},
        {{}, out, {}, {in + "sub/c.wml"}},
        {{}, in + "SUB/c.wml", {}, {}},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.add.empty() ? "remove " + step.remove : "add " + step.add.front());
        if (step.add.empty()) {
            EXPECT_TRUE(project.removeEntry(step.remove));
        } else {
            const AddedFiles added = project.addFiles(step.add);
            EXPECT_TRUE(added.outcome);
            EXPECT_EQ(added.changed, step.refused.size() < step.add.size());
            std::vector<std::string> refused;
            for (const Outcome &o : added.refused)
                refused.push_back(o.message);
            EXPECT_EQ(refused, step.refused);
        }
        EXPECT_EQ(bytes(project.path()), projectText("Site", step.entries));
    }
    // Removing the only entry has left the text of a new project.
    EXPECT_EQ(bytes(project.path()), NewProjectText("Site"));

    setAtomicWriteFailureForTesting(true);
    EXPECT_EQ(project.addFiles({out}).outcome.message, kProjectFileNotCreated);
    setAtomicWriteFailureForTesting(false);
    for (const char *unreadable : {"a\x01.wml", "a\xff.wml"})
        EXPECT_EQ(project.addFiles({out, in + unreadable}).outcome.message, kProjectFileNotCreated);
    EXPECT_EQ(bytes(project.path()), NewProjectText("Site"));
}

// A project written on Windows: "\" in relative entries, drive and network
// paths that stand for nothing here, and they all survive a rewrite.
TEST_F(ProjectFileTest, ProjectWrittenOnWindows)
{
    const std::vector<std::string> entries
        = {"a.wml", "sub\\b.wml", "D:\\site\\c.asp", "\\\\srv\\share\\d.jsp"};
    const std::string file = path("Win.wpg");
    ASSERT_TRUE(writeFileAtomically(file, projectText("Win", entries)));
    const ProjectFile project(file);
    ProjectContents contents;
    ASSERT_TRUE(project.load(contents));
    EXPECT_EQ(contents.entries, entries);

    ASSERT_TRUE(fs::create_directory(path("sub")));
    ASSERT_TRUE(writeFileAtomically(path("sub/b.wml"), "<wml/>"));
    std::string resolved;
    EXPECT_TRUE(project.checkEntryFile("sub\\b.wml", resolved));
    EXPECT_EQ(resolved, path("sub/b.wml"));
    EXPECT_EQ(project.pathOf("a.wml"), path("a.wml"));
    EXPECT_EQ(project.pathOf("/abs/e.wml"), "/abs/e.wml");
    for (const std::string &windows : {entries[2], entries[3]}) {
        const Outcome missing = project.checkEntryFile(windows, resolved);
        EXPECT_EQ(resolved, windows);
        EXPECT_FALSE(missing);
        EXPECT_NE(missing.message.find(windows), std::string::npos);
    }

    ASSERT_TRUE(project.addFiles({path("e.wml"), path("SUB/b.wml")}).changed);
    std::vector<std::string> more = entries;
    more.push_back("e.wml");
    more.push_back(path("SUB/b.wml"));
    EXPECT_EQ(bytes(file), projectText("Win", more));
    ASSERT_TRUE(project.removeEntry("d:\\SITE\\c.asp"));
    more.erase(more.begin() + 2);
    EXPECT_EQ(bytes(file), projectText("Win", more));
}

// A file that is no project is reported, and left as it is.
TEST_F(ProjectFileTest, HostileFilesChangeNothing)
{
    std::string garbage(50u << 20, '\0');
    std::mt19937 random(7);
    for (char &c : garbage)
        c = char(random());
    const struct
    {
        const char *name;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"text", "just some words"},
        {"unclosed", kStylesheet + "<Site>\n<br/>\r\na.wml\r\n<br/>\r\n"},
        {"bad root", kStylesheet + "<1Site>\n<br/>\r\n</1Site>"},
        {"amp", projectText("Site", {"a&b.wml"})},
        {"laughs",
         "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
         "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
         "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
         "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>"
         "<r>&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;</r>"},
        {"garbage", garbage},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = path(std::string(c.name) + ".wpg");
        ASSERT_TRUE(writeFileAtomically(file, c.text));
        const ProjectFile project(file);
        ProjectContents contents;
        EXPECT_EQ(project.load(contents).message, kCorruptedProjectFile);
        EXPECT_TRUE(contents.entries.empty() && contents.rootName.empty());
        const AddedFiles added = project.addFiles({path("a.wml")});
        EXPECT_EQ(added.outcome.message, kCorruptedProjectFile);
        EXPECT_FALSE(added.changed);
        EXPECT_EQ(project.removeEntry("a.wml").message, kCorruptedProjectFile);
        EXPECT_TRUE(bytes(file) == c.text);
    }
    // What cannot be read at all.
    for (const std::string &file : {path("missing.wpg"), path("")}) {
        ProjectContents contents;
        EXPECT_EQ(ProjectFile(file).load(contents).message, kCorruptedProjectFile);
        EXPECT_EQ(ProjectFile(file).addFiles({"a.wml"}).outcome.message, kProjectFileNotOpened);
        EXPECT_EQ(ProjectFile(file).removeEntry("a.wml").message, kProjectFileNotOpened);
    }
}

} // namespace
} // namespace tess
