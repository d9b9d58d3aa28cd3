#include "wml/TextEncoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

namespace tess {
namespace {

constexpr std::string_view utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view utf16LeBom = "\xFF\xFE";
constexpr std::string_view utf16BeBom = "\xFE\xFF";
constexpr std::string_view replacementChar = "\xEF\xBF\xBD";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// XML's EncName. Checking it also keeps iconv suffixes such as "//IGNORE" in
// a declaration from reaching iconv_open.
bool isEncodingName(std::string_view name)
{
    if (name.empty() || !isAsciiLetter(name[0]))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return isAsciiLetter(c) || isAsciiDigit(c) || c == '.' || c == '_' || c == '-';
    });
}

// Upper case without '-' and '_', so that "utf-16le" and "UTF16LE" compare equal.
std::string normalizedName(std::string_view name)
{
    std::string result;
    for (char c : name) {
        if (c == '-' || c == '_')
            continue;
        result += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return result;
}

bool isUtf16Name(const std::string &normalized)
{
    return normalized == "UTF16" || normalized == "UTF16LE" || normalized == "UTF16BE";
}

struct Utf8Char
{
    char32_t code = 0;
    size_t length = 1;
    bool valid = false;
};

// An invalid sequence has the length of its longest valid prefix (at least
// one byte), so that it is replaced as one piece.
Utf8Char utf8At(std::string_view s, size_t pos)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80)
        return {b0, 1, true};
    size_t need = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    char32_t code = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        code = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        code = b0 & 0x0F;
        lo = b0 == 0xE0 ? 0xA0 : 0x80; // no overlong forms
        hi = b0 == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        code = b0 & 0x07;
        lo = b0 == 0xF0 ? 0x90 : 0x80;
        hi = b0 == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return {};
    }
    for (size_t k = 1; k <= need; ++k) {
        if (pos + k >= s.size())
            return {0, k, false};
        const auto b = static_cast<unsigned char>(s[pos + k]);
        if (b < lo || b > hi)
            return {0, k, false};
        code = (code << 6) | (b & 0x3F);
        lo = 0x80;
        hi = 0xBF;
    }
    return {code, need + 1, true};
}

size_t firstInvalidUtf8(std::string_view s)
{
    size_t i = 0;
    while (i < s.size()) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
            continue;
        }
        const Utf8Char c = utf8At(s, i);
        if (!c.valid)
            return i;
        i += c.length;
    }
    return std::string_view::npos;
}

class Converter
{
public:
    struct Step
    {
        size_t consumed = 0;
        int error = 0; // 0, EILSEQ or EINVAL (input ends inside a character)
    };

    Converter(const char *to, const char *from)
        : cd(iconv_open(to, from))
    { }
    ~Converter()
    {
        if (valid())
            iconv_close(cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of `in` as iconv accepts, appending to `out`.
    Step convert(std::string_view in, std::string &out)
    {
        if (in.empty())
            return {};
        char *inPtr = const_cast<char *>(in.data());
        size_t inLeft = in.size();
        for (;;) {
            const int error = run(&inPtr, &inLeft, out, inLeft * 2 + 64);
            if (error != E2BIG)
                return {in.size() - inLeft, error};
        }
    }

    // Writes whatever a stateful encoding needs to return to its initial state.
    void finish(std::string &out)
    {
        while (run(nullptr, nullptr, out, 64) == E2BIG) { }
    }

private:
    // Output goes through a buffer of up to 1 MB that is kept between calls:
    // sizing `out` for the whole remaining input on every call would make a
    // text with many refused characters quadratic.
    int run(char **inPtr, size_t *inLeft, std::string &out, size_t wanted)
    {
        wanted = std::clamp<size_t>(wanted, 4096, size_t(1) << 20);
        if (bufferSize < wanted) {
            buffer.reset(new char[wanted]);
            bufferSize = wanted;
        }
        char *outPtr = buffer.get();
        size_t outLeft = bufferSize;
        const size_t status = iconv(cd, inPtr, inLeft, &outPtr, &outLeft);
        const int error = status == static_cast<size_t>(-1) ? errno : 0;
        out.append(buffer.get(), bufferSize - outLeft);
        return error;
    }

    std::unique_ptr<char[]> buffer;
    size_t bufferSize = 0;
    iconv_t cd;
};

std::string hexBytes(std::string_view bytes, size_t offset)
{
    std::string result;
    const size_t end = std::min(bytes.size(), offset + 4);
    for (size_t i = offset; i < end; ++i) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%s0x%02X", i == offset ? "" : " ",
                      static_cast<unsigned char>(bytes[i]));
        result += buffer;
    }
    return result;
}

