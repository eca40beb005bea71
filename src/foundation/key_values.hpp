#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Valve's KeyValues text, the format of Steam's own files (app manifests, "registry.vdf",
// "localconfig.vdf"): keys followed by a value or by a block of keys in braces.
//
//   "AppState"
//   {
//       "appid"       "892970"
//       "InstalledDepots" { "892971" { "manifest" "123" } }
//   }
struct KeyValue {
  std::string key;
  std::string value;  // a value's text; empty for a block
  std::vector<KeyValue> entries;  // a block's entries, in the file's order
  bool isBlock = false;

  // The first entry with this key, ignoring ASCII case as Steam does; null when there is none.
  const KeyValue* find(std::string_view name) const;
  // The text of the first entry with this key that is a value, not a block.
  std::optional<std::string_view> text(std::string_view name) const;
  bool operator==(const KeyValue&) const = default;
};

namespace KeyValues {
// The file's entries, as one block without a key. Tokens are quoted (with the escapes \" \\ \n \t)
// or bare; "//" starts a comment; a "[$WIN32]"-style condition after a value is skipped. It never
// throws: a file cut short keeps what came before the cut, its open blocks closed, and a stray
// brace or a key without a value is passed over. Blocks nest at most `maxDepth` deep; the text
// below that is ignored.
KeyValue parse(std::string_view text);
inline constexpr int maxDepth = 64;
}  // namespace KeyValues
