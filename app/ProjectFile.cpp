#include "app/ProjectFile.h"

#include "app/ProjectTexts.h"
#include "deck/StartTag.h"
#include "wml/FileUtil.h"
#include "wml/XmlDocument.h"
#include "wml/XmlEscape.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tess {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kStylesheetLine
    = "<?xml:stylesheet href=\"Morvane.xsl\" type=\"text/xsl\"?>\r\n";
constexpr std::string_view kBreak = "<br/>";

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

// The absolute form of a path, without "." and ".." parts.
fs::path absoluteOf(std::string_view path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(path), ec);
    return (ec ? fs::path(path) : absolute).lexically_normal();
}

// A path only Windows knows ("D:\site", "\\server\share"), which no file here
// can stand for.
bool isWindowsPath(std::string_view entry)
{
    const bool drive = entry.size() >= 2 && entry[1] == ':'
        && ((entry[0] >= 'A' && entry[0] <= 'Z') || (entry[0] >= 'a' && entry[0] <= 'z'));
    return drive || entry.starts_with("\\\\");
}

// Walks the tree depth first in document order and keeps the trimmed text of
// every text node.
void collectTexts(const XmlNode &node, std::vector<std::string> &out)
{
    for (XmlNode child = node.firstChild(); child; child = child.nextSibling()) {
        if (child.type() == XmlNodeType::Text) {
            if (std::string text = Trimmed(child.content()); !text.empty())
                out.push_back(std::move(text));
        }
        collectTexts(child, out);
    }
}

bool isProjectText(std::string_view text, const std::string &name)
{
    XmlDocument doc;
    return doc.loadWellFormed(text, name) && doc.documentElement();
}

} // namespace

std::string NewProjectText(std::string_view name)
{
    std::string root(name);
    std::erase(root, ' ');
    std::string text(kStylesheetLine);
    text.append("<").append(root).append(">\n");
    text.append(kBreak).append("\r\n");
    text.append("</").append(root).append(">");
    return text;
}

std::string ProjectNameOfFile(std::string_view path)
{
    const size_t slash = path.rfind('/');
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return std::string(file.substr(0, file.find('.')));
}

Outcome CheckProjectFilePath(std::string_view path)
{
    if (path.find(kProjectFileExtension) == std::string_view::npos)
        return Outcome::failed(kNotAProjectFile);
    return {};
}

std::vector<ScannedEntry> ScanProjectEntries(std::string_view text)
{
    // The first two ">" end the stylesheet line and the root's start tag;
    // every later one ends a "<br/>", and the text up to the next "<" is an
    // entry. The root's end tag ends the list.
    std::vector<ScannedEntry> entries;
    int closings = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '<' && i + 1 < text.size() && text[i + 1] == '/')
            break;
        if (text[i] != '>' || ++closings <= 2)
            continue;
        const size_t start = i + 1;
        const size_t end = std::min(text.find('<', start), text.size());
        std::string entry = Trimmed(text.substr(start, end - start));
        if (!entry.empty())
            entries.push_back({UnescapeXml(entry), start, end - start});
        i = end - 1;
    }
    return entries;
}

NewProject CheckNewProject(std::string_view name, std::string_view location)
{
    NewProject result;
    result.name = Trimmed(name);
    const std::string where = Trimmed(location);
    if (result.name.empty()) {
        result.outcome = Outcome::failed(kEnterProjectName);
        result.focus = NewProjectField::Name;
    } else if (result.name.front() >= '0' && result.name.front() <= '9') {
        result.outcome = Outcome::failed(kProjectNameStartsWithDigit);
        result.focus = NewProjectField::Name;
    } else if (where.empty()) {
        result.outcome = Outcome::failed(kEnterProjectPath);
        result.focus = NewProjectField::Location;
    } else if (where.front() != '/') {
        result.outcome = Outcome::failed(kInvalidProjectPath);
        result.focus = NewProjectField::Location;
    } else {
        result.folder = where + (where.back() == '/' ? "" : "/") + result.name;
        result.filePath = result.folder + "/" + result.name + kProjectFileExtension;
    }
    return result;
}

