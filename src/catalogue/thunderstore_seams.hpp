#pragma once

// Hooks for tests of the catalogue client and of the code above it.
namespace Thunderstore {
// Multiplies every request timeout (1 by default), so a test of a slow reply takes milliseconds.
void setTimeoutScale(double factor);
}  // namespace Thunderstore
