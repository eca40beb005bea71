#pragma once

#include <filesystem>

// The temporary HOME of this test process (see test_main.cpp).
namespace TestHome {
const std::filesystem::path& path();  // empty when each test starts
}  // namespace TestHome
