#pragma once

#include <string>

// A random version-4 UUID, upper-case, hyphenated (8-4-4-4-12).
std::string makeUUID();
