#include "foundation/key_values.hpp"

#include <algorithm>

namespace {
char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool sameKey(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

struct Token {
  enum Kind { text, open, close, end } kind;
  std::string value;
};

// Splits the text into quoted or bare strings and braces, leaving out space, comments and
// conditions.
class Tokens {
 public:
  explicit Tokens(std::string_view text) : in_(text) {
    if (in_.substr(0, 3) == "\xEF\xBB\xBF") in_.remove_prefix(3);
  }

  Token next() {
    for (;;) {
      skipSpaceAndComments();
      if (at_ >= in_.size()) return {Token::end, {}};
      const char c = in_[at_];
      if (c == '{' || c == '}') {
        ++at_;
        return {c == '{' ? Token::open : Token::close, {}};
      }
      if (c == '"') return quoted();
      Token bare = this->bare();
      // "[$WIN32]" after a value or key says on which systems it applies; all of them count here.
      if (bare.value.size() >= 2 && bare.value.front() == '[' && bare.value.back() == ']') continue;
      return bare;
    }
  }

 private:
  void skipSpaceAndComments() {
    while (at_ < in_.size()) {
      if (isSpace(in_[at_])) {
        ++at_;
      } else if (in_.substr(at_, 2) == "//") {
        const size_t br = in_.find('\n', at_);
        at_ = br == std::string_view::npos ? in_.size() : br + 1;
      } else {
        return;
      }
    }
  }

  Token quoted() {
    std::string out;
    for (size_t i = at_ + 1; i < in_.size(); ++i) {
      const char c = in_[i];
      if (c == '"') {
        at_ = i + 1;
        return {Token::text, std::move(out)};
      }
      if (c == '\\' && i + 1 < in_.size()) {
        const char e = in_[++i];
        if (e == 'n')
          out += '\n';
        else if (e == 't')
          out += '\t';
        else if (e == '\\' || e == '"')
          out += e;
        else
          out.append({'\\', e});  // not an escape: both characters stand
        continue;
      }
      out += c;
    }
    at_ = in_.size();  // cut short inside the quotes: the string is lost with the rest
    return {Token::end, {}};
  }

  Token bare() {
    const size_t start = at_;
    while (at_ < in_.size() && !isSpace(in_[at_]) && in_[at_] != '"' && in_[at_] != '{' && in_[at_] != '}')
      ++at_;
    return {Token::text, std::string(in_.substr(start, at_ - start))};
  }

  std::string_view in_;
  size_t at_ = 0;
};

// The blocks being read, outermost first; the entries of blocks too deep to keep are skipped.
class Builder {
 public:
  Builder() { open_.push_back({.isBlock = true}); }

  void value(std::string key, std::string value) {
    if (skipped_ == 0) open_.back().entries.push_back({.key = std::move(key), .value = std::move(value)});
  }
  void openBlock(std::string key) {
    if (skipped_ > 0 || int(open_.size()) > KeyValues::maxDepth)
      ++skipped_;
    else
      open_.push_back({.key = std::move(key), .isBlock = true});
  }
  void closeBlock() {
    if (skipped_ > 0) {
      --skipped_;
    } else if (open_.size() > 1) {  // a stray brace at the top closes nothing
      KeyValue done = std::move(open_.back());
      open_.pop_back();
      open_.back().entries.push_back(std::move(done));
    }
  }
  KeyValue finish() {
    skipped_ = 0;
    while (open_.size() > 1) closeBlock();
    return std::move(open_.front());
  }

 private:
  std::vector<KeyValue> open_;
  int skipped_ = 0;
};
}  // namespace

const KeyValue* KeyValue::find(std::string_view name) const {
  auto it =
      std::find_if(entries.begin(), entries.end(), [&](const KeyValue& e) { return sameKey(e.key, name); });
  return it == entries.end() ? nullptr : &*it;
}

std::optional<std::string_view> KeyValue::text(std::string_view name) const {
  for (const KeyValue& e : entries)
    if (!e.isBlock && sameKey(e.key, name)) return e.value;
  return std::nullopt;
}

namespace KeyValues {
KeyValue parse(std::string_view text) {
  Tokens tokens(text);
  Builder blocks;
  for (Token t = tokens.next(); t.kind != Token::end; t = tokens.next()) {
    if (t.kind == Token::close) {
      blocks.closeBlock();
      continue;
    }
    if (t.kind == Token::open) {  // a block without a key
      blocks.openBlock({});
      continue;
    }
    Token v = tokens.next();
    if (v.kind == Token::end) break;  // a key without a value at the end
    if (v.kind == Token::open)
      blocks.openBlock(std::move(t.value));
    else if (v.kind == Token::close)  // a key without a value closes its block
      blocks.closeBlock();
    else
      blocks.value(std::move(t.value), std::move(v.value));
  }
  return blocks.finish();
}
}  // namespace KeyValues
