// The index cache: a list of TSPackage as a JSON array of objects with fifteen members each.
// Both directions are hand-written for speed; the reader is strict, so a damaged cache reads as
// no cache at all.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <unordered_map>

#include "catalogue/json_read.hpp"
#include "catalogue/thunderstore.hpp"

namespace Thunderstore {
namespace {
using namespace JsonRead;

enum Key : unsigned {
  kFullName,
  kOwner,
  kName,
  kPageURL,
  kUpdated,
  kRating,
  kDeprecated,
  kNsfw,
  kCategories,
  kDescription,
  kIcon,
  kLatest,
  kDownloads,
  kVersions,
  kDependencies,
  kKeyCount
};
constexpr std::array<std::string_view, kKeyCount> keys = {
    "fullName",   "owner",       "name", "pageURL", "updated",   "rating",   "deprecated",  "nsfw",
    "categories", "description", "icon", "latest",  "downloads", "versions", "dependencies"};

void appendText(std::string& out, std::string_view s) {
  static constexpr char hex[] = "0123456789abcdef";
  out += '"';
  size_t run = 0;  // start of the bytes not yet copied
  for (size_t i = 0; i < s.size(); ++i) {
    auto c = static_cast<unsigned char>(s[i]);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    out.append(s, run, i - run);
    run = i + 1;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        out += "\\u00";
        out += hex[c >> 4];
        out += hex[c & 15];
    }
  }
  out.append(s, run);
  out += '"';
}

void appendTexts(std::string& out, const std::vector<std::string>& list) {
  out += '[';
  for (size_t i = 0; i < list.size(); ++i) {
    if (i) out += ',';
    appendText(out, list[i]);
  }
  out += ']';
}

void appendInt(std::string& out, int64_t n) {
  char buf[24];
  out.append(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
}

// Seconds since 2001 written exactly from the microsecond count, so reading them back gives the
// same instant; printf would also follow the C locale's decimal separator.
void appendSeconds(std::string& out, Date d) {
  int64_t micros = (d - Dates::referenceDate).count();
  if (micros < 0) out += '-';
  uint64_t magnitude = micros < 0 ? 0 - uint64_t(micros) : uint64_t(micros);
  appendInt(out, int64_t(magnitude / 1000000));
  if (uint32_t fraction = magnitude % 1000000) {
    char digits[7];
    for (int i = 5; i >= 0; --i, fraction /= 10) digits[i] = char('0' + fraction % 10);
    int n = 6;
    while (digits[n - 1] == '0') --n;
    out += '.';
    out.append(digits, n);
  }
}

// One member of a package object; `k` also decides the comma.
template <class Write>
void member(std::string& out, Key k, Write write) {
  if (k != kFullName) out += ',';
  out += '"';
  out += keys[k];
  out += "\":";
  write();
}

void appendPackage(std::string& out, const TSPackage& p) {
  auto text = [&](Key k, const std::string& s) { member(out, k, [&] { appendText(out, s); }); };
  auto list = [&](Key k, const auto& l) { member(out, k, [&] { appendTexts(out, l); }); };
  auto integer = [&](Key k, int64_t n) { member(out, k, [&] { appendInt(out, n); }); };
  auto boolean = [&](Key k, bool b) { member(out, k, [&] { out += b ? "true" : "false"; }); };
  text(kFullName, p.fullName);
  text(kOwner, p.owner);
  text(kName, p.name);
  text(kPageURL, p.pageURL);
  member(out, kUpdated, [&] { appendSeconds(out, p.updated); });
  integer(kRating, p.rating);
  boolean(kDeprecated, p.deprecated);
  boolean(kNsfw, p.nsfw);
  list(kCategories, p.categories);
  text(kDescription, p.description);
  text(kIcon, p.icon);
  text(kLatest, p.latest);
  integer(kDownloads, p.downloads);
  list(kVersions, p.versions);
  list(kDependencies, p.dependencies);
}

// Plain decimal seconds ("-12.5", "631152000.000001") as microseconds, digits past the sixth
// dropped; nothing for any other form.
std::optional<int64_t> decimalMicros(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative) text.remove_prefix(1);
  int64_t whole = 0, fraction = 0;
  size_t i = 0;
  auto digit = [&] { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  for (; digit(); ++i) whole = whole * 10 + (text[i] - '0');
  if (i == 0) return std::nullopt;
  if (i < text.size() && text[i] == '.') {
    ++i;
    for (int64_t scale = 100000; digit(); ++i, scale /= 10) fraction += (text[i] - '0') * scale;
  }
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n')) ++i;
  if (i != text.size()) return std::nullopt;
  const int64_t micros = whole * 1000000 + fraction;
  return negative ? -micros : micros;
}

// The writer puts the microsecond count down exactly, and it is read back digit by digit: a
// double keeps about 15 digits, so dates far from 2001 would come back microseconds off.
Date readSeconds(od::value& v) {
  const std::string_view token = v.raw_json_token();
  double seconds = v.get_double().value();
  // Far beyond any real date (and beyond what the microsecond count can hold).
  if (!(std::fabs(seconds) < 1e12)) throw std::runtime_error("\"updated\" out of range");
  if (auto micros = decimalMicros(token)) return Dates::referenceDate + std::chrono::microseconds{*micros};
  return Dates::fromSecondsSince2001(seconds);  // an exponent form, which the writer never uses
}

TSPackage readPackage(od::object object) {
  TSPackage p;
  unsigned seen = 0;
  for (od::field f : object) {
    auto found = std::find(keys.begin(), keys.end(), key(f));
    if (found == keys.end()) continue;
    auto k = Key(found - keys.begin());
    od::value& v = f.value();
    switch (k) {
      case kFullName: p.fullName = text(v); break;
      case kOwner: p.owner = text(v); break;
      case kName: p.name = text(v); break;
      case kPageURL: p.pageURL = text(v); break;
      case kUpdated: p.updated = readSeconds(v); break;
      case kRating: p.rating = v.get_int64().value(); break;
      case kDeprecated: p.deprecated = v.get_bool().value(); break;
      case kNsfw: p.nsfw = v.get_bool().value(); break;
      case kCategories: p.categories = texts(v); break;
      case kDescription: p.description = text(v); break;
      case kIcon: p.icon = text(v); break;
      case kLatest: p.latest = text(v); break;
      case kDownloads: p.downloads = v.get_int64().value(); break;
      case kVersions: p.versions = texts(v); break;
      case kDependencies: p.dependencies = texts(v); break;
      case kKeyCount: break;
    }
    seen |= 1u << k;
  }
  for (unsigned k = 0; k < kKeyCount; ++k)
    if (!(seen & (1u << k))) missing(keys[k]);
  return p;
}
}  // namespace

std::string encodeCache(const std::vector<TSPackage>& packages) {
  std::string out;
  out.reserve(packages.size() * 1024);
  out += '[';
  for (size_t i = 0; i < packages.size(); ++i) {
    out += i ? ",{" : "{";
    appendPackage(out, packages[i]);
    out += '}';
  }
  out += ']';
  return out;
}

std::vector<TSPackage> decodeCache(std::string_view json) {
  std::vector<TSPackage> packages;
  forEachObject(padded(json), "index cache",
                [&](od::object object) { packages.push_back(readPackage(object)); });
  return packages;
}

std::string encodeIds(const std::vector<TSPackage>& packages) {
  std::string out;
  for (const auto& p : packages) {
    if (p.uuid.empty() && p.size <= 0) continue;
    out.append(p.fullName).append(1, ' ').append(p.uuid.empty() ? "-" : p.uuid);
    if (p.size > 0) out.append(1, ' ').append(std::to_string(p.size));
    out.append(1, '\n');
  }
  return out;
}

void applyIds(std::vector<TSPackage>& packages, std::string_view lines) {
  struct Known {
    std::string_view uuid;
    int64_t size = 0;
  };
  std::unordered_map<std::string_view, Known> ids;
  while (!lines.empty()) {
    size_t end = std::min(lines.find('\n'), lines.size());
    std::string_view line = lines.substr(0, end);
    lines.remove_prefix(std::min(end + 1, lines.size()));
    size_t space = line.find(' ');
    if (space == std::string_view::npos || space == 0 || space + 1 >= line.size()) continue;
    Known known{line.substr(space + 1)};
    if (size_t more = known.uuid.find(' '); more != std::string_view::npos) {
      std::string_view digits = known.uuid.substr(more + 1);
      known.uuid = known.uuid.substr(0, more);
      auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), known.size);
      if (ec != std::errc() || ptr != digits.data() + digits.size() || known.size < 0) known.size = 0;
    }
    if (known.uuid == "-") known.uuid = {};
    ids.emplace(line.substr(0, space), known);
  }
  for (auto& p : packages) {
    if (auto it = ids.find(p.fullName); it != ids.end()) {
      p.uuid = it->second.uuid;
      p.size = it->second.size;
    }
  }
}
}  // namespace Thunderstore
