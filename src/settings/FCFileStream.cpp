#include "settings/FCFileStream.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

// A name taken by a leftover of an earlier process gives way to the next one.
constexpr int kTemporaryNameAttempts = 16;

std::FILE* OpenFile(const std::u16string& path, const char16_t* mode) {
    return _wfopen(AsPlatformText(path.c_str()), AsPlatformText(mode));
}

DWORD AttributesOf(const std::u16string& path) {
    return GetFileAttributesW(AsPlatformText(path.c_str()));
}

std::u16string Hexadecimal(std::uint32_t value) {
    constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::u16string text;
    do {
        text.insert(text.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value != 0);
    return text;
}

// The path with every link resolved, from a handle that opens no data.
std::optional<std::u16string> FinalPath(const std::u16string& path) {
    const HANDLE file = CreateFileW(AsPlatformText(path.c_str()), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::u16string resolved(FCFileStream::kFolderUnits, u'\0');
    DWORD length = 0;
    for (;;) {
        length = GetFinalPathNameByHandleW(file, AsPlatformText(resolved.data()),
                                           static_cast<DWORD>(resolved.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length < resolved.size()) {
            break;
        }
        resolved.resize(length);
    }
    CloseHandle(file);
    if (length == 0) {
        return std::nullopt;
    }
    resolved.resize(length);
    return resolved;
}

std::u16string FolderOf(const std::u16string& path) {
    const std::size_t separator = path.rfind(u'\\');
    return separator == std::u16string::npos ? std::u16string() : path.substr(0, separator + 1);
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
    if (IsWriting()) {
        DiscardWrite();
    } else {
        CloseRead();
    }
}

bool FCFileStream::Close() {
    return IsWriting() ? FinishWrite([] { return true; }) : CloseRead();
}

bool FCFileStream::Close(const std::function<bool()>& replaceIf) {
    return IsWriting() && FinishWrite(replaceIf);
}

std::u16string FCFileStream::GetPath() const {
    std::u16string path(hostFolder_.data());
    if (path.empty() || path.back() != u'\\') {
        path += u'\\';
    }
    return path + fileName_.GetUTF16();
}

bool FCFileStream::Exists() const {
    return AttributesOf(GetPath()) != INVALID_FILE_ATTRIBUTES;
}

bool FCFileStream::OpenForReading(const char16_t* mode) {
    if (IsOpen()) {
        return false;
    }
    file_ = OpenFile(GetPath(), mode);
    if (!file_) {
        return false;
    }
    read_.clear();
    readAt_ = 0;
    std::array<char, 1 << 16> chunk;
    std::size_t count = 0;
    while ((count = std::fread(chunk.data(), 1, chunk.size(), file_)) > 0) {
        read_.append(chunk.data(), count);
    }
    return true;
}

bool FCFileStream::OpenForWriting() {
    if (IsOpen()) {
        return false;
    }
    const std::optional<std::u16string> target = WriteTarget();
    if (!target || !CreateTemporary(FolderOf(*target))) {
        return false;
    }
    targetPath_ = *target;
    written_.clear();
    return true;
}

int FCFileStream::ReadByte() {
    if (!file_ || readAt_ == read_.size()) {
        return EOF;
    }
    return static_cast<unsigned char>(read_[readAt_++]);
}

void FCFileStream::UnreadByte(int byte) {
    if (file_ && byte != EOF && readAt_ > 0) {
        --readAt_;
    }
}

void FCFileStream::WriteByte(char byte) {
    if (IsWriting()) {
        written_.push_back(byte);
    }
}

std::optional<std::u16string> FCFileStream::WriteTarget() const {
    std::u16string target = GetPath();
    DWORD attributes = AttributesOf(target);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return target;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        const std::optional<std::u16string> resolved = FinalPath(target);
        if (!resolved) {
            return std::nullopt;
        }
        target = *resolved;
        attributes = AttributesOf(target);
    }
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return std::nullopt;
    }
    return target;
}

bool FCFileStream::CreateTemporary(const std::u16string& folder) {
    static std::uint32_t counter = 0;
    const std::u16string stem =
        folder + fileName_.GetUTF16() + u"." + Hexadecimal(GetCurrentProcessId()) + u"-";
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::u16string path = stem + Hexadecimal(counter++) + u".tmp";
        temporary_ = CreateFileW(AsPlatformText(path.c_str()), GENERIC_WRITE, 0, nullptr,
                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (IsWriting()) {
            temporaryPath_ = path;
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    return false;
}

bool FCFileStream::CloseRead() {
    if (!file_) {
        return false;
    }
    const bool read = std::ferror(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return read && closed;
}

bool FCFileStream::FinishWrite(const std::function<bool()>& replaceIf) {
    DWORD count = 0;
    const bool written = written_.size() <= std::numeric_limits<DWORD>::max() &&
                         WriteFile(temporary_, written_.data(), static_cast<DWORD>(written_.size()),
                                   &count, nullptr) != FALSE &&
                         count == written_.size() && FlushFileBuffers(temporary_) != FALSE;
    const bool closed = CloseHandle(temporary_) != FALSE;
    temporary_ = INVALID_HANDLE_VALUE;
    if (written && closed && replaceIf() &&
        MoveFileExW(AsPlatformText(temporaryPath_.c_str()), AsPlatformText(targetPath_.c_str()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE) {
        return true;
    }
    DeleteFileW(AsPlatformText(temporaryPath_.c_str()));
    return false;
}

void FCFileStream::DiscardWrite() {
    CloseHandle(temporary_);
    temporary_ = INVALID_HANDLE_VALUE;
    DeleteFileW(AsPlatformText(temporaryPath_.c_str()));
}
