// A file in the folder the host names, opened as a buffered byte stream. Writing goes to a
// temporary file of its own beside the file (beside the file a link points to), created only
// where no name exists yet, which takes the file's place in one step once it is completely
// written: a reader sees the old file or the new one, never a part, and a failed write never
// damages the file that was there.
#pragma once

#include "framework/core/FCString.h"
#include "platform/Platform.h"
#include "settings/FCBaseStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
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

    [[nodiscard]] virtual bool OpenRead() = 0;
    [[nodiscard]] virtual bool OpenWrite() = 0;

    bool IsOpen() const { return file_ != nullptr || IsWriting(); }
    // Ends reading, or ends writing by putting the new file in place of the old one. False when
    // the stream was not open, a byte could not be read, or anything written failed to reach
    // the file; the old file then stays as it was.
    [[nodiscard]] bool Close();
    // Ends writing like Close, but asks replaceIf once the new file is completely written and
    // flushed, just before it takes the old file's place: when the answer is no, the new file
    // is removed, the old one stays and the result is false. Asking that late keeps the time
    // between the caller's last look at the old file and its replacement as short as it can be.
    [[nodiscard]] bool Close(const std::function<bool()>& replaceIf);
    // The folder, a "\" unless the folder already ends with one, and the file name.
    std::u16string GetPath() const;
    // Whether anything (a file, a folder, a link) has the file's name.
    bool Exists() const;
    // Every byte of the file open for reading, all read when it was opened, so that a look at
    // the file takes one short read and can be compared with an earlier one byte for byte.
    const std::string& BytesRead() const { return read_; }

protected:
    // Opens the file and reads it whole; a read error shows when it is closed.
    [[nodiscard]] bool OpenForReading(const char16_t* mode);
    // Creates the temporary file that the written bytes go to. False, with nothing created, when
    // the file is read-only or a folder, or when a link cannot be followed to its file.
    [[nodiscard]] bool OpenForWriting();
    // The next byte as an unsigned value, or EOF.
    int ReadByte();
    // Gives back the byte just read (EOF gives back nothing).
    void UnreadByte(int byte);
    void WriteByte(char byte);

private:
    bool IsWriting() const { return temporary_ != INVALID_HANDLE_VALUE; }
    // The file that writing replaces: the file itself, or the one its link points to.
    std::optional<std::u16string> WriteTarget() const;
    [[nodiscard]] bool CreateTemporary(const std::u16string& folder);
    bool CloseRead();
    [[nodiscard]] bool FinishWrite(const std::function<bool()>& replaceIf);
    void DiscardWrite();

    std::array<char16_t, kFolderUnits> hostFolder_{};
    FCString fileName_;
    std::FILE* file_ = nullptr;
    std::string read_;
    std::size_t readAt_ = 0;
    HANDLE temporary_ = INVALID_HANDLE_VALUE;
    std::u16string temporaryPath_;
    std::u16string targetPath_;
    std::string written_;
};
