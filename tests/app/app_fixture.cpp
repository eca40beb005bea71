#include "app_fixture.hpp"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

#include "app/background.hpp"
#include "app/translations.hpp"
#include "foundation/fs.hpp"
#include "foundation/paths.hpp"
#include "installer/installer.hpp"
#include "profiles/profile_store.hpp"
#include "testkit/fake_game.hpp"
#include "testkit/zip_builder.hpp"

namespace {
std::string jsonList(const Strings& items, const char* quote = "") {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + (quote + items[i] + quote);
  return out + "]";
}
// The application the app tests run in, made by the first fixture (window tests make a QGuiApplication
// first, and own it) and deleted after the last test, while everything it needs is still there.
class ConsoleApplication : public testing::Environment {
 public:
  static void ensure() {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>("app_tests"), nullptr};
    if (!QCoreApplication::instance()) application = std::make_unique<QCoreApplication>(argc, argv);
    installTranslations();
  }
  void TearDown() override {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    application.reset();
  }

 private:
  static inline std::unique_ptr<QCoreApplication> application;
};
const auto* const consoleApplication = testing::AddGlobalTestEnvironment(new ConsoleApplication);
}  // namespace

Prelude::Prelude() {
  ConsoleApplication::ensure();
  fs::create_directories(TestHome::path() / "tmp");  // work folders land here, where tests see them
  setenv("TMPDIR", (TestHome::path() / "tmp").c_str(), 1);
}

AppTest::AppTest() {
  tools.answerFor("pgrep", "-f", 1);  // the game is not running
  tools.answerFor("pgrep", "-x", 0);  // Steam is
  tools.answer("sysctl", 0, "0\n");  // an Intel Mac
  Installer::setSleeper([](std::chrono::milliseconds) {});
  game = Paths::defaultGameDir();
  FakeGame::make(game);
  FakeGame::addLoader(game);
  catalogue.addPackage("denikson", "BepInExPack_Valheim", "5.4.2202", zipBytes(FakeGame::packArchive()));
  catalogue.setLatest("denikson", "BepInExPack_Valheim", "5.4.2202");
  packages_.push_back(R"({"name": "BepInExPack_Valheim", "full_name": "denikson-BepInExPack_Valheim",
      "owner": "denikson", "versions": [{"version_number": "5.4.2202"}]})");
  publish("A", "1.0.0", {"Team-B-1.0.0"});
  publish("B", "1.0.0", {"Team-C-2.0.0", "denikson-BepInExPack_Valheim-5.4.2202"});
  publish("C", "1.0.0");

  state = std::make_unique<AppState>();
  QObject::connect(state->activity(), &Activity::busyChanged,
                   [this] { busyTexts.push_back(state->activity()->busy().toStdString()); });
  QObject::connect(state.get(), &AppState::startFinished, [this] { startFinished = true; });
}

AppTest::~AppTest() {
  settle();
  state.reset();
  // A worker the state left running (a game poll) must not reach into the next test's fakes.
  waitForBackgroundJobs();
}

void AppTest::publish(const std::string& name, const std::string& version, const Strings& needs,
                      int64_t size) {
  const std::string deps = R"(", "dependencies": )" + jsonList(needs, "\"") +
                           (size > 0 ? R"(, "file_size": )" + std::to_string(size) : std::string()) + "}";
  catalogue.addPackage(
      "Team", name, version,
      zipBytes({{"manifest.json", R"({"name": ")" + name + R"(", "version_number": ")" + version + deps},
                {name + ".dll", "dll"}}));
  catalogue.setLatest("Team", name, version);
  std::erase_if(packages_,
                [&](const std::string& p) { return p.find("\"Team-" + name + "\"") != std::string::npos; });
  packages_.push_back(R"({"name": ")" + name + R"(", "full_name": "Team-)" + name + R"(", "uuid4": "uuid-)" +
                      name + R"(", "owner": "Team", "versions": [{"version_number": ")" + version + deps +
                      "]}");
  serveList(jsonList(packages_));
}

void AppTest::serveList(const std::string& list) {
  catalogue.setPackageList(list);
  if (startFinished) reloadIndex();
}

void AppTest::reloadIndex() {
  state->catalogue()->loadIndex(true);
  ASSERT_TRUE(waitUntil([this] { return !state->catalogue()->loading(); }));
}

void AppTest::start() {
  state->start();
  ASSERT_TRUE(waitUntil([this] { return startFinished && !state->catalogue()->loading(); }));
}

bool AppTest::waitUntil(const std::function<bool()>& done) {
  // A failsafe only: every wait ends by itself long before it, as events arrive.
  bool expired = false;
  QTimer failsafe;
  QObject::connect(&failsafe, &QTimer::timeout, [&] { expired = true; });
  failsafe.start(60000);
  while (!done() && !expired) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return done();
}

void AppTest::settle() {
  ASSERT_TRUE(waitUntil([this] { return state->activity()->busy().isEmpty() && !state->book()->saving(); }));
}

void AppTest::run(const std::function<void()>& operation) {
  operation();
  settle();
}

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

void AppTest::updateA() {
  if (std::none_of(selected().mods.begin(), selected().mods.end(),
                   [](const auto& m) { return m.name == "A"; }))
    run([&] { state->modController()->add(pkg("A")); });
  publish("A", "1.1.0", {"Team-B-1.0.0"});
  run([&] { state->modController()->update(mod("A")); });
  ASSERT_EQ(mod("A").installed, "1.1.0");
}

Strings AppTest::modKeys() const {
  Strings keys;
  for (const ProfileMod& m : selected().mods) keys.push_back(m.id());
  return keys;
}

std::vector<History::SnapshotInfo> AppTest::snapshots() const {
  auto rows = History::list(selected().dir());
  std::erase_if(rows, [](const auto& row) { return row.id.empty(); });
  return rows;
}

void AppTest::gameRuns(bool running) {
  tools.answerFor("pgrep", "-f", running ? 0 : 1);
  state->game()->poll();
  ASSERT_TRUE(waitUntil([&] { return state->game()->running() == running; }));
}

bool AppTest::logHas(const std::string& text) const {
  return FS::readFile(Paths::logFile()).find(text) != std::string::npos;
}
