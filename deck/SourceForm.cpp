#include "deck/SourceForm.h"

#include "deck/DeckModel.h"
#include "deck/DeckWriter.h"
#include "deck/SourceConstants.h"
#include "deck/StartTag.h"
#include "wml/FileUtil.h"
#include "wml/TextEncoding.h"
#include "wml/WmlFormatter.h"
#include "wml/XmlDocument.h"
#include "wml/XmlEscape.h"

namespace tess {

namespace {

constexpr std::string_view DefaultDeclaration = "<?xml version=\"1.0\"?>\n";

bool isBlankText(std::string_view text)
{
    return text.find_first_not_of(XmlBlanks) == std::string_view::npos;
}

// The file's own prolog where it has one; whatever it is, the text starts
// with an XML declaration, since nothing may stand before one.
std::string prologOf(const DeckModel &model, std::string_view fallbackPrologue)
{
    const std::string &own = model.fileForm.prolog;
    if (isBlankText(own))
        return std::string(fallbackPrologue) + "\n";
    const size_t first = own.find_first_not_of(XmlBlanks);
    if (own.compare(first, 5, "<?xml") == 0)
        return own.substr(first);
    return std::string(DefaultDeclaration) + own.substr(first);
}

} // namespace

std::string prologue(bool localDtd, const std::string &dtdPath)
{
    if (!localDtd)
        return std::string(ProloguePublicDtdText);
    std::string text(PrologueLocalDtdText);
    text += '"';
    text += dtdPath;
    text += "\">";
    return withLineFeeds(text);
}

namespace {

// The bytes [first, second) inside the quotes of the DOCTYPE's system
// literal; nullopt when there is none.
std::optional<std::pair<size_t, size_t>> systemLiteral(std::string_view text)
{
    size_t at = text.find("<!DOCTYPE");
    if (at == std::string_view::npos)
        return std::nullopt;
    at += 9;
    const auto skipBlanks = [&] {
        while (at < text.size() && XmlBlanks.find(text[at]) != std::string_view::npos)
            ++at;
    };
    const auto word = [&] {
        const size_t start = at;
        while (at < text.size() && XmlBlanks.find(text[at]) == std::string_view::npos
               && text[at] != '>' && text[at] != '[')
            ++at;
        return text.substr(start, at - start);
    };
    // The literal at `at`, its content's span; `at` moves past it.
    const auto literal = [&]() -> std::optional<std::pair<size_t, size_t>> {
        if (at >= text.size() || (text[at] != '"' && text[at] != '\''))
            return std::nullopt;
        const size_t close = text.find(text[at], at + 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        const std::pair<size_t, size_t> span {at + 1, close};
        at = close + 1;
        return span;
    };
    skipBlanks();
    word(); // the root element's name
    skipBlanks();
    const std::string_view keyword = word();
    skipBlanks();
    if (keyword == "PUBLIC") {
        if (!literal())
            return std::nullopt;
        skipBlanks();
    } else if (keyword != "SYSTEM") {
        return std::nullopt;
    }
    return literal();
}

} // namespace

std::optional<std::string> withDoctypeSystemId(std::string_view text, std::string_view systemId)
{
    const auto span = systemLiteral(text);
    if (!span || text.substr(span->first, span->second - span->first) == systemId)
        return std::nullopt;
    std::string out(text.substr(0, span->first));
    out += systemId;
    out += text.substr(span->second);
    return out;
}

std::string doctypeSystemId(std::string_view text)
{
    const auto span = systemLiteral(text);
    return span ? std::string(text.substr(span->first, span->second - span->first)) : std::string();
}

std::string turnBack(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t start;
         (start = text.find(ServerCodeStartMarker, from)) != std::string_view::npos;) {
        const size_t codeStart = start + ServerCodeStartMarker.size();
        const size_t end = text.find(ServerCodeEndMarker, codeStart);
        out.append(text, from, start - from);
        out.append(ServerCodeStartSource);
        out.append(UnescapeXml(
            text.substr(codeStart, end == std::string_view::npos ? end : end - codeStart)));
        out.append(ServerCodeEndSource);
        if (end == std::string_view::npos)
            return out;
        from = end + ServerCodeEndMarker.size();
    }
    out.append(text, from);
    return out;
}

std::string deckSourceText(const DeckModel &model, std::string_view fallbackPrologue)
{
    XmlDocument doc;
    BuildDeckDocument(model, doc);
    std::string text = prologOf(model, fallbackPrologue);
    text += doc.serialize();
    text += model.fileForm.epilogue.empty() ? std::string_view("\n")
                                            : std::string_view(model.fileForm.epilogue);
    return turnBack(formatWml(text));
}

bool writeCodeText(const std::string &path, std::string_view text, const TextFormat &format,
                   std::string *error, std::string *note)
{
    const EncodedText encoded = encodeText(text, format);
    if (!encoded.ok) {
        if (error)
            *error = "out of memory";
        return false;
    }
    if (note)
        *note = encoded.note;
    return writeFileAtomically(path, encoded.bytes, error);
}

bool writeDeckSource(const DeckModel &model, std::string_view fallbackPrologue, std::string *error,
                     std::string *written, std::string *note)
{
    std::string text = deckSourceText(model, fallbackPrologue);
    if (!writeCodeText(model.filePath, text, model.fileForm.format, error, note))
        return false;
    if (written)
        *written = std::move(text);
    return true;
}

} // namespace tess
