// The import sheet's rules: the problem text, when the import can go ahead, and the confirmation
// before a profile is replaced.
#include <QSignalSpy>

#include "app_fixture.hpp"
#include "catalogue/thunderstore.hpp"
#include "profiles/profile_store.hpp"
#include "ui/import_form.hpp"

namespace {
class ImportFormTest : public StartedApp {
 protected:
  void SetUp() override {
    StartedApp::SetUp();
    form.setApp(state.get());
  }
  ImportForm form;
};

TEST_F(ImportFormTest, NewProfileNeedsACodeAFreeNameAndNoChangeRunning) {
  EXPECT_EQ(form.replaceID(), state->selectedID());  // the replace target starts at the selection
  form.setName("Friends");
  EXPECT_FALSE(form.canImport());  // no code: disabled, and no problem shown whatever the name
  EXPECT_EQ(form.problem(), "");

  form.setCode(" \n\t");
  EXPECT_FALSE(form.canImport());
  form.setCode("abc-123");
  EXPECT_TRUE(form.canImport());

  form.setName("  \t");  // blank: disabled without a problem
  EXPECT_FALSE(form.canImport());
  EXPECT_EQ(form.problem(), "");

  form.setName(" dEFAULT ");  // taken in another letter case
  EXPECT_EQ(form.problem(), "You already have a profile called “dEFAULT”.");
  EXPECT_FALSE(form.canImport());

  // While another change runs the import waits, and the sheet hears of it.
  form.setName("Friends");
  ASSERT_TRUE(form.canImport());
  QSignalSpy changed(&form, &ImportForm::changed);
  state->modController()->add(pkg("A"));  // runs in the background
  EXPECT_FALSE(form.canImport());
  EXPECT_GE(changed.count(), 1);
  settle();
  EXPECT_TRUE(form.canImport());
}

TEST_F(ImportFormTest, ReplacingAsksFirstCountsTheTargetsModsAndNeedsATarget) {
  run([&] { state->modController()->add(pkg("A")); });  // A with B and C
  form.setCode("abc-123");
  form.setMode(ImportForm::Replace);
  ASSERT_TRUE(form.canImport());
  EXPECT_EQ(form.confirmTitle(), "Replace “Default”?");
  EXPECT_EQ(form.confirmMessage(),
            "Its 3 installed mods will be removed and replaced with the mods from this code. This can’t be "
            "undone.");

  QSignalSpy confirm(&form, &ImportForm::confirmationNeeded), started(&form, &ImportForm::started);
  form.submit();
  EXPECT_EQ(confirm.count(), 1);
  EXPECT_EQ(started.count(), 0);
  EXPECT_TRUE(state->activity()->busy().isEmpty());  // nothing imported before the confirmation

  form.setReplaceID("gone");
  EXPECT_EQ(form.problem(), "Choose the profile to replace.");
  EXPECT_FALSE(form.canImport());

  // Without profiles there is nothing to replace.
  AppState unstarted;
  ImportForm empty;
  empty.setApp(&unstarted);
  empty.setCode("abc-123");
  empty.setMode(ImportForm::Replace);
  EXPECT_EQ(empty.replaceID(), "");
  EXPECT_EQ(empty.problem(), "Choose the profile to replace.");
  EXPECT_FALSE(empty.canImport());
}

TEST_F(ImportFormTest, TheNewProfileTakesTheTrimmedNameAndABadCodeIsReportedNotThrown) {
  form.setCode(QString::fromStdString(
      catalogue.addProfileCode(Thunderstore::encodeProfileCodeBody(ProfileStore::exportZip(selected())))));
  form.setName("  Friends\t");
  QSignalSpy started(&form, &ImportForm::started);
  form.submit();
  EXPECT_EQ(started.count(), 1);
  settle();
  EXPECT_EQ(state->activity()->errorMessage(), "");
  EXPECT_EQ(selected().name, "Friends");

  form.setCode("not-a-code");
  form.setName("Others");
  form.submit();
  settle();
  EXPECT_FALSE(state->activity()->errorMessage().isEmpty());
  EXPECT_EQ(state->profiles().size(), 2u);  // no profile made for a code that is not one
}
TEST_F(ImportFormTest, AFileTakesThePlaceOfTheCodeAndIsWhatTheImportReads) {
  form.setName("Friends");
  form.setFile(QUrl::fromLocalFile(QString::fromStdString((TestHome::path() / "friend.r2z").string())));
  EXPECT_EQ(form.fileName(), "friend.r2z");
  EXPECT_TRUE(form.canImport());
  form.setMode(ImportForm::Replace);
  EXPECT_EQ(form.confirmMessage(),
            "Its 0 installed mods will be removed and replaced with the mods from this file. This can’t be "
            "undone.");
  form.setMode(ImportForm::NewProfile);
  form.submit();
  settle();
  EXPECT_TRUE(state->activity()->errorMessage().contains("friend.r2z"))
      << state->activity()->errorMessage().toStdString();
}
}  // namespace
