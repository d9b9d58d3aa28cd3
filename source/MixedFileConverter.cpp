#include "source/MixedFileConverter.h"

#include "shell/Prompter.h"
#include "source/FileUtil.h"
#include "source/SourceConstants.h"

#include <algorithm>

namespace tess {

namespace {

constexpr size_t npos = std::string_view::npos;

// Finds a needle in a fixed text for a series of searches whose start never
// goes back. A search that starts at or before the last hit reuses it, so the
// whole series reads the text once.
class ForwardFinder
{
public:
    ForwardFinder(std::string_view text, std::string_view needle)
        : m_text(text)
        , m_needle(needle)
    { }

    size_t find(size_t from)
    {
        if (!m_searched || from < m_from || (m_hit != npos && from > m_hit)) {
            m_searched = true;
            m_from = from;
            m_hit = m_text.find(m_needle, from);
        }
        return m_hit;
    }

private:
    std::string_view m_text;
    std::string_view m_needle;
    bool m_searched = false;
    size_t m_from = 0;
    size_t m_hit = npos;
};

// Compares a tag with one of the fixed SCRIPT texts the way the page's author
// may have spaced and cased it: blanks, carriage returns and line feeds do not
// count, letters compare in upper case. Stops at the first difference.
bool normalisedEquals(std::string_view tag, std::string_view expected)
{
    size_t matched = 0;
    for (char c : tag) {
        if (c == ' ' || c == '\r' || c == '\n')
            continue;
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (matched == expected.size() || c != expected[matched])
            return false;
        ++matched;
    }
    return matched == expected.size();
}

} // namespace

MixedFileConverter::Result MixedFileConverter::convert(const std::string &sourcePath,
                                                       const std::string &destPath)
{
    const std::optional<std::string> source = readWholeFile(sourcePath);
    if (!source) {
        Prompter::current().message(std::string(MixedFileOpenFailedText), Prompter::Icon::Stop);
        return Result::SourceUnreadable;
    }
    const bool converted = run(*source);
    const bool written = writeScratchFile(destPath, converted ? m_base : *source);
    m_base = {};
    m_owned.clear();
    if (!written) {
        Prompter::current().message(std::string(PureWmlCreateFailedText), Prompter::Icon::Stop);
        return Result::DestinationNotWritable;
    }
    return converted ? Result::Converted : Result::GaveUp;
}

MixedFileConverter::Output MixedFileConverter::convertText(std::string_view source)
{
    Output output;
    output.gaveUp = !run(source);
    output.text.assign(output.gaveUp ? source : m_base);
    m_base = {};
    m_owned.clear();
    return output;
}

bool MixedFileConverter::run(std::string_view source)
{
    m_paragraphStart = m_paragraphEnd = m_blockStart = m_blockLength = m_totalRemoved = 0;
    // A page's leading server code (its content-type line, say) is dropped.
    const size_t declaration = source.find("<?xml");
    m_base = declaration == npos ? source : source.substr(declaration);
    m_owned.clear();
    m_kept.clear();
    m_basePos = 0;
    const bool converted = removeServerBlocks() && removeServerScripts();
    m_kept.clear();
    m_basePos = 0;
    return converted;
}

// "<%" ... "%>" blocks. The scan runs over the text as it was before any
// block was deleted; a block's place in the working text is its scan position
// less what has been removed in front of it.
bool MixedFileConverter::removeServerBlocks()
{
    locateParagraph(0, 0);
    const std::string_view scan = m_base;
    ForwardFinder blockEnds(scan, "%>");
    for (size_t at = scan.find("<%"); at != npos; at = scan.find("<%", at)) {
        // The first "%>" whose ">" lies after the "%" of "<%"; "<%>" is a block.
        const size_t end = blockEnds.find(at + 1);
        if (end == npos)
            break; // no later block can be closed either
        m_blockStart = Pos(at) - m_totalRemoved;
        m_blockLength = Pos(end + 2 - at);
        const Pos last = m_blockStart + m_blockLength - 1;
        const bool inside = m_paragraphStart < m_blockStart && last < m_paragraphEnd;
        if (!inside) {
            // Code between paragraphs cannot be taken out without changing the
            // deck, so the page goes to the parser as it is.
            if (m_blockStart <= m_paragraphEnd || !relocateAround(m_blockStart, last))
                return false;
        }
        erase(m_blockStart, m_blockLength);
        m_totalRemoved += m_blockLength;
        // The start moves too, though the block lies after it: it is only
        // ever compared as lying before a block, which stays true.
        m_paragraphStart -= m_blockLength;
        m_paragraphEnd -= m_blockLength;
        at = end + 2;
    }
    finishWorkingText();
    return true;
}

// Server SCRIPT elements. Only "<S" tags are looked at while there are any
// left, then "<s" tags; deleting an element leaves the paragraph positions as
// they were.
bool MixedFileConverter::removeServerScripts()
{
    locateParagraph(0, 0);
    const std::string_view text = m_base;
    ForwardFinder upperStarts(text, "<S");
    ForwardFinder lowerStarts(text, "<s");
    ForwardFinder startEnds(text, ">");
    ForwardFinder upperCloses(text, "</S");
    ForwardFinder lowerCloses(text, "</s");
    ForwardFinder closeEnds(text, ">");
    size_t checkedClose = npos;
    bool checkedCloseIsScript = false;

    size_t at = 0; // offset into `text`, never before m_basePos
    for (;;) {
        size_t tag = upperStarts.find(at);
        if (tag == npos)
            tag = lowerStarts.find(at);
        if (tag == npos)
            break;
        const size_t tagEnd = startEnds.find(tag + 2);
        if (tagEnd == npos)
            break;
        const std::string_view startTag = text.substr(tag, tagEnd - tag + 1);
        if (!normalisedEquals(startTag, ServerScriptJScriptTag)
            && !normalisedEquals(startTag, ServerScriptVBScriptTag)) {
            at = tagEnd + 1;
            continue;
        }
        size_t close = upperCloses.find(tagEnd + 1);
        if (close == npos)
            close = lowerCloses.find(tagEnd + 1);
        const size_t closeEnd = close == npos ? npos : closeEnds.find(close + 3);
        if (closeEnd == npos) {
            at = tagEnd + 1;
            continue;
        }
        // Several start tags may share one closing tag; compare it once.
        if (close != checkedClose) {
            checkedClose = close;
            checkedCloseIsScript
                = normalisedEquals(text.substr(close, closeEnd - close + 1), ServerScriptEndTag);
        }
        if (!checkedCloseIsScript) {
            at = tagEnd + 1;
            continue;
        }
        const Pos first = Pos(m_kept.size()) + Pos(tag - m_basePos);
        const Pos last = first + Pos(closeEnd - tag);
        const bool inside = m_paragraphStart < first && last < m_paragraphEnd;
        if (!inside && (first <= m_paragraphEnd || !relocateAround(first, last)))
            return false;
        erase(first, last - first + 1);
        at = closeEnd + 1;
    }
    finishWorkingText();
    return true;
}

// The paragraph start is the first "<p" from `startFrom`, its end the first
// "</p" from `endFrom`. Plain substring searches: "<p" also matches "<prev"
// and "<postfield". Without both there is no paragraph.
bool MixedFileConverter::locateParagraph(Pos startFrom, Pos endFrom)
{
    m_paragraphStart = find("<p", startFrom);
    m_paragraphEnd = find("</p", endFrom);
    if (m_paragraphStart >= 0 && m_paragraphEnd >= 0)
        return true;
    m_paragraphStart = m_paragraphEnd = -1;
    return false;
}

// Server code from `first` to `last` stands after the current paragraph's
// end: it may belong to a later paragraph. The paragraph is located again
// from the last "</p" before the code, its end searched from the code; the
// code may go only when it lies inside that paragraph and no other paragraph
// starts between it and the paragraph's end.
bool MixedFileConverter::relocateAround(Pos first, Pos last)
{
    m_paragraphEnd = findLastBetween("</p", std::max<Pos>(m_paragraphEnd, 0), first - 1);
    if (!locateParagraph(m_paragraphEnd, last))
        return false;
    if (!(m_paragraphStart < first && last < m_paragraphEnd))
        return false;
    return findBefore("<p", last + 1, m_paragraphEnd) < 0;
}

void MixedFileConverter::finishWorkingText()
{
    if (m_kept.empty() && m_basePos == 0)
        return; // nothing deleted: the text stands as it is
    m_kept.append(m_base.substr(m_basePos));
    m_owned.swap(m_kept);
    m_base = m_owned;
    m_kept.clear();
    m_basePos = 0;
}

MixedFileConverter::Pos MixedFileConverter::workingSize() const
{
    return Pos(m_kept.size() + (m_base.size() - m_basePos));
}

char MixedFileConverter::workingAt(Pos i) const
{
    const Pos kept = Pos(m_kept.size());
    return i < kept ? m_kept[size_t(i)] : m_base[m_basePos + size_t(i - kept)];
}

bool MixedFileConverter::matchesAt(Pos i, std::string_view pattern) const
{
    if (i < 0 || i + Pos(pattern.size()) > workingSize())
        return false;
    for (size_t k = 0; k < pattern.size(); ++k) {
        if (workingAt(i + Pos(k)) != pattern[k])
            return false;
    }
    return true;
}

MixedFileConverter::Pos MixedFileConverter::find(std::string_view pattern, Pos from) const
{
    return findBefore(pattern, from, workingSize());
}

// The first occurrence starting in [from, limit), or -1.
MixedFileConverter::Pos MixedFileConverter::findBefore(std::string_view pattern, Pos from,
                                                       Pos limit) const
{
    const Pos length = Pos(pattern.size());
    const Pos kept = Pos(m_kept.size());
    from = std::max<Pos>(from, 0);
    limit = std::min(limit, workingSize() - length + 1);
    if (from >= limit)
        return -1;
    if (from < kept) {
        const Pos lastWhole = std::min(limit - 1, kept - length);
        if (lastWhole >= from) {
            const size_t hit = std::string_view(m_kept)
                                   .substr(size_t(from), size_t(lastWhole - from + length))
                                   .find(pattern);
            if (hit != npos)
                return from + Pos(hit);
        }
        // A deletion may have joined the two halves of a pattern.
        for (Pos i = std::max(from, kept - length + 1); i < kept && i < limit; ++i) {
            if (matchesAt(i, pattern))
                return i;
        }
    }
    const Pos begin = std::max(from, kept);
    if (begin >= limit)
        return -1;
    const std::string_view rest = m_base.substr(m_basePos);
    const size_t hit
        = rest.substr(size_t(begin - kept), size_t(limit - begin + length - 1)).find(pattern);
    return hit == npos ? -1 : begin + Pos(hit);
}

// The last occurrence starting in [from, to], or -1.
MixedFileConverter::Pos MixedFileConverter::findLastBetween(std::string_view pattern, Pos from,
                                                            Pos to) const
{
    for (Pos i = std::min(to, workingSize() - Pos(pattern.size())); i >= std::max<Pos>(from, 0);
         --i) {
        if (matchesAt(i, pattern))
            return i;
    }
    return -1;
}

// Deletions come left to right and never before the kept text's end.
void MixedFileConverter::erase(Pos start, Pos length)
{
    const size_t untouched = size_t(start - Pos(m_kept.size()));
    m_kept.append(m_base.substr(m_basePos, untouched));
    m_basePos += untouched + size_t(length);
}

} // namespace tess
