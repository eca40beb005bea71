#pragma once

// A point between two file-system steps of a snapshot or a restore. The fault test makes the
// process die at the N-th such point; otherwise the hook is empty and a point costs one load.
namespace History::FaultPoint {
using Hook = void (*)();
void setHook(Hook hook) noexcept;
void reach();
}  // namespace History::FaultPoint
