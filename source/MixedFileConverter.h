#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tess {

// Writes a pure WML copy of an ASP or JSP page (or of a WML file) for the
// validating parser: what stands before the XML declaration is dropped, and
// server code inside paragraphs ("<%" ... "%>" blocks and server SCRIPT
// elements) is taken out. Server code anywhere else makes the converter give
// up and copy the page unchanged, so that the parse that follows fails on it.
// One converter handles one text at a time; it may be reused.
class MixedFileConverter
{
public:
    enum class Result {
        Converted,
        GaveUp, // the source was copied unchanged
        SourceUnreadable, // nothing written
        DestinationNotWritable,
    };

    struct Output
    {
        std::string text;
        bool gaveUp = false;
    };

    // Reads `sourcePath` whole and writes the pure copy to `destPath`
    // (replaced atomically; a scratch file, so not flushed to disk). Failures
    // are reported through the prompter.
    Result convert(const std::string &sourcePath, const std::string &destPath);

    // The conversion itself; on giving up the text is `source` unchanged.
    Output convertText(std::string_view source);

private:
    // Positions are offsets into the working text; -1 means "not found".
    using Pos = std::ptrdiff_t;

    // Converts `source`; true with the pure text left in m_base, false on
    // giving up.
    bool run(std::string_view source);
    bool removeServerBlocks();
    bool removeServerScripts();
    bool locateParagraph(Pos startFrom, Pos endFrom);
    bool relocateAround(Pos first, Pos last);
    void finishWorkingText();

    // The working text is the kept text `m_kept` followed by `m_base` from
    // `m_basePos` on. Deletions happen left to right, so a deletion only moves
    // the untouched text before it into `m_kept`: each character is copied
    // once, however many deletions there are, and not at all without one.
    // `m_base` views the caller's text until a pass deletes something, then
    // `m_owned`.
    Pos workingSize() const;
    char workingAt(Pos i) const;
    bool matchesAt(Pos i, std::string_view pattern) const;
    Pos find(std::string_view pattern, Pos from) const;
    Pos findBefore(std::string_view pattern, Pos from, Pos limit) const;
    Pos findLastBetween(std::string_view pattern, Pos from, Pos to) const;
    void erase(Pos start, Pos length);

    std::string_view m_base;
    std::string m_owned;
    std::string m_kept;
    std::size_t m_basePos = 0;

    Pos m_paragraphStart = 0;
    Pos m_paragraphEnd = 0;
    Pos m_blockStart = 0;
    Pos m_blockLength = 0;
    Pos m_totalRemoved = 0;
};

} // namespace tess
