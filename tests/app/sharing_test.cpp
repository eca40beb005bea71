#include "app_fixture.hpp"
#include "foundation/fs.hpp"

namespace {
using Sharing = AppTest;

// (Codes imported into a new profile are the download tests'.)
TEST_F(Sharing, ACodeImportsOverAnExistingProfile) {
  publish("D", "1.0.0");
  start();
  run([&] { state->modController()->add(pkg("A")); });
  auto config = [&](const std::string& name) { return selected().bepinex() / "config" / name; };
  FS::writeAtomic(config("a.cfg"), "shared");
  run([&] { state->transfer()->shareCode(selected()); });
  const QString code = state->window()->payload().value<SharedCode>().id;
  ASSERT_FALSE(code.isEmpty());

  state->newProfile("Old");
  run([&] { state->modController()->add(pkg("D")); });
  FS::writeAtomic(config("a.cfg"), "old");
  FS::writeAtomic(config("own.cfg"), "mine");
  const std::string id = selected().id;
  run([&] { state->transfer()->importCodeReplacing(code, QString::fromStdString(id)); });
  EXPECT_EQ(state->activity()->note(), "Replaced “Old” with 1 mod and 2 dependencies from the code.");
  EXPECT_EQ(selected().id, id);
  EXPECT_EQ(modKeys(), (Strings{"Team-A", "Team-B", "Team-C"}));
  EXPECT_TRUE(mod("A").isExplicit && !mod("B").isExplicit);
  EXPECT_FALSE(fs::exists(selected().bepinex() / "plugins/Team-D"));
  EXPECT_EQ(FS::readFile(config("a.cfg")), "shared");
  EXPECT_EQ(FS::readFile(config("own.cfg")), "mine");  // configs the code lacks stay
  EXPECT_TRUE(noWorkFolderLeft());
}
}  // namespace