std::string conversionError(std::string_view bytes, const std::string &encoding, size_t offset,
                            int error, bool declared)
{
    const std::string where = " at byte offset " + std::to_string(offset);
    if (error == EINVAL)
        return "Input ends inside a " + encoding + " character" + where;
    return "Input is not proper " + encoding + where + " (" + hexBytes(bytes, offset) + ")"
        + (declared ? ", check the encoding declaration" : ", indicate encoding !");
}

// Empty when decks can be read and written in the encoding, else why not.
// It must write an XML declaration and character references in ASCII, or
// decodeText could not find the declaration of what encodeText wrote.
std::string whyUnusable(const std::string &encoding)
{
    if (!isEncodingName(encoding))
        return "is not an encoding name";
    Converter converter(encoding.c_str(), "UTF-8");
    if (!converter.valid())
        return "is unknown";
    constexpr std::string_view probe = "<?xml version=\"1.0\" encoding='' standalone?>\r\n\t &#;"
                                       "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                       "abcdefghijklmnopqrstuvwxyz-._:";
    std::string out;
    const bool converted = converter.convert(probe, out).error == 0;
    converter.finish(out);
    if (!converted || out != probe)
        return "does not write its XML declaration in ASCII";
    return {};
}

DecodedText failure(std::string error)
{
    DecodedText result;
    result.error = std::move(error);
    return result;
}

DecodedText decode(std::string_view bytes)
{
    DecodedText result;
    TextFormat &format = result.format;
    size_t start = 0;
    const char *utf16 = nullptr;
    if (bytes.starts_with(utf8Bom)) {
        format.bom = ByteOrderMark::Utf8;
        start = utf8Bom.size();
    } else if (bytes.starts_with(utf16LeBom)) {
        format.bom = ByteOrderMark::Utf16LE;
        start = utf16LeBom.size();
        utf16 = "UTF-16LE";
    } else if (bytes.starts_with(utf16BeBom)) {
        format.bom = ByteOrderMark::Utf16BE;
        start = utf16BeBom.size();
        utf16 = "UTF-16BE";
    } else if (bytes.starts_with(std::string_view("<\0?\0", 4))) {
        utf16 = "UTF-16LE";
    } else if (bytes.starts_with(std::string_view("\0<\0?", 4))) {
        utf16 = "UTF-16BE";
    }
    const std::string_view body = bytes.substr(start);

    if (utf16) {
        Converter converter("UTF-8", utf16);
        if (!converter.valid())
            return failure(std::string("Unsupported encoding ") + utf16);
        result.text.reserve(body.size() / 2 * 3 + 16);
        const Converter::Step step = converter.convert(body, result.text);
        const std::string declared = declaredEncoding(result.text);
        if (step.error)
            return failure(conversionError(bytes, utf16, start + step.consumed, step.error,
                                           !declared.empty()));
        const bool littleEndian = std::string_view(utf16).ends_with("LE");
        const std::string normalized = normalizedName(declared);
        if (!declared.empty() && normalized != "UTF16"
            && normalized != (littleEndian ? "UTF16LE" : "UTF16BE"))
            return failure(std::string("The file is ") + utf16 + " but declares encoding \""
                           + declared + "\"");
        format.encoding = declared.empty() ? "UTF-16" : declared;
        if (format.bom == ByteOrderMark::None && normalizedName(format.encoding) == "UTF16")
            format.bom = littleEndian ? ByteOrderMark::Utf16LE : ByteOrderMark::Utf16BE;
    } else {
        const std::string declared = declaredEncoding(body);
        format.encoding = declared.empty() ? "UTF-8" : declared;
        if (isUtf16Name(normalizedName(declared)))
            return failure("The file declares encoding \"" + declared
                           + "\" but its bytes are not UTF-16");
        if (format.bom == ByteOrderMark::Utf8 && !isUtf8(format.encoding))
            return failure("The file starts with a UTF-8 byte order mark but declares encoding \""
                           + declared + "\"");
        if (isUtf8(format.encoding)) {
            const size_t invalid = firstInvalidUtf8(body);
            if (invalid != std::string_view::npos)
                return failure(conversionError(bytes, format.encoding, start + invalid, EILSEQ,
                                               !declared.empty()));
            result.text.assign(body);
        } else {
            if (const std::string why = whyUnusable(declared); !why.empty())
                return failure("Unsupported encoding \"" + declared + "\": it " + why);
            Converter converter("UTF-8", declared.c_str());
            result.text.reserve(body.size() * 2 + 16);
            const Converter::Step step = converter.convert(body, result.text);
            if (step.error)
                return failure(
                    conversionError(bytes, declared, start + step.consumed, step.error, true));
        }
    }
    const size_t lineEnd = result.text.find('\n');
    format.crlf = lineEnd != std::string::npos && lineEnd > 0 && result.text[lineEnd - 1] == '\r';
    result.ok = true;
    return result;
}

