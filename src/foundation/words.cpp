#include "foundation/words.hpp"

#include <atomic>

namespace Words {
namespace {
std::atomic<Translator> installed{nullptr};
}

void setTranslator(Translator translator) { installed = translator; }

std::string translate(const char* context, const char* source, const char* disambiguation, int n) {
  if (Translator t = installed) return t(context, source, disambiguation, n);
  std::string text = source;
  if (n >= 0)
    for (size_t at = text.find("%n"); at != std::string::npos; at = text.find("%n", at))
      text.replace(at, 2, std::to_string(n));
  return text;
}

std::string fill(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const size_t index = i + 1 < text.size() ? size_t(text[i + 1] - '1') : values.size();
    if (c == '%' && index < values.size() && index < 9) {
      out += values.begin()[index];
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}
}  // namespace Words
