#include "app_fixture.hpp"
#include "foundation/fs.hpp"

namespace {
class Sharing : public AppTest {
 protected:
  void SetUp() override {
    publish("A", "1.0.0", {"Team-B-1.0.0"});
    publish("B", "1.0.0");
    publish("C", "1.0.0");
    start();
    state->add(pkg("A"));
    settle();
    FS::writeAtomic(selected().bepinex() / "config/a.cfg", "shared");
  }
  // Shares the selected profile and answers its code.
  std::string share() {
    state->shareCode(selected());
    settle();
    return state->sharedCodeValue().value_or(SharedCode{}).id.toStdString();
  }
  std::string config(const std::string& name) const { return FS::readFile(selected().bepinex() / "config" / name); }
};

TEST_F(Sharing, EachShareMakesAFreshCode) {
  const std::string first = share();
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(state->sharedCodeValue()->profileName, "Default");
  EXPECT_NE(share(), first);
  EXPECT_TRUE(state->note().isEmpty());
  EXPECT_TRUE(noWorkFolderLeft());

  state->setSharedCode({});
  Profile gone = selected();
  gone.id = "GONE";
  state->shareCode(gone);  // deleted meanwhile: nothing to share, nothing to say
  settle();
  EXPECT_FALSE(state->sharedCodeValue().has_value());
  EXPECT_TRUE(state->errorMessage().isEmpty());
}

TEST_F(Sharing, ACodeImportsIntoANewProfileUnderAFreeName) {
  const std::string code = share();
  state->importCodeAsNew(QString::fromStdString(code), "  ");
  settle();

  EXPECT_EQ(state->note(), "Imported “Default 2” with 1 mod and 1 dependency.");
  EXPECT_EQ(selected().name, "Default 2");
  EXPECT_EQ(state->tab(), DetailTab::installed);
  EXPECT_TRUE(mod("A").isExplicit);
  EXPECT_FALSE(mod("B").isExplicit);
  EXPECT_EQ(mod("B").installed, "1.0.0");
  EXPECT_EQ(selected().packInstalled, "5.4.2202");
  EXPECT_EQ(config("a.cfg"), "shared");
  EXPECT_TRUE(savedAs(selected()));
  EXPECT_TRUE(noWorkFolderLeft());
}

TEST_F(Sharing, ACodeReplacesTheModsOfAnExistingProfile) {
  const std::string code = share();
  state->newProfile("Old");
  state->add(pkg("C"));
  settle();
  FS::writeAtomic(selected().bepinex() / "config/a.cfg", "old");
  FS::writeAtomic(selected().bepinex() / "config/own.cfg", "mine");
  const std::string id = selected().id;

  state->importCodeReplacing(QString::fromStdString(code), QString::fromStdString(id));
  settle();
  EXPECT_EQ(state->note(), "Replaced “Old” with 1 mod and 1 dependency from the code.");
  EXPECT_EQ(selected().id, id);
  ASSERT_EQ(selected().mods.size(), 2u);
  EXPECT_FALSE(fs::exists(selected().bepinex() / "plugins/Team-C"));
  EXPECT_EQ(config("a.cfg"), "shared");
  EXPECT_EQ(config("own.cfg"), "mine");
  EXPECT_TRUE(logHas("replacing mods in profile 'Old' with code " + code));
  EXPECT_TRUE(noWorkFolderLeft());

  state->importCodeReplacing(QString::fromStdString(code), "GONE");
  settle();
  EXPECT_EQ(state->errorMessage(), "That profile no longer exists.");
  EXPECT_TRUE(noWorkFolderLeft());
}
}  // namespace
