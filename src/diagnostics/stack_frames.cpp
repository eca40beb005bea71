#include "diagnostics/stack_frames.hpp"

#include <array>
#include <cctype>
#include <vector>

#include "foundation/text.hpp"

namespace Diagnostics::StackFrames {
namespace {
// Code that is never a plug-in's: the runtime, the engine, the patcher, the loader, libraries the game ships.
constexpr std::array<std::string_view, 11> systemRoots{"System",  "UnityEngine", "Unity",   "HarmonyLib",
                                                       "MonoMod", "BepInEx",     "Mono",    "Microsoft",
                                                       "TMPro",   "Steamworks",  "mscorlib"};

bool identifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }

// The dotted name's segments, dots inside <…> and […] (generics, compiler-made names) kept inside one.
std::vector<std::string_view> segments(std::string_view name) {
  std::vector<std::string_view> parts;
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (c == '<' || c == '[') ++depth;
    if ((c == '>' || c == ']') && depth > 0) --depth;
    if (c == '.' && depth == 0) {
      parts.push_back(name.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(name.substr(start));
  return parts;
}

// The namespace part of a dotted name: all segments before the last `kept` (class, or class and method).
std::optional<std::string_view> namespaceOf(std::string_view name, size_t kept) {
  if (name.empty() || !identifierStart(name[0])) return std::nullopt;
  const auto parts = segments(name);
  if (parts.size() <= kept) return std::nullopt;
  size_t length = 0;
  for (size_t i = 0; i + kept < parts.size(); ++i) length += parts[i].size() + (i ? 1 : 0);
  const std::string_view ns = name.substr(0, length);
  for (const auto system : systemRoots)
    if (root(ns) == system) return std::nullopt;
  for (const auto part : segments(ns))
    if (part.empty() || !identifierStart(part[0])) return std::nullopt;
  return ns;
}

// The dotted name that ends where `end` is, going back to a space, a parenthesis or a quote.
std::string_view nameBefore(std::string_view text, size_t end) {
  size_t start = end;
  while (start > 0 && text[start - 1] != ' ' && text[start - 1] != '(' && text[start - 1] != '\'' &&
         text[start - 1] != '"')
    --start;
  return text.substr(start, end - start);
}
}  // namespace

std::string_view root(std::string_view ns) { return ns.substr(0, ns.find('.')); }

namespace {
// A frame's method as written, "Namespace.Class.Method" or "Namespace.Class:Method"; empty for a
// runtime-made method ("(wrapper dynamic-method) …"), none when the line is no frame.
std::optional<std::string_view> frameMethod(std::string_view line) {
  line = Text::trim(line, " \t");
  const bool at = line.starts_with("at ");
  if (at) line.remove_prefix(3);
  if (line.starts_with("(wrapper ")) return std::string_view();
  const size_t paren = line.find('(');
  if (paren == std::string_view::npos || paren == 0 || line.find(')', paren) == std::string_view::npos)
    return std::nullopt;
  const std::string_view method = Text::trim(line.substr(0, paren), " ");
  if (method.empty() || !identifierStart(method[0]) || method.find(' ') != std::string_view::npos)
    return std::nullopt;
  // Without "at", only the engine's "Class:Method" or a dotted name reads as a frame.
  if (!at && method.find_first_of(".:") == std::string_view::npos) return std::nullopt;
  return method;
}
}  // namespace

bool isFrame(std::string_view line) { return frameMethod(line).has_value(); }

std::optional<std::string_view> pluginNamespace(std::string_view line) {
  const auto method = frameMethod(line);
  if (!method || method->empty()) return std::nullopt;
  // The engine writes "Namespace.Class:Method" for frames of a logged message.
  const size_t colon = method->find(':');
  if (colon == std::string_view::npos) return namespaceOf(*method, 2);
  if (method->find(':', colon + 1) != std::string_view::npos) return std::nullopt;
  return namespaceOf(method->substr(0, colon), 1);
}

std::optional<std::string> namedNamespace(std::string_view message) {
  for (size_t at = message.find("::"); at != std::string_view::npos; at = message.find("::", at + 2))
    if (auto ns = namespaceOf(nameBefore(message, at), 1)) return std::string(*ns);
  // A missing method: the first dotted name followed by its parameter list, after the exception's name.
  const size_t colon = message.find(": ");
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string_view body = message.substr(colon + 2);
  for (size_t at = body.find('('); at != std::string_view::npos; at = body.find('(', at + 1))
    if (auto ns = namespaceOf(nameBefore(body, at), 2)) return std::string(*ns);
  return std::nullopt;
}

std::optional<std::string_view> namedAssembly(std::string_view message) {
  constexpr std::string_view marker = "assembly '";
  const size_t at = message.find(marker);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view name = message.substr(at + marker.size());
  name = Text::trim(name.substr(0, name.find_first_of(",'")), " ");
  if (name.empty()) return std::nullopt;
  return name;
}
}  // namespace Diagnostics::StackFrames
