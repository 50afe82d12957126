// What the stand-in host reads from a file's name.
#pragma once

#include <string>

class FileName {
public:
    // The name's extension with its dot, in lower case (".svg"); empty when the last part of the
    // path has none.
    static std::string LowerExtension(const std::string& path);
};