NewProject CreateNewProject(std::string_view name, std::string_view location)
{
    NewProject result = CheckNewProject(name, location);
    if (!result.outcome)
        return result;
    // A location that cannot be made shows as the project folder failing.
    std::error_code ec;
    fs::create_directories(fs::path(Trimmed(location)), ec);
    if (!fs::create_directory(fs::path(result.folder), ec)) {
        result.outcome = Outcome::failed(kProjectNotCreated);
        result.focus = NewProjectField::Name;
        return result;
    }
    if (!writeFileAtomically(result.filePath, NewProjectText(result.name)))
        result.outcome = Outcome::failed(kProjectFileNotCreated);
    return result;
}

std::string ProjectContents::rootItemText(std::string_view projectName)
{
    return "Project " + std::string(projectName);
}

std::string ProjectContents::folderItemText() const
{
    return rootName == "br" ? std::string() : rootName + " Files";
}

ProjectFile::ProjectFile(std::string path)
    : m_path(std::move(path))
    , m_folder(absoluteOf(m_path).parent_path().string())
{ }

Outcome ProjectFile::load(ProjectContents &contents) const
{
    contents = {};
    const std::optional<std::string> bytes = readWholeFile(m_path);
    XmlDocument doc;
    if (!bytes || !doc.loadWellFormed(*bytes, m_path) || !doc.documentElement())
        return Outcome::failed(kCorruptedProjectFile);
    const XmlNode root = doc.documentElement();
    contents.rootName = root.name();
    collectTexts(root, contents.entries);
    return {};
}

std::string ProjectFile::entryFor(std::string_view file) const
{
    const fs::path absolute = absoluteOf(file);
    if (absolute.parent_path().string() == m_folder)
        return Trimmed(absolute.filename().string());
    return Trimmed(absolute.string());
}

std::string ProjectFile::pathOf(std::string_view entry) const
{
    if (isWindowsPath(entry))
        return std::string(entry);
    std::string path(entry);
    std::ranges::replace(path, '\\', '/');
    if (path.starts_with('/'))
        return path;
    return (fs::path(m_folder) / path).string();
}

Outcome ProjectFile::checkEntryFile(std::string_view entry, std::string &path) const
{
    path = pathOf(entry);
    if (std::string why = unreadableFileReason(path); !why.empty())
        return Outcome::failed(std::move(why));
    return {};
}

Outcome ProjectFile::readForEdit(std::string &text) const
{
    std::optional<std::string> bytes = readWholeFile(m_path);
    if (!bytes)
        return Outcome::failed(kProjectFileNotOpened);
    // Splicing into a file that is no project would only make it worse.
    if (!isProjectText(*bytes, m_path))
        return Outcome::failed(kCorruptedProjectFile);
    text = std::move(*bytes);
    return {};
}

AddedFiles ProjectFile::addFiles(const std::vector<std::string> &files) const
{
    AddedFiles result;
    std::string text;
    result.outcome = readForEdit(text);
    if (!result.outcome)
        return result;
    for (const std::string &file : files) {
        const std::string entry = entryFor(file);
        const std::vector<ScannedEntry> listed = ScanProjectEntries(text);
        if (std::ranges::any_of(
                listed, [&](const ScannedEntry &e) { return equalIgnoringCase(e.text, entry); })) {
            result.refused.push_back(
                Outcome::failed("The File " + entry + " " + kAlreadyInProject));
            continue;
        }
        // Escaped, so that a name holding "&" or "<" keeps the file loadable.
        const size_t at = text.rfind('<');
        text.insert(at == std::string::npos ? text.size() : at,
                    EscapeXmlText(entry) + "\r\n" + std::string(kBreak) + "\r\n");
        result.changed = true;
    }
    // A name the XML service cannot read back (a control character, bytes
    // that are no UTF-8) would leave a project that no longer loads.
    if (result.changed && (!isProjectText(text, m_path) || !writeFileAtomically(m_path, text))) {
        result.outcome = Outcome::failed(kProjectFileNotCreated);
        result.changed = false;
    }
    return result;
}

Outcome ProjectFile::removeEntry(std::string_view entry) const
{
    std::string text;
    if (Outcome read = readForEdit(text); !read)
        return read;
    const std::string wanted = Trimmed(entry);
    for (const ScannedEntry &e : ScanProjectEntries(text)) {
        if (!equalIgnoringCase(e.text, wanted))
            continue;
        // The line breaks around the entry and the "<br/>" after it go too.
        size_t length = e.length;
        if (std::string_view(text).substr(e.start + length).starts_with(kBreak))
            length += kBreak.size();
        text.erase(e.start, length);
        if (!writeFileAtomically(m_path, text))
            return Outcome::failed();
        return {};
    }
    return {};
}

} // namespace tess