std::string withCrlf(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + text.size() / 16 + 16);
    size_t from = 0;
    for (size_t pos; (pos = text.find('\n', from)) != std::string_view::npos; from = pos + 1) {
        result.append(text.substr(from, pos - from));
        if (pos == 0 || text[pos - 1] != '\r')
            result += '\r';
        result += '\n';
    }
    result.append(text.substr(from));
    return result;
}

struct ConversionCounts
{
    size_t references = 0;
    size_t replacements = 0;
};

// `run` is valid UTF-8, so iconv refusing a character means the encoding
// has no such character. glibc pays for a refusal with up to some 8000
// characters of work whatever its distance from the start, so after one the
// input goes in small pieces that grow while nothing is refused: text full of
// refused characters stays linear, clean text still goes in a few big calls.
void convertValidRun(Converter &converter, std::string_view run, std::string &out,
                     ConversionCounts &counts)
{
    constexpr size_t smallPiece = 256;
    size_t piece = run.size();
    while (!run.empty()) {
        size_t take = std::min(piece, run.size());
        while (take < run.size() && (static_cast<unsigned char>(run[take]) & 0xC0) == 0x80)
            ++take;
        const Converter::Step step = converter.convert(run.substr(0, take), out);
        run.remove_prefix(step.consumed);
        if (step.error == 0) {
            if (piece < run.size())
                piece *= 2;
            continue;
        }
        const Utf8Char c = utf8At(run, 0);
        converter.convert("&#" + std::to_string(static_cast<unsigned long>(c.code)) + ";", out);
        ++counts.references;
        run.remove_prefix(c.length);
        piece = smallPiece;
    }
}

void convertText(Converter &converter, std::string_view text, std::string &out,
                 ConversionCounts &counts)
{
    size_t runStart = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const Utf8Char c = utf8At(text, i);
        if (c.valid) {
            i += c.length;
            continue;
        }
        convertValidRun(converter, text.substr(runStart, i - runStart), out, counts);
        if (converter.convert(replacementChar, out).error)
            converter.convert("&#65533;", out);
        ++counts.replacements;
        i += c.length;
        runStart = i;
    }
    convertValidRun(converter, text.substr(runStart), out, counts);
    converter.finish(out);
}

