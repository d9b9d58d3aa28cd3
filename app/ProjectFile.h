#pragma once

#include "editor/Prompter.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// A project is a named list of files kept in a ".wpg" file. The file is
// written as text by splicing (each entry between "<br/>" tags under a root
// element named after the project) and read back through the XML service, so
// both sides must agree on its exact bytes. Nothing here shows anything: every
// function returns what the user is to be told.

// The whole file of a project without entries: the stylesheet line, the root
// element named `name` with its spaces removed, one "<br/>".
std::string NewProjectText(std::string_view name);

// What Open Project calls the project in `path`: its file name up to the
// first "." ("site.old.wpg" is the project "site").
std::string ProjectNameOfFile(std::string_view path);

// Open Project's check of the chosen path: it must hold ".wpg".
Outcome CheckProjectFilePath(std::string_view path);

// One entry as Add Files and Delete File find it in the text: `text` is
// trimmed and unescaped, `start` and `length` the raw span between the ">"
// before it and the next "<".
struct ScannedEntry
{
    std::string text;
    size_t start = 0;
    size_t length = 0;
};
std::vector<ScannedEntry> ScanProjectEntries(std::string_view text);

enum class NewProjectField { None, Name, Location };

// What the New Project dialog's OK did: on failure the message, the field to
// focus (the name's text selected when the folder could not be made); on
// success the project's name, folder and file.
struct NewProject
{
    Outcome outcome;
    NewProjectField focus = NewProjectField::None;
    std::string name;
    std::string folder;
    std::string filePath;
};

// The dialog's checks of its two fields, trimmed, in order: a name, one that
// does not start with a digit, a location, an absolute one.
NewProject CheckNewProject(std::string_view name, std::string_view location);
// All of OK: the checks, then every folder along the location, the project
// folder (which must be new), and the project file.
NewProject CreateNewProject(std::string_view name, std::string_view location);

// What the tree shows of a loaded project: its root element's name and the
// text of every text node below it, in document order.
struct ProjectContents
{
    std::string rootName;
    std::vector<std::string> entries;

    // "Project " and the project's name.
    static std::string rootItemText(std::string_view projectName);
    // The root element's name and " Files"; empty when the root is "br",
    // which has no folder item.
    std::string folderItemText() const;
};

// What Add Files did: one message per file refused as listed already, in the
// order the files came; the failure that stopped it, if any; whether the
// file was rewritten (and the tree is to be loaded again).
struct AddedFiles
{
    std::vector<Outcome> refused;
    Outcome outcome;
    bool changed = false;
};

// One project file on disk. It is never held open: each operation reads it
// whole and, if it changes it, replaces it atomically.
class ProjectFile
{
public:
    explicit ProjectFile(std::string path);

    const std::string &path() const { return m_path; }
    std::string name() const { return ProjectNameOfFile(m_path); }
    // The folder that holds the project file; bare entries lie in it.
    const std::string &folder() const { return m_folder; }

    // Reads the file through the XML service; a missing, empty or ill-formed
    // file (any file without a root element) gives the corrupted-file
    // message and leaves `contents` empty.
    Outcome load(ProjectContents &contents) const;

    // The entry that stands for `file`: its bare name when it lies directly in
    // the project's folder, else its absolute path.
    std::string entryFor(std::string_view file) const;
    // Where the file of `entry` is: an absolute path as is, a relative one
    // (its "\" read as "/", as a project written on Windows has them) inside
    // the project's folder. A Windows drive or network path is kept as it
    // stands, and found missing.
    std::string pathOf(std::string_view entry) const;
    // pathOf(), with the reason the file cannot be read, if it cannot.
    Outcome checkEntryFile(std::string_view entry, std::string &path) const;

    // Adds an entry for each file, in order, refusing those whose entry is
    // listed already, letter case aside; one rewrite for all.
    AddedFiles addFiles(const std::vector<std::string> &files) const;
    // Removes the first entry equal to `entry`, letter case aside. Without
    // one the file is left as it is. A rewrite that fails is not reported.
    Outcome removeEntry(std::string_view entry) const;

private:
    // The whole file when it can be read and is a project, else the failure.
    Outcome readForEdit(std::string &text) const;

    std::string m_path;
    std::string m_folder;
};

} // namespace tess
