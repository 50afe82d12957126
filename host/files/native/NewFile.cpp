#include "host/files/NewFile.h"

#include <fcntl.h>
#include <unistd.h>

int NewFile::Create(const std::filesystem::path& path) {
    // O_EXCL fails on any existing name, a link included, so nothing planted there is followed.
    constexpr mode_t kReadWriteForAll = 0666; // less what the user's umask takes away
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kReadWriteForAll);
}

bool NewFile::Commit(int descriptor) {
    return fsync(descriptor) == 0;
}
