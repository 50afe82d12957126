#include "settings/FCFileStream.h"

#include "platform/Platform.h"

#include <algorithm>

namespace {

std::FILE* OpenFile(const std::u16string& path, const char16_t* mode) {
    return _wfopen(AsPlatformText(path.c_str()), AsPlatformText(mode));
}

} // namespace

FCFileStream::FCFileStream(const std::uint16_t* hostFolder, const char* fileName)
    : fileName_(fileName) {
    // The last unit stays zero, so a host that fills the whole area still leaves a terminated
    // path.
    if (hostFolder) {
        std::copy_n(hostFolder, kFolderUnits - 1, hostFolder_.begin());
    }
}

FCFileStream::~FCFileStream() {
    if (writing_) {
        DiscardWrite();
    } else {
        CloseFile();
    }
}

bool FCFileStream::Close() {
    if (!writing_) {
        return CloseFile();
    }
    const bool written = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    if (written && CloseFile() && ReplaceTarget()) {
        writing_ = false;
        return true;
    }
    DiscardWrite();
    return false;
}

std::u16string FCFileStream::GetPath() const {
    std::u16string path(hostFolder_.data());
    if (path.empty() || path.back() != u'\\') {
        path += u'\\';
    }
    return path + fileName_.GetUTF16();
}

bool FCFileStream::OpenForReading(const char16_t* mode) {
    if (IsOpen()) {
        return false;
    }
    file_ = OpenFile(GetPath(), mode);
    return IsOpen();
}

bool FCFileStream::OpenForWriting(const char16_t* mode) {
    if (IsOpen()) {
        return false;
    }
    file_ = OpenFile(GetTemporaryPath(), mode);
    writing_ = IsOpen();
    return writing_;
}

int FCFileStream::ReadByte() {
    return file_ ? std::fgetc(file_) : EOF;
}

void FCFileStream::UnreadByte(int byte) {
    if (file_ && byte != EOF) {
        std::ungetc(byte, file_);
    }
}

void FCFileStream::WriteByte(char byte) {
    if (file_) {
        std::fputc(static_cast<unsigned char>(byte), file_);
    }
}

std::u16string FCFileStream::GetTemporaryPath() const {
    return GetPath() + u".tmp";
}

bool FCFileStream::CloseFile() {
    if (!file_) {
        return false;
    }
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
}

bool FCFileStream::ReplaceTarget() const {
    return MoveFileExW(AsPlatformText(GetTemporaryPath().c_str()),
                       AsPlatformText(GetPath().c_str()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void FCFileStream::DiscardWrite() {
    writing_ = false;
    CloseFile();
    DeleteFileW(AsPlatformText(GetTemporaryPath().c_str()));
}
