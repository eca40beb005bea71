#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "installer/system_tools.hpp"

// Tests and previews point the tools at fakes while workers of an earlier app state may still be
// probing the machine.
TEST(SystemTools, AWorkerReadingTheToolsWhileTheyAreReplacedSeesOneWholeSet) {
  const SystemTools original = systemTools();
  auto numbered = [](int i) {
    SystemTools tools;
    tools.pgrep = "/a/path/long/enough/to/live/on/the/heap/pgrep-" + std::to_string(i);
    tools.bash = "/a/path/long/enough/to/live/on/the/heap/bash-" + std::to_string(i);
    return tools;
  };
  auto number = [](const std::filesystem::path& p) { return p.string().substr(p.string().rfind('-')); };
  setSystemTools(numbered(0));

  std::atomic<bool> started{false}, done{false}, torn{false};
  std::thread worker([&] {
    started = true;
    while (!done) {
      const SystemTools& tools = systemTools();
      if (number(tools.pgrep) != number(tools.bash)) torn = true;
    }
  });
  while (!started) std::this_thread::yield();
  for (int i = 1; i <= 5000; ++i) setSystemTools(numbered(i));
  done = true;
  worker.join();
  EXPECT_FALSE(torn);
  EXPECT_EQ(number(systemTools().pgrep), "-5000");
  setSystemTools(original);
}
