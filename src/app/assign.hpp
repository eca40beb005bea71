#pragma once

#include <utility>

// Sets one of the state's fields and emits its change signal, only when the value changes.
template <typename State, typename T, typename Signal>
bool assign(State* state, T& field, T value, Signal changed) {
  if (field == value) return false;
  field = std::move(value);
  emit(state->*changed)();
  return true;
}
