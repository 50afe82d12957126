// One host function call as the stand-in host saw it: the function's name and its integer
// arguments in order (pointers as 1 when given, 0 when null; the version last), and the bytes a
// save or create handed over.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

struct HostCall {
    std::string name;
    std::vector<std::int64_t> args;
    std::vector<unsigned char> bytes;
};

// One line: the name, the arguments in parentheses, then the bytes in hexadecimal, if any.
std::ostream& operator<<(std::ostream& out, const HostCall& call);
