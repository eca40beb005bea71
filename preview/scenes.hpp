#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "world.hpp"

// A named screen of the real window, built from fixture state; the window is open and settled.
struct Scene {
  std::string name;
  std::function<std::unique_ptr<World>()> build;
};

const std::vector<Scene>& scenes();
