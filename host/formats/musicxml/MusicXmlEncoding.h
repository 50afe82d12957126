// The character encoding of a MusicXML file. The stand-in host reads and edits MusicXML as
// UTF-8, and writes each file back in the encoding its source came in.
#pragma once

#include <string>

class MusicXmlEncoding {
public:
    // The file's encoding: from its byte-order mark, else from the first bytes of UTF-16 text
    // without one, else from its XML declaration (UTF-8 without one). Throws ScoreError for an
    // encoding that is not read.
    static MusicXmlEncoding Of(const std::string& bytes);

    // The file's text as UTF-8, without a byte-order mark; throws ScoreError when the bytes
    // are no text in the encoding.
    std::string Decode(const std::string& bytes) const;
    // UTF-8 text in the encoding, with a byte-order mark where the source had one.
    std::string Encode(const std::string& text) const;

private:
    enum class Form { kUtf8, kUtf16Le, kUtf16Be, kLatin1 };

    MusicXmlEncoding(Form form, bool byteOrderMark) : form_(form), byteOrderMark_(byteOrderMark) {}

    std::string ByteOrderMark() const;

    Form form_;
    bool byteOrderMark_;
};
