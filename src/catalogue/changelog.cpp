#include "catalogue/changelog.hpp"

#include <algorithm>
#include <map>
#include <vector>

#include "foundation/package_id.hpp"
#include "foundation/text.hpp"

namespace Changelog {
namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlnum(char c) { return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// One line of the text: where it starts and ends in the whole (line break included), and its
// characters without the line break.
struct Line {
  size_t begin, end;
  std::string_view text;
};

std::vector<Line> linesOf(std::string_view text) {
  std::vector<Line> lines;
  for (size_t at = 0; at < text.size();) {
    size_t br = text.find('\n', at);
    size_t end = br == std::string_view::npos ? text.size() : br + 1;
    std::string_view line = text.substr(at, (br == std::string_view::npos ? text.size() : br) - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back({at, end, line});
    at = end;
  }
  return lines;
}

// The line without the up to three spaces of indent Markdown allows before a block; nullopt when
// it is indented further (a code block).
std::optional<std::string_view> unindented(std::string_view line) {
  size_t spaces = 0;
  while (spaces < line.size() && line[spaces] == ' ') ++spaces;
  if (spaces > 3) return std::nullopt;
  return line.substr(spaces);
}

bool isBlank(std::string_view line) { return Text::trim(line).empty(); }

// "```" or "~~~" (or longer) opening or closing a fenced code block: its character and length.
std::optional<std::pair<char, size_t>> fence(std::string_view line) {
  auto text = unindented(line);
  if (!text || text->empty() || (text->front() != '`' && text->front() != '~')) return std::nullopt;
  const size_t length = text->find_first_not_of(text->front());
  const size_t run = length == std::string_view::npos ? text->size() : length;
  if (run < 3) return std::nullopt;
  return std::pair{text->front(), run};
}

struct Heading {
  int level;
  std::string_view text;
};

// "## Text ##": one to six "#", then a space or nothing.
std::optional<Heading> atxHeading(std::string_view line) {
  auto text = unindented(line);
  if (!text) return std::nullopt;
  const size_t hashes = std::min(text->find_first_not_of('#'), text->size());
  if (hashes == 0 || hashes > 6) return std::nullopt;
  if (hashes < text->size() && (*text)[hashes] != ' ' && (*text)[hashes] != '\t') return std::nullopt;
  std::string_view rest = Text::trim(text->substr(hashes), " \t");
  // A closing run of "#" after a space is not part of the text.
  const size_t closing = rest.find_last_not_of('#');
  if (closing == std::string_view::npos)
    rest = {};
  else if (closing + 1 < rest.size() && (rest[closing] == ' ' || rest[closing] == '\t'))
    rest = Text::trim(rest.substr(0, closing), " \t");
  return Heading{int(hashes), rest};
}

// The line under a one-line paragraph that makes it a heading: "===" (level 1) or "---" (level 2).
std::optional<int> setextUnderline(std::string_view line) {
  auto text = unindented(line);
  if (!text) return std::nullopt;
  const std::string_view run = Text::trim(*text, " \t");
  if (run.empty() || (run.front() != '=' && run.front() != '-')) return std::nullopt;
  if (run.find_first_not_of(run.front()) != std::string_view::npos) return std::nullopt;
  return run.front() == '=' ? 1 : 2;
}

// A line that could be a heading's text over an underline: not a list item, quote or another block.
bool paragraphText(std::string_view line) {
  auto text = unindented(line);
  if (!text || isBlank(*text) || atxHeading(*text) || fence(*text)) return false;
  const char first = text->front();
  if (first == '>' || first == '<' || first == '|') return false;
  const bool bullet = first == '-' || first == '*' || first == '+';
  return !(bullet && (text->size() == 1 || (*text)[1] == ' ' || (*text)[1] == '\t'));
}

// A version heading: where its section starts in the text, its level and its version.
struct VersionHeading {
  size_t begin;
  int level;
  std::string version;
};

// Every heading outside code blocks, in order, with the line it starts on.
struct AnyHeading {
  size_t begin;
  int level;
  std::string_view text;
};

std::vector<AnyHeading> headingsOf(const std::vector<Line>& lines) {
  std::vector<AnyHeading> headings;
  std::optional<std::pair<char, size_t>> open;  // the fence of the code block we are in
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i].text;
    if (auto f = fence(line)) {
      if (!open)
        open = f;
      else if (f->first == open->first && f->second >= open->second)
        open.reset();
      continue;
    }
    if (open) continue;
    if (auto h = atxHeading(line)) {
      headings.push_back({lines[i].begin, h->level, h->text});
    } else if (i + 1 < lines.size() && (i == 0 || isBlank(lines[i - 1].text)) && paragraphText(line)) {
      if (auto level = setextUnderline(lines[i + 1].text)) {
        headings.push_back({lines[i].begin, *level, Text::trim(line, " \t")});
        ++i;
      }
    }
  }
  return headings;
}

// The level most version headings use; the larger heading when two levels are used as often.
int sectionLevel(const std::vector<VersionHeading>& headings) {
  std::map<int, int> uses;
  for (const auto& h : headings) ++uses[h.level];
  return std::max_element(uses.begin(), uses.end(), [](auto& a, auto& b) { return a.second < b.second; })
      ->first;
}

std::string_view trimEnd(std::string_view text) {
  const size_t last = text.find_last_not_of(Text::whitespace);
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}
}  // namespace

