#pragma once

#include <filesystem>

// The temporary HOME of this test process (see test_main.cpp).
namespace TestHome {
const std::filesystem::path& path();
void clear();  // empties it, for tests that need a pristine home
}  // namespace TestHome
