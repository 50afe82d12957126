// A file in the folder the host names, opened as a buffered byte stream. Writing goes to a
// temporary file beside the target, which takes the target's place only once it is completely
// written and closed, so a failed write never damages the file that was there.
#pragma once

#include "framework/core/FCString.h"
#include "settings/FCBaseStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class FCFileStream : public __FCBaseStream {
public:
    // The host's folder area: a zero-terminated UTF-16 path of at most 259 units.
    static constexpr std::size_t kFolderUnits = 260;

    FCFileStream(const std::uint16_t* hostFolder, const char* fileName);
    FCFileStream(const FCFileStream&) = delete;
    FCFileStream& operator=(const FCFileStream&) = delete;
    // Closes a file being read; a write that was never closed is dropped.
    ~FCFileStream() override;

    virtual bool OpenRead() = 0;
    virtual bool OpenWrite() = 0;

    bool IsOpen() const { return file_ != nullptr; }
    // Ends reading, or ends writing by putting the new file in place of the old one. False when
    // the stream was not open or anything written failed to reach the file; the old file then
    // stays as it was.
    bool Close();
    // The folder, a "\" unless the folder already ends with one, and the file name.
    std::u16string GetPath() const;

protected:
    bool OpenForReading(const char16_t* mode);
    bool OpenForWriting(const char16_t* mode);
    // The next byte as an unsigned value, or EOF.
    int ReadByte();
    // Gives back the byte just read (EOF gives back nothing).
    void UnreadByte(int byte);
    void WriteByte(char byte);

private:
    std::u16string GetTemporaryPath() const;
    bool CloseFile();
    bool ReplaceTarget() const;
    void DiscardWrite();

    std::array<char16_t, kFolderUnits> hostFolder_{};
    FCString fileName_;
    std::FILE* file_ = nullptr;
    bool writing_ = false;
};
