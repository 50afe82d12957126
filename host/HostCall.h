// One host function call as the stand-in host saw it: the function's name and its integer
// arguments in order (pointers as 1 when given, 0 when null; the version last).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HostCall {
    std::string name;
    std::vector<std::int64_t> args;
};
