// One host function call as the stand-in host saw it: the function's name and its integer
// arguments in order (pointers as 1 when given, 0 when null; the version last), the bytes a
// save or create handed over, and for the reads that answer it what the host answered (a record
// load or walk step: 1 when it succeeded; a frame load: the frame's entry count, -1 for none).
// The answer is kept for counting and never written out, so logs read as before.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

struct HostCall {
    std::string name;
    std::vector<std::int64_t> args;
    std::vector<unsigned char> bytes;
    std::int64_t answer = 0;
};

// One line: the name, the arguments in parentheses, then the bytes in hexadecimal, if any.
std::ostream& operator<<(std::ostream& out, const HostCall& call);
