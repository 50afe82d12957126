// Writes a whole file or nothing. The bytes go to a temporary file of this write's own, created
// beside the file under a fresh name where no name exists yet; once written and put on the disk
// it takes the permissions of the file it replaces and is renamed over it in one step. A reader,
// or another writer of the same file, sees the old file or a new one, never a mix. A link given
// as the file is written through to the file it points to, and stays a link.
#pragma once

#include <ext/stdio_filebuf.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>

class AtomicFile {
public:
    // Starts a write of the file: checks that it can be written and creates the temporary file;
    // throws ScoreError naming the file and the system's reason when either fails.
    explicit AtomicFile(const std::string& path);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    // A write never committed leaves the file as it was and removes its temporary file.
    ~AtomicFile();

    // Where the bytes are streamed.
    std::ostream& Stream() { return out_; }
    // Puts everything written in the file's place; throws ScoreError when it cannot, and the
    // file stays as it was.
    void Commit();

    // Throws ScoreError naming the file and the system's reason when it cannot be written; only
    // the temporary file this write created is removed then.
    static void Write(const std::string& path, const std::string& bytes);
    // The same for bytes the writer streams into the file, so they are never all held at once;
    // an exception from the writer leaves no file behind and reaches the caller.
    static void Write(const std::string& path, const std::function<void(std::ostream&)>& write);

    // Throws ScoreError with the reason when the file could not be written now: its folder does
    // not exist, it is a folder or another thing that is not a file, or it is read-only.
    static void CheckWritable(const std::string& path);
    // The file a write of `path` replaces: the path itself, or where its chain of links ends.
    static std::filesystem::path Target(const std::filesystem::path& path);

private:
    [[noreturn]] void Refuse(const std::string& reason) const;
    void CreateTemporary();
    void RemoveTemporary();
    // Renames the temporary file over the target, again while another writer holds the target.
    void RenameOverTarget(std::error_code& error) const;

    std::filesystem::path name_;
    std::filesystem::path target_;
    // The permissions of the file being replaced; none for a new file.
    std::optional<std::filesystem::perms> permissions_;
    std::filesystem::path temporary_;
    // Owns the temporary file's descriptor and closes it.
    std::unique_ptr<__gnu_cxx::stdio_filebuf<char>> buffer_;
    std::ostream out_{nullptr};
};
