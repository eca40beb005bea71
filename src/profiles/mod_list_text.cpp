#include "profiles/mod_list_text.hpp"

#include <vector>

#include "foundation/words.hpp"

namespace ModListText {
namespace {
std::string marks(const ProfileMod& mod, const HeldVersions& holds) {
  std::vector<std::string> said;
  if (!mod.enabled) said.push_back(Words::translate("ModList", "off"));
  if (holds.count(mod.id())) said.push_back(Words::translate("ModList", "held"));
  std::string text;
  for (const std::string& mark : said) text += (text.empty() ? "" : ", ") + mark;
  return text;
}

// A table cell: a pipe would end it and a line break would end the row.
std::string cell(std::string text) {
  std::string escaped;
  for (char c : text) {
    if (c == '|') escaped += '\\';
    escaped += c == '\n' || c == '\r' ? ' ' : c;
  }
  return escaped;
}

// The player's own mods first, then the dependencies, each in list order.
std::vector<const ProfileMod*> listed(const Profile& profile) {
  std::vector<const ProfileMod*> mods;
  for (bool own : {true, false})
    for (const ProfileMod& m : profile.mods)
      if (m.isExplicit == own) mods.push_back(&m);
  return mods;
}
}  // namespace

std::string of(const Profile& profile, const HeldVersions& holds, Format format) {
  std::string text;
  if (format == Format::Markdown)
    text = "| " + Words::translate("ModList", "Mod") + " | " + Words::translate("ModList", "Version") +
           " | " + Words::translate("ModList", "Author") + " | " + Words::translate("ModList", "Notes") +
           " |\n| --- | --- | --- | --- |\n";
  for (const ProfileMod* mod : listed(profile)) {
    const std::string version = mod->installed.value_or(mod->version);
    const std::string noted = marks(*mod, holds);
    if (format == Format::Markdown) {
      text += "| " + cell(mod->displayName()) + " | " + cell(version) + " | " + cell(mod->ns) + " | " +
              cell(noted) + " |\n";
    } else {
      text += Words::fill(Words::translate("ModList", "%1 %2 by %3"), {mod->displayName(), version, mod->ns});
      text += noted.empty() ? "\n" : " (" + noted + ")\n";
    }
  }
  return text;
}
}  // namespace ModListText
