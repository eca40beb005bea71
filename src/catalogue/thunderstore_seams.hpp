#pragma once

// Hooks for tests of the catalogue client and of the code above it.
namespace Thunderstore {
// Blocks until every index-cache write that loadIndex started has finished.
void waitForCacheWrites();
// Multiplies every request timeout (1 by default), so a test of a slow reply takes milliseconds.
void setTimeoutScale(double factor);
}  // namespace Thunderstore
