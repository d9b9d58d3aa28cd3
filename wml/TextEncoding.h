#pragma once

#include <string>
#include <string_view>

namespace tess {

// A deck is edited as UTF-8 text with "\n" line ends but saved in the
// encoding, byte order mark and line-end style it came in, so that a deck
// that was only viewed is written back byte for byte.

enum class ByteOrderMark { None, Utf8, Utf16LE, Utf16BE };

struct TextFormat
{
    // As the file's XML declaration names it ("ISO-8859-1"), or "UTF-8" /
    // "UTF-16" when it has none.
    std::string encoding;
    // The file's byte order mark. A UTF-16 file without one that does not
    // name its byte order ("UTF-16") gets the order its bytes have, so that
    // saving keeps the order and adds the mark XML requires.
    ByteOrderMark bom = ByteOrderMark::None;
    // The file's first line end is "\r\n".
    bool crlf = false;
};

struct DecodedText
{
    bool ok = false;
    // UTF-8 without byte order mark, line ends as in the file.
    std::string text;
    TextFormat format;
    // When !ok: what is wrong, naming the encoding and the byte offset.
    std::string error;
};

// Reads a deck file's bytes: the byte order mark (UTF-8, UTF-16LE/BE, or
// UTF-16 without one when the bytes start "<\0?\0" or "\0<\0?"), then the
// encoding of the XML declaration (as declaredEncoding finds it), and
// converts to UTF-8. Without mark and declaration the file is UTF-8. Fails
// for an unknown encoding, bytes invalid in the encoding, and a declaration
// that contradicts the byte order mark.
DecodedText decodeText(std::string_view bytes);

// The encoding named by the XML declaration at the start of UTF-8 text, or
// after the "<% ... %>" blocks with which an ASP or JSP page may begin; empty
// when there is none.
std::string declaredEncoding(std::string_view utf8);

// Whether the encoding name means UTF-8 ("utf-8", "UTF8", ...).
bool isUtf8(std::string_view encoding);

struct EncodedText
{
    // False only when memory ran out: `bytes` is then empty and must not be
    // written over the file.
    bool ok = true;
    std::string bytes;
    // False when character references, replacements or a fallback to UTF-8
    // were needed; `note` then says which.
    bool exact = true;
    std::string note;
};

// Converts editor text to file bytes, the inverse of decodeText. The text's
// own encoding declaration wins over format.encoding, since the user may have
// edited it. With format.crlf a bare "\n" becomes "\r\n". UTF-16 gets a byte
// order mark (of format.bom's order, little-endian when none); "UTF-16LE" and
// "UTF-16BE" get one only when format.bom is a UTF-16 mark. UTF-8 gets a mark
// only when format.bom is Utf8. A character the encoding cannot hold is
// written as "&#N;". An encoding the system does not know, or one in which
// the declaration would not read back, is replaced by UTF-8. Invalid UTF-8 in
// the text passes through unchanged into UTF-8 and becomes U+FFFD (or
// "&#65533;") in other encodings.
EncodedText encodeText(std::string_view utf8, const TextFormat &format);

// "\r\n" and a lone "\r" become "\n".
std::string withLineFeeds(std::string_view text);

} // namespace tess
