#pragma once

#include <cstddef>
#include <string>

// The loader's LogOutput.log as real Valheim starts write it.
namespace LogSamples {
// A client start that went well: banner, pack line, four plug-ins (one named with spaces),
// start-up complete, then the game's own notes.
extern const std::string clean;
// A start with every kind of trouble: a plug-in for an older loader, two skipped, one with a missing
// dependency, one incompatible, one that failed while loading, a Harmony warning from a DLL, and
// after start-up a NullReferenceException three times, a plug-in's own error with its stack, a
// MissingMethodException across two plug-ins and a Harmony patching exception.
extern const std::string troubled;
// A dedicated server: the client-only plug-in skipped by its process filter.
extern const std::string server;

// A log of about `bytes` bytes that starts like `clean` and then repeats one exception, with its
// stack, `exceptions` times among the game's notes; every 1,000th carries another message.
std::string repeatedExceptions(size_t bytes, size_t exceptions);
}  // namespace LogSamples
