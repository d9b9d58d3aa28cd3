#include "source/SourceForm.h"

#include "source/FileUtil.h"
#include "source/SourceConstants.h"
#include "source/WMLFormatter.h"

namespace tess {

namespace {

// One left-to-right pass; the result is built by copying the runs between
// occurrences, so the cost stays linear however many there are.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string out;
    out.reserve(text.size());
    size_t copied = 0;
    for (size_t hit = text.find(from); hit != std::string_view::npos;
         hit = text.find(from, copied)) {
        out.append(text, copied, hit - copied);
        out.append(to);
        copied = hit + from.size();
    }
    out.append(text, copied, text.size() - copied);
    return out;
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
    return text;
}

std::string turnBack(std::string_view text)
{
    std::string out = replaceAll(text, "&amp;", "&");
    out = replaceAll(out, "&gt;", ">");
    out = replaceAll(out, "&lt;", "<");
    out = replaceAll(out, ServerCodeStartMarker, ServerCodeStartSource);
    return replaceAll(out, ServerCodeEndMarker, ServerCodeEndSource);
}

std::string sourceForm(std::string_view fileText, std::string_view prologueText)
{
    std::string code;
    code.reserve(prologueText.size() + fileText.size());
    code.append(prologueText);
    code.append(fileText);
    return turnBack(formatWml(code));
}

RewriteResult rewriteInSourceForm(const std::string &path, bool localDtd,
                                  const std::string &dtdPath)
{
    RewriteResult result;
    std::string error;
    const std::optional<std::string> text = readWholeFile(path, &error);
    if (!text) {
        result.reason = error;
        return result;
    }
    if (!writeFileAtomically(path, sourceForm(*text, prologue(localDtd, dtdPath)), &error)) {
        result.reason = error;
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace tess
