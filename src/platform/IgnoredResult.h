// Results that must not be dropped by accident are [[nodiscard]]; where one is dropped on purpose
// the call says so with Ignore and names the reason.
#pragma once

enum class Because {
    // A failed read leaves what was there before it (zeros, a default, a prefilled buffer), and
    // that is what the code goes on with.
    Prefilled,
    // Nothing the plug-in does next depends on the host's answer: the host shows, draws or lays
    // out what it can, and there is no other way to do it.
    NoRemedy,
    // Every record of the step is written whatever became of the others; a refused save leaves
    // that record as it was and the step goes on.
    BestEffort,
    // A count the caller does not need: it reads the collection itself afterwards.
    CountUnused,
    // A delete of a record that may not exist: either way there is none afterwards.
    GoneEither,
    // A file that cannot be written keeps what it held before, and nobody is waiting to be told.
    NoOneToTell,
};

template <typename Result> constexpr void Ignore(const Result& /*result*/, Because /*reason*/) {}
