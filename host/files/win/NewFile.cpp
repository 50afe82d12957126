#include "host/files/NewFile.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

int NewFile::Create(const std::filesystem::path& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

bool NewFile::Commit(int descriptor) {
    return _commit(descriptor) == 0;
}
