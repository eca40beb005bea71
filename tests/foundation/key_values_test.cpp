// Steam's KeyValues text in the shapes its files take, whole and cut short.
#include <gtest/gtest.h>

#include "foundation/key_values.hpp"

namespace {
// "key=value" and "key{...}", space-separated: a tree at a glance.
std::string outline(const KeyValue& block) {
  std::string out;
  for (const KeyValue& e : block.entries) {
    if (!out.empty()) out += ' ';
    out += e.isBlock ? e.key + "{" + outline(e) + "}" : e.key + "=" + e.value;
  }
  return out;
}
}  // namespace

TEST(KeyValues, ReadsEveryShapeSteamWritesAndWhatACutLeaves) {
  struct Row {
    const char* what;
    std::string text;
    const char* outline;
  };
  const Row rows[] = {
      {"tabs and nested blocks",
       "\"AppState\"\n{\n\t\"appid\"\t\t\"892970\"\n\t\"UserConfig\"\n\t{"
       "\n\t\t\"language\"\t\t\"english\"\n\t}\n}\n",
       "AppState{appid=892970 UserConfig{language=english}}"},
      {"byte-order mark and CRLF", "\xEF\xBB\xBF\"AppState\"\r\n{\r\n\t\"buildid\"\t\t\"42\"\r\n}\r\n",
       "AppState{buildid=42}"},
      {"bare tokens", "AppState { appid 892970 name Valheim }", "AppState{appid=892970 name=Valheim}"},
      {"braces against tokens", "a{b \"1\"}c\"2\"", "a{b=1} c=2"},
      {"escapes", R"("path" "C:\\Steam\\steamapps" "quote" "say \"hi\"" "lines" "a\nb\tc" "other" "\d")",
       "path=C:\\Steam\\steamapps quote=say \"hi\" lines=a\nb\tc other=\\d"},
      {"a quoted value over several lines", "\"a\" \"one\ntwo\"", "a=one\ntwo"},
      {"comments",
       "// written by Steam\n\"a\" \"1\" // trailing\n\"b\" // between\n \"2\" \"c\" \"http://x\"",
       "a=1 b=2 c=http://x"},
      {"conditions", "\"a\" \"1\" [$WIN32]\n\"b\" [$OSX] \"2\"\n\"c\" \"3\" [!$X360||$PS3]", "a=1 b=2 c=3"},
      {"empty keys and values", "\"\" \"\" \"k\" \"\"", "= k="},
      {"cut inside a quoted key", "\"AppState\"\n{\n\t\"buildid\"\t\t\"123\"\n\t\"Installed",
       "AppState{buildid=123}"},
      {"cut inside a value", "\"AppState\" { \"buildid\" \"123", "AppState{}"},
      {"cut after a key", "\"a\" \"1\" \"b\"", "a=1"},
      {"blocks left open", "a { b { c 1 ", "a{b{c=1}}"},
      {"stray braces and a key without a value", "} \"a\" \"1\" \"b\" } \"c\" \"2\" {x 1} d 4",
       "a=1 c=2 {x=1} d=4"},
      {"nothing", " \n\t// only a comment", ""},
  };
  for (const Row& row : rows) EXPECT_EQ(outline(KeyValues::parse(row.text)), row.outline) << row.what;
}

TEST(KeyValues, KeysMatchWithoutCaseAndTheFirstOneWins) {
  const KeyValue root = KeyValues::parse(R"("Key" { } "KEY" "v" "key" "w")");
  ASSERT_NE(root.find("kEy"), nullptr);
  EXPECT_TRUE(root.find("kEy")->isBlock);
  EXPECT_EQ(root.text("key"), "v");  // text() passes over blocks
  EXPECT_EQ(root.find("none"), nullptr);
  EXPECT_EQ(root.text("none"), std::nullopt);
}

TEST(KeyValues, BlocksNestedTooDeepAreLeftOutAndTheRestIsRead) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "a {";
  text += "k v";
  for (int i = 0; i < 1000; ++i) text += "}";
  text += " after 1";
  const KeyValue root = KeyValues::parse(text);
  int depth = 0;
  for (const KeyValue* block = &root; block->find("a"); block = block->find("a")) ++depth;
  EXPECT_EQ(depth, KeyValues::maxDepth);
  EXPECT_EQ(root.text("after"), "1");
}
