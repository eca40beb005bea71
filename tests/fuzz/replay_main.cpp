// Without libFuzzer, a fuzz target is a plain program that runs every input it is given (files,
// or folders read recursively in name order) once, so the seed corpus and the inputs that once
// found a fault are replayed on every test run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    fs::path arg = argv[i];
    if (fs::is_regular_file(arg)) {
      inputs.push_back(arg);
    } else if (fs::is_directory(arg)) {
      std::vector<fs::path> found;
      for (const auto& entry : fs::recursive_directory_iterator(arg))
        if (entry.is_regular_file() && !entry.path().filename().string().starts_with("."))
          found.push_back(entry.path());
      std::sort(found.begin(), found.end());
      inputs.insert(inputs.end(), found.begin(), found.end());
    } else if (!fs::exists(arg)) {
      std::printf("no inputs at %s\n", arg.c_str());
    }
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "usage: %s <input file or folder>...: no inputs found\n", argv[0]);
    return 2;
  }
  for (const auto& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::printf("%s (%zu bytes)\n", input.c_str(), bytes.size());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
