// A file stream of 8-bit text lines. The file holds CR LF line ends: a LF written is stored as
// CR LF and a CR LF read comes back as LF. The translation is done here on a binary file, so
// the file's bytes are the same on every platform.
#pragma once

#include "framework/core/FCString.h"
#include "framework/core/FCStrings.h"
#include "settings/FCFileStream.h"

#include <memory>
#include <string_view>

class FCTextFileStream : public FCFileStream {
public:
    using FCFileStream::FCFileStream;

    [[nodiscard]] bool OpenRead() override;
    // Opens for writing from an empty file.
    [[nodiscard]] bool OpenWrite() override;
    // The next line without its line end, or none at the end of the file. A line ends at LF, at
    // CR LF or at a lone CR; each byte, a zero byte too, becomes the code unit of its unsigned
    // value.
    virtual std::unique_ptr<FCString> ReadLine();

    // Every remaining line; none when the file is not open.
    std::unique_ptr<FCStrings> ReadAllLines();
    // Every byte of the text, zero bytes included.
    void WriteText(std::string_view text);

private:
    // The next byte, with CR LF read as one LF.
    int ReadTextByte();
};
