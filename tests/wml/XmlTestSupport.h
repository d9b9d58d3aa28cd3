#pragma once

#include "wml/MessageSink.h"

#include <QTemporaryDir>

#include <fstream>
#include <string>
#include <vector>

namespace tess::test {

inline std::string xmlFixture(const std::string &name)
{
    return std::string(TESS_TEST_DATA_DIR) + "/xml/" + name;
}

inline const std::string WmlPrologue
    = "<?xml version=\"1.0\"?>\n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
      "\"http://www.wapforum.org/DTD/wml_1.1.xml\">\n";

// A fresh folder, removed with everything in it at the end of the test.
struct ScratchDir
{
    QTemporaryDir dir;
    std::string path(const std::string &name) const
    {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }
};

// What loading and validation report, in order.
struct RecordingSink : MessageSink
{
    void showMessage(const std::string &text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

inline std::string repeat(const std::string &text, int times)
{
    std::string out;
    while (times-- > 0)
        out += text;
    return out;
}

inline std::string readBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace tess::test
