#include "wml/FileUtil.h"
#include "common/TimeLimit.h"
#include "tests/wml/XmlTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tess {
namespace {

std::vector<std::string> namesIn(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The temporary file beside the target has a short name of its own, so a name
// at the system's limit saves; anything but a regular file is never replaced.
TEST(FileUtil, AtomicWritesFitAnyNameAndReplaceOnlyRegularFiles)
{
    test::TimeLimit limit(20);
    test::ScratchDir scratch;
    const std::string dir = scratch.dir.path().toStdString();
    for (const std::string &name : {std::string(246, 'a') + ".wml", std::string(251, 'b') + ".wml",
                                    std::string("deck\xff.wml")}) {
        SCOPED_TRACE(name.size());
        const std::string path = dir + "/" + name;
        std::string error;
        EXPECT_TRUE(writeFileAtomically(path, "<wml/>", &error)) << error;
        EXPECT_TRUE(writeFileAtomically(path, "<wml></wml>", &error)) << error;
        EXPECT_EQ(readWholeFile(path), "<wml></wml>");
        EXPECT_EQ(namesIn(dir), std::vector<std::string> {name});
        std::filesystem::remove(path);
    }
    const std::string fifo = dir + "/fifo.wml";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct
    {
        std::string path, error;
    } refused[] = {
        {fifo, "cannot write " + fifo + ": not a regular file"},
        {"/dev/full", "cannot write /dev/full: not a regular file"},
        {dir, "cannot write " + dir + ": Is a directory"},
    };
    for (const auto &c : refused) {
        std::string error;
        EXPECT_FALSE(writeFileAtomically(c.path, "x", &error));
        EXPECT_EQ(error, c.error);
    }
    struct stat st = {};
    EXPECT_TRUE(::stat(fifo.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    EXPECT_TRUE(::stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode));
    EXPECT_EQ(namesIn(dir), std::vector<std::string> {"fifo.wml"});
}

} // namespace
} // namespace tess
