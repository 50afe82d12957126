// A problem in a score file, with the place in the file where it was found.
#pragma once

#include <stdexcept>
#include <string>

class ScoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