std::string plural(size_t count, const char *word)
{
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

EncodedText encode(std::string_view utf8, const TextFormat &format)
{
    std::string encoding = declaredEncoding(utf8);
    if (encoding.empty())
        encoding = format.encoding.empty() ? "UTF-8" : format.encoding;
    std::string lines;
    std::string_view text = utf8;
    if (format.crlf && text.find('\n') != std::string_view::npos) {
        lines = withCrlf(utf8);
        text = lines;
    }

    EncodedText result;
    const auto writeUtf8 = [&] {
        result.bytes.reserve(text.size() + utf8Bom.size());
        result.bytes.append(format.bom == ByteOrderMark::Utf8 ? utf8Bom : std::string_view());
        result.bytes.append(text);
    };
    if (isUtf8(encoding)) {
        writeUtf8();
        return result;
    }

    const std::string normalized = normalizedName(encoding);
    const bool utf16 = isUtf16Name(normalized);
    const bool utf16Bom
        = format.bom == ByteOrderMark::Utf16LE || format.bom == ByteOrderMark::Utf16BE;
    const bool bigEndian = normalized == "UTF16BE"
        || (normalized == "UTF16" && format.bom == ByteOrderMark::Utf16BE);
    const auto writeUtf8Instead = [&](const std::string &why) {
        writeUtf8();
        result.exact = false;
        result.note = "Encoding \"" + encoding + "\" " + why + "; written as UTF-8";
        return result;
    };
    if (const std::string why = utf16 ? std::string() : whyUnusable(encoding); !why.empty())
        return writeUtf8Instead(why);
    Converter converter(utf16 ? (bigEndian ? "UTF-16BE" : "UTF-16LE") : encoding.c_str(), "UTF-8");
    if (!converter.valid())
        return writeUtf8Instead("is unknown");

    if (utf16 && (normalized == "UTF16" || utf16Bom))
        result.bytes = bigEndian ? utf16BeBom : utf16LeBom;
    result.bytes.reserve(result.bytes.size() + text.size() * (utf16 ? 2 : 1) + 16);
    ConversionCounts counts;
    convertText(converter, text, result.bytes, counts);
    if (counts.references) {
        result.note = plural(counts.references, "character") + " not in " + encoding
            + " written as "
            + (counts.references == 1 ? "a character reference" : "character references");
    }
    if (counts.replacements) {
        result.note += std::string(result.note.empty() ? "" : "; ")
            + plural(counts.replacements, "invalid UTF-8 sequence") + " replaced by U+FFFD";
    }
    result.exact = result.note.empty();
    return result;
}

} // namespace

DecodedText decodeText(std::string_view bytes)
{
    try {
        return decode(bytes);
    } catch (...) {
        return failure("Out of memory reading " + std::to_string(bytes.size()) + " bytes");
    }
}

std::string declaredEncoding(std::string_view utf8)
{
    std::string_view s = utf8.starts_with(utf8Bom) ? utf8.substr(utf8Bom.size()) : utf8;
    size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < s.size() && isBlank(s[i]))
            ++i;
    };
    // ASP and JSP pages put directives and code before the declaration.
    while (s.substr(i).starts_with("<%")) {
        const size_t end = s.find("%>", i + 2);
        if (end == std::string_view::npos)
            return {};
        i = end + 2;
        skipBlanks();
    }
    s.remove_prefix(i);
    if (!s.starts_with("<?xml") || s.size() < 6 || !isBlank(s[5]))
        return {};
    i = 5;
    for (;;) {
        const size_t before = i;
        skipBlanks();
        if (s.substr(i).starts_with("?>") || i == before)
            return {};
        const size_t nameStart = i;
        while (i < s.size() && isAsciiLetter(s[i]))
            ++i;
        const std::string_view name = s.substr(nameStart, i - nameStart);
        skipBlanks();
        if (name.empty() || i >= s.size() || s[i] != '=')
            return {};
        ++i;
        skipBlanks();
        if (i >= s.size() || (s[i] != '"' && s[i] != '\''))
            return {};
        const size_t valueEnd = s.find(s[i], i + 1);
        if (valueEnd == std::string_view::npos)
            return {};
        if (name == "encoding")
            return std::string(s.substr(i + 1, valueEnd - i - 1));
        i = valueEnd + 1;
    }
}

bool isUtf8(std::string_view encoding)
{
    return normalizedName(encoding) == "UTF8";
}

EncodedText encodeText(std::string_view utf8, const TextFormat &format)
{
    try {
        return encode(utf8, format);
    } catch (...) {
        EncodedText result;
        result.ok = false;
        result.exact = false;
        result.note = "Out of memory";
        return result;
    }
}

std::string withLineFeeds(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    size_t from = 0;
    for (size_t pos; (pos = text.find('\r', from)) != std::string_view::npos;) {
        result.append(text.substr(from, pos - from));
        result += '\n';
        from = pos + 1;
        if (from < text.size() && text[from] == '\n')
            ++from;
    }
    result.append(text.substr(from));
    return result;
}

} // namespace tess
