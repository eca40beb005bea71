#include "app_fixture.hpp"
#include "foundation/fs.hpp"

namespace {
using Sharing = AppTest;

TEST_F(Sharing, ACodeImportsIntoANewProfileAndOverAnExistingOne) {
  publish("D", "1.0.0");
  start();
  run([&] { state->modController()->add(pkg("A")); });
  auto config = [&](const std::string& name) { return selected().bepinex() / "config" / name; };
  FS::writeAtomic(config("a.cfg"), "shared");
  run([&] { state->transfer()->shareCode(selected()); });
  const QString code = state->window()->payload().value<SharedCode>().id;
  ASSERT_FALSE(code.isEmpty());
  EXPECT_TRUE(noWorkFolderLeft());

  run([&] { state->transfer()->importCodeAsNew(code, "  "); });
  EXPECT_EQ(state->activity()->note(), "Imported “Default 2” with 1 mod and 2 dependencies.");
  EXPECT_EQ(selected().name, "Default 2");
  EXPECT_EQ(modKeys(), (Strings{"Team-A", "Team-B", "Team-C"}));
  EXPECT_TRUE(mod("A").isExplicit && !mod("B").isExplicit);
  EXPECT_EQ(mod("C").installed, "1.0.0");
  EXPECT_EQ(selected().packInstalled, "5.4.2202");
  EXPECT_EQ(FS::readFile(config("a.cfg")), "shared");
  EXPECT_TRUE(savedAs(selected()));
  EXPECT_TRUE(noWorkFolderLeft());

  state->newProfile("Old");
  run([&] { state->modController()->add(pkg("D")); });
  FS::writeAtomic(config("a.cfg"), "old");
  FS::writeAtomic(config("own.cfg"), "mine");
  const std::string id = selected().id;
  run([&] { state->transfer()->importCodeReplacing(code, QString::fromStdString(id)); });
  EXPECT_EQ(state->activity()->note(), "Replaced “Old” with 1 mod and 2 dependencies from the code.");
  EXPECT_EQ(selected().id, id);
  EXPECT_EQ(modKeys(), (Strings{"Team-A", "Team-B", "Team-C"}));
  EXPECT_FALSE(fs::exists(selected().bepinex() / "plugins/Team-D"));
  EXPECT_EQ(FS::readFile(config("a.cfg")), "shared");
  EXPECT_EQ(FS::readFile(config("own.cfg")), "mine");  // configs the code lacks stay
  EXPECT_TRUE(noWorkFolderLeft());
}
}  // namespace