std::optional<std::string> headingVersion(std::string_view heading) {
  int words = 0;
  for (size_t at = 0; at < heading.size() && words < 3;) {
    at = heading.find_first_not_of(" \t", at);
    if (at == std::string_view::npos) break;
    size_t end = std::min(heading.find_first_of(" \t", at), heading.size());
    std::string_view word = heading.substr(at, end - at);
    at = end;
    // Brackets, emphasis and dashes around a word do not make it another word.
    size_t start = 0;
    while (start < word.size() && !isAlnum(word[start])) ++start;
    if (start == word.size()) continue;
    ++words;
    word.remove_prefix(start);
    if (word.front() == 'v' || word.front() == 'V') word.remove_prefix(1);
    // Digits, then one or more "." with digits after each.
    size_t i = 0, dots = 0;
    while (i < word.size() && isDigit(word[i])) ++i;
    if (i == 0) continue;
    while (i + 1 < word.size() && word[i] == '.' && isDigit(word[i + 1])) {
      ++dots;
      i += 1;
      while (i < word.size() && isDigit(word[i])) ++i;
    }
    if (dots == 0 || (i < word.size() && isAlnum(word[i]))) continue;
    return std::string(word.substr(0, i));
  }
  return std::nullopt;
}

Slice newerThan(std::string_view markdown, std::string_view installed) {
  Slice whole{std::string(markdown), false};
  if (Text::trim(installed).empty()) return whole;

  std::vector<VersionHeading> versions;
  const auto headings = headingsOf(linesOf(markdown));
  for (const auto& h : headings)
    if (auto v = headingVersion(h.text)) versions.push_back({h.begin, h.level, *v});
  if (versions.empty()) return whole;
  const int level = sectionLevel(versions);

  // One pass over the headings: a section runs from its version heading to the next heading as
  // large as its own, or to the end.
  std::string shown;
  size_t sections = 0, newer = 0;
  std::optional<size_t> open;  // where the section being read starts, when it is shown
  auto close = [&](size_t end) {
    if (!open) return;
    if (!shown.empty()) shown += "\n\n";
    shown += trimEnd(markdown.substr(*open, end - *open));
    open.reset();
  };
  auto version = versions.begin();
  for (const auto& h : headings) {
    const VersionHeading* named = nullptr;
    if (version != versions.end() && version->begin == h.begin) named = &*version++;
    if (h.level > level) continue;
    close(h.begin);
    if (!named || h.level != level) continue;
    ++sections;
    if (Version::newer(named->version, installed)) {
      ++newer;
      open = h.begin;
    }
  }
  close(markdown.size());
  if (newer == sections) return whole;
  return {shown, true};
}
}  // namespace Changelog
