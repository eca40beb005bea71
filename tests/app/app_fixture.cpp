#include "app_fixture.hpp"

#include <QCoreApplication>
#include <QTimer>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "foundation/paths.hpp"
#include "installer/installer.hpp"
#include "profiles/profile_store.hpp"
#include "support/fake_game.hpp"
#include "support/zip_builder.hpp"

namespace {
// The one application object of the test process; it lives until the process ends.
void ensureApplication() {
  static int argc = 1;
  static char name[] = "app_tests";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

std::string jsonList(const std::vector<std::string>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
  return out + "]";
}

std::string quotedList(const std::vector<std::string>& texts) {
  std::vector<std::string> quoted;
  for (const auto& t : texts) quoted.push_back("\"" + t + "\"");
  return jsonList(quoted);
}
}  // namespace

FreshHome::FreshHome() {
  TestHome::clear();
  ensureApplication();
  const fs::path tmp = TestHome::path() / "tmp";  // work folders land here, where tests see them
  fs::create_directories(tmp);
  setenv("TMPDIR", tmp.c_str(), 1);
}

AppTest::AppTest() {
  tools.answerFor("pgrep", "-f", 1);  // the game is not running
  tools.answerFor("pgrep", "-x", 0);  // Steam is
  tools.answer("sysctl", 0, "0\n");    // an Intel Mac
  Installer::setSleeper([](std::chrono::milliseconds) {});
  game = Paths::defaultGameDir();
  FakeGame::make(game);
  FakeGame::addLoader(game);
  catalogue.addPackage("denikson", "BepInExPack_Valheim", "5.4.2202", zipBytes(FakeGame::packArchive()));
  catalogue.setLatest("denikson", "BepInExPack_Valheim", "5.4.2202");
  packages_.push_back(R"({"name": "BepInExPack_Valheim", "full_name": "denikson-BepInExPack_Valheim",
      "owner": "denikson", "versions": [{"version_number": "5.4.2202"}]})");
  servePackageList();

  state = std::make_unique<AppState>();
  state->setWorkspace(workspace);
  QObject::connect(state.get(), &AppState::busyChanged, [this] { busyTexts_.push_back(state->busy().toStdString()); });
  QObject::connect(state.get(), &AppState::startFinished, [this] { startFinished = true; });
}

AppTest::~AppTest() {
  settle();
  state.reset();
  Installer::setSleeper({});
}

void AppTest::publish(const std::string& name, const std::string& version, const std::vector<std::string>& needs) {
  const std::string manifest = R"({"name": ")" + name + R"(", "version_number": ")" + version +
                               R"(", "dependencies": )" + quotedList(needs) + "}";
  catalogue.addPackage("Team", name, version, zipBytes({{"manifest.json", manifest}, {name + ".dll", "dll"}}));
  catalogue.setLatest("Team", name, version);
  std::erase_if(packages_, [&](const std::string& p) { return p.find("\"Team-" + name + "\"") != std::string::npos; });
  packages_.push_back(R"({"name": ")" + name + R"(", "full_name": "Team-)" + name +
                      R"(", "owner": "Team", "versions": [{"version_number": ")" + version +
                      R"(", "dependencies": )" + quotedList(needs) + "}]}");
  servePackageList();
}

void AppTest::servePackageList() { catalogue.setPackageList(jsonList(packages_)); }

void AppTest::start() {
  state->start();
  ASSERT_TRUE(waitUntil([this] { return startFinished && !state->indexLoading(); }));
}

void AppTest::refreshIndex() {
  state->loadIndex(true);
  ASSERT_TRUE(waitUntil([this] { return !state->indexLoading(); }));
}

bool AppTest::waitUntil(const std::function<bool()>& done) {
  // A failsafe only: every wait ends by itself long before it, as events arrive.
  bool expired = false;
  QTimer failsafe;
  failsafe.setSingleShot(true);
  QObject::connect(&failsafe, &QTimer::timeout, [&] { expired = true; });
  failsafe.start(60000);
  while (!done() && !expired) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return done();
}

void AppTest::settle() { ASSERT_TRUE(waitUntil([this] { return state->busy().isEmpty(); })); }

Profile AppTest::onDisk(const std::string& id) {
  for (const Profile& p : ProfileStore::loadAll())
    if (p.id == id) return p;
  return {};
}

bool AppTest::savedAs(const Profile& p) {
  Profile saved = onDisk(p.id);
  saved.created = p.created;
  return saved == p;
}

const ProfileMod& AppTest::mod(const std::string& name) const {
  for (const ProfileMod& m : selected().mods)
    if (m.name == name) return m;
  throw std::runtime_error("no mod " + name);
}

bool AppTest::logHas(const std::string& text) const {
  std::ifstream in(Paths::logFile(), std::ios::binary);
  std::string log{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return log.find(text) != std::string::npos;
}
