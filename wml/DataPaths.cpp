#include "wml/DataPaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tess {

namespace fs = std::filesystem;

namespace {

const char *const kDtdName = "wml_1.1.dtd";

bool holdsData(const fs::path &dir)
{
    std::error_code ec;
    return !dir.empty() && fs::is_regular_file(dir / kDtdName, ec);
}

std::string findDataDir()
{
    std::vector<fs::path> candidates;
    if (const char *env = std::getenv("TESSARINE_DATA_DIR"); env && *env)
        candidates.emplace_back(env);
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        candidates.push_back(exe.parent_path() / ".." / "share" / "tessarine");
        candidates.push_back(exe.parent_path() / "share" / "tessarine");
    }
#ifdef TESS_BUILD_DATA_DIR
    candidates.emplace_back(TESS_BUILD_DATA_DIR);
#endif
#ifdef TESS_INSTALL_DATA_DIR
    candidates.emplace_back(TESS_INSTALL_DATA_DIR);
#endif
    for (const fs::path &c : candidates) {
        if (holdsData(c))
            return fs::weakly_canonical(c, ec).string();
    }
    return {};
}

} // namespace

std::string dataDir()
{
    static const std::string dir = findDataDir();
    return dir;
}

std::string dataFile(const std::string &name)
{
    const std::string &dir = dataDir();
    return dir.empty() ? std::string() : dir + "/" + name;
}

std::string bundledDtdPath()
{
    return dataFile(kDtdName);
}

std::string bundledCatalogPath()
{
    return dataFile("catalog.xml");
}

} // namespace tess
