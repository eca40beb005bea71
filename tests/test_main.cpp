// Every test process runs with HOME pointing at a fresh temporary folder, so nothing
// touches the real home folder; it is removed when the process ends. Every host the app talks to
// starts out at a closed port of this machine: a test that forgets the fake catalogue fails to
// connect instead of going online.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "catalogue/endpoints.hpp"
#include "temp_home.hpp"

namespace {
std::filesystem::path g_home;

// Each test starts in an empty home, also when one process runs several.
class FreshHome : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    for (const auto& entry : std::filesystem::directory_iterator(g_home))
      std::filesystem::remove_all(entry.path());
  }
};
}  // namespace

const std::filesystem::path& TestHome::path() { return g_home; }

int main(int argc, char** argv) {
  std::string pattern = (std::filesystem::temp_directory_path() / "quernhold-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return 2;
  g_home = std::filesystem::canonical(pattern);
  setenv("HOME", g_home.c_str(), 1);
  setenv("TZ", "UTC", 0);
  const std::string closed = "http://127.0.0.1:1";  // nothing listens on port 1
  setEndpoints({.catalogue = closed, .icons = closed, .website = closed, .loaderReleases = closed});
  // libcurl and Qt take a proxy from these, and would send even the loopback requests through it.
  for (const char* name :
       {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
    unsetenv(name);
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FreshHome);
  int result = RUN_ALL_TESTS();
  std::error_code ec;
  std::filesystem::remove_all(g_home, ec);
  return result;
}
