// A file created only where no name exists yet (no file, folder or link of that name is
// followed or reused), written through the returned descriptor.
#pragma once

#include <filesystem>

class NewFile {
public:
    // The descriptor of the new, empty file, open for writing; -1 with errno set when the name
    // is taken or the file cannot be created.
    static int Create(const std::filesystem::path& path);
    // Asks the system to put what was written on the disk; false when it cannot.
    [[nodiscard]] static bool Commit(int descriptor);
};
