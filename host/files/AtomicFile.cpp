#include "host/files/AtomicFile.h"

#include "host/files/FilePath.h"
#include "host/files/NewFile.h"
#include "host/files/ScoreError.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <random>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace {

// As many links as the system itself follows before it gives up on a loop.
constexpr int kLinkDepth = 40;
// A name another process took between the draw and the creation gives way to a new draw.
constexpr int kNameAttempts = 16;
// Windows refuses a rename over a file another writer is replacing at that moment; the refusal
// passes within milliseconds, so the rename is tried again for up to a second.
constexpr int kRenameAttempts = 50;
constexpr std::chrono::milliseconds kRenamePause{20};

[[noreturn]] void Refuse(const fs::path& name, const std::string& reason) {
    throw ScoreError(FilePath::Text(name) + ": cannot be written: " + reason);
}

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

std::string RandomHex() {
    std::random_device device;
    const std::uint64_t value = (static_cast<std::uint64_t>(device()) << 32) | device();
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = kDigits[(value >> (4 * i)) & 0xF];
    }
    return text;
}

// The permissions of the file a write replaces; none when there is no file yet. Throws when
// the file cannot be replaced.
std::optional<fs::perms> CheckReplaceable(const fs::path& name, const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (status.type() == fs::file_type::not_found) {
        const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
        if (!fs::is_directory(folder, error)) {
            Refuse(name, "the folder " + FilePath::Text(folder) + " does not exist");
        }
        return std::nullopt;
    }
    if (error) {
        Refuse(name, error.message());
    }
    if (fs::is_directory(status)) {
        Refuse(name, "it is a folder");
    }
    if (!fs::is_regular_file(status)) {
        Refuse(name, "it is not a regular file");
    }
    constexpr fs::perms kWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & kWrite) == fs::perms::none) {
        Refuse(name, "it is read-only");
    }
    return status.permissions();
}

} // namespace

AtomicFile::AtomicFile(const std::string& path)
    : name_(FilePath::Of(path)), target_(Target(name_)),
      permissions_(CheckReplaceable(name_, target_)) {
    CreateTemporary();
}

AtomicFile::~AtomicFile() {
    RemoveTemporary();
}

void AtomicFile::Refuse(const std::string& reason) const {
    ::Refuse(name_, reason);
}

void AtomicFile::CreateTemporary() {
    int reason = 0;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        // Appended piece by piece: GCC 12 warns wrongly of overlapping copies in a chain of +.
        std::string name = ".";
        name.append(FilePath::Text(target_.filename())).append(".").append(RandomHex());
        name.append(".tmp");
        fs::path temporary = target_;
        temporary.replace_filename(FilePath::Of(name));
        const int descriptor = NewFile::Create(temporary);
        if (descriptor >= 0) {
            temporary_ = temporary;
            buffer_ = std::make_unique<__gnu_cxx::stdio_filebuf<char>>(
                descriptor, std::ios::out | std::ios::binary);
            out_.rdbuf(buffer_.get());
            return;
        }
        reason = errno;
        if (reason != EEXIST) {
            break;
        }
    }
    Refuse(SystemReason(reason));
}

void AtomicFile::RemoveTemporary() {
    out_.rdbuf(nullptr);
    buffer_.reset();
    if (!temporary_.empty()) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
        temporary_.clear();
    }
}

void AtomicFile::RenameOverTarget(std::error_code& error) const {
    for (int attempt = 1;; ++attempt) {
        fs::rename(temporary_, target_, error);
        if (error != std::errc::permission_denied || attempt == kRenameAttempts) {
            return;
        }
        std::this_thread::sleep_for(kRenamePause);
    }
}

void AtomicFile::Commit() {
    out_.flush();
    if (!out_ || !NewFile::Commit(buffer_->fd())) {
        Refuse(SystemReason(errno));
    }
    out_.rdbuf(nullptr);
    if (!buffer_->close()) {
        Refuse(SystemReason(errno));
    }
    std::error_code error;
    if (permissions_) {
        fs::permissions(temporary_, *permissions_, error);
    }
    if (!error) {
        RenameOverTarget(error);
    }
    if (error) {
        Refuse(error.message());
    }
    temporary_.clear();
}

fs::path AtomicFile::Target(const fs::path& path) {
    fs::path target = path;
    for (int depth = 0; depth < kLinkDepth; ++depth) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error))) {
            return target;
        }
        const fs::path link = fs::read_symlink(target, error);
        if (error) {
            ::Refuse(path, error.message());
        }
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    ::Refuse(path, std::make_error_code(std::errc::too_many_symbolic_link_levels).message());
}

void AtomicFile::CheckWritable(const std::string& path) {
    const fs::path name = FilePath::Of(path);
    CheckReplaceable(name, Target(name));
}

void AtomicFile::Write(const std::string& path, const std::string& bytes) {
    Write(path, [&bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
}

void AtomicFile::Write(const std::string& path, const std::function<void(std::ostream&)>& write) {
    AtomicFile file(path);
    write(file.Stream());
    file.Commit();
}
