// Steam's KeyValues text (app manifests): any bytes read into a tree no deeper than the bound, and
// that tree written out quoted reads back the same.
#include <string>

#include "foundation/key_values.hpp"
#include "fuzz_check.hpp"

namespace {
std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

std::string written(const KeyValue& block) {
  std::string out;
  for (const KeyValue& e : block.entries)
    out += quoted(e.key) + (e.isBlock ? " {\n" + written(e) + "}\n" : " " + quoted(e.value) + "\n");
  return out;
}

int depth(const KeyValue& block) {
  int deepest = 0;
  for (const KeyValue& e : block.entries)
    if (e.isBlock) deepest = std::max(deepest, 1 + depth(e));
  return deepest;
}
}  // namespace

FUZZ_TARGET(bytes) {
  const KeyValue root = KeyValues::parse(bytes);
  FUZZ_CHECK(depth(root) <= KeyValues::maxDepth, "blocks nest no deeper than the bound");
  FUZZ_CHECK(KeyValues::parse(written(root)) == root, "the tree written out reads back the same");
}
