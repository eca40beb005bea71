#include "world.hpp"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QQmlEngine>
#include <QQuickWindow>

#include <filesystem>

#include "foundation/paths.hpp"
#include "installer/installer.hpp"
#include "testkit/fake_game.hpp"
#include "testkit/zip_builder.hpp"
#include "ui/main_window.hpp"

namespace fs = std::filesystem;

namespace {
std::string quoted(const std::vector<std::string>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? ",\"" : "\"") + items[i] + "\"";
  return out + "]";
}

std::string joined(const std::vector<std::string>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
  return out + "]";
}
// A made-up package icon: a colour of the name's own on a dark square with a light diamond, as PNG.
std::string iconPng(const std::string& name) {
  QImage image(128, 128, QImage::Format_ARGB32);
  const QColor colour = QColor::fromHsv(int(qHash(QString::fromStdString(name)) % 360), 150, 170);
  image.fill(colour.darker(260));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawEllipse(QRectF(18, 18, 92, 92));
  painter.setBrush(colour.lighter(170));
  painter.drawPolygon(QPolygonF({{64, 34}, {94, 64}, {64, 94}, {34, 64}}));
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}
}  // namespace

World::World(bool withGame) {
  for (const auto& entry : fs::directory_iterator(Paths::home())) fs::remove_all(entry.path());
  catalogue_ = std::make_unique<FakeCatalogue>();
  tools_ = std::make_unique<FakeTools>(Paths::home() / ".tools");
  tools_->answerFor("pgrep", "-f", 1);  // the game is not running
  tools_->answerFor("pgrep", "-x", 0);  // Steam is
  Installer::setSleeper([](std::chrono::milliseconds) {});
  if (withGame) {
    FakeGame::make(Paths::defaultGameDir());
    FakeGame::addLoader(Paths::defaultGameDir());
  }
  catalogue_->addPackage("denikson", "BepInExPack_Valheim", "5.4.2202", zipBytes(FakeGame::packArchive()));
  catalogue_->setLatest("denikson", "BepInExPack_Valheim", "5.4.2202");
  packages_.push_back(R"({"name": "BepInExPack_Valheim", "full_name": "denikson-BepInExPack_Valheim",
      "owner": "denikson", "versions": [{"version_number": "5.4.2202", "icon": ")" +
                      serveIcon("denikson-BepInExPack_Valheim-5.4.2202") + R"("}]})");
  catalogue_->setPackageList(joined(packages_));

  desktop_ = std::make_shared<DesktopWorkspace>();
  state_ = std::make_unique<AppState>();
  state_->setWorkspace(desktop_);
}

World::~World() {
  window_.reset();
  engine_.reset();
  stopCatalogue();
  state_.reset();
}

void World::publish(const Package& p) {
  const std::string full = "Odin-" + p.name;
  const std::string deps = quoted(p.needs);
  catalogue_->addPackage("Odin", p.name, p.version,
                         zipBytes({{"manifest.json", R"({"name": ")" + p.name + R"(", "version_number": ")" +
                                                         p.version + R"(", "dependencies": )" + deps + "}"},
                                   {p.name + ".dll", "dll"}}));
  catalogue_->setLatest("Odin", p.name, p.version);
  std::erase_if(packages_,
                [&](const std::string& e) { return e.find("\"" + full + "\"") != std::string::npos; });
  packages_.push_back(R"({"name": ")" + p.name + R"(", "full_name": ")" + full + R"(", "owner": "Odin",
      "is_deprecated": )" +
                      (p.deprecated ? "true" : "false") + R"(, "rating_score": 42,
      "date_updated": ")" +
                      p.updated + R"(", "categories": ["Tweaks"],
      "versions": [{"version_number": ")" +
                      p.version + R"(", "dependencies": )" + deps +
                      (p.size > 0 ? R"(, "file_size": )" + std::to_string(p.size) : std::string()) +
                      R"(, "downloads": 125000, "icon": ")" + serveIcon(full + "-" + p.version) +
                      R"(", "description": ")" + p.description + R"("}]})");
  reloadIndex();
}

// Serves a made-up icon where the icon host keeps the version's icon; returns its address.
std::string World::serveIcon(const std::string& fullNameAndVersion) {
  const std::string path = "/live/repository/icons/" + fullNameAndVersion + ".png";
  catalogue_->answer(path, {.body = iconPng(fullNameAndVersion), .contentType = "image/png"});
  return catalogue_->url() + path;
}

void World::reloadIndex() {
  catalogue_->setPackageList(joined(packages_));
  if (state_ && !state_->activity()->busy().isEmpty()) return;
  if (state_ && state_->catalogue()->index().size() > 0) {
    state_->catalogue()->loadIndex(true);
    waitUntil([this] { return !state_->catalogue()->loading(); });
  }
}

void World::publishMany(int count) {
  static const char* const first[] = {"Better", "Quick",  "Epic",   "Simple", "More",  "Smart",
                                      "Dark",   "Tiny",   "Rune",   "Iron",   "Frost", "Ember",
                                      "Troll",  "Bronze", "Silver", "Black"};
  static const char* const second[] = {"Stacks",  "Portals", "Ships",  "Farming", "Building",
                                       "Maps",    "Bows",    "Carts",  "Skills",  "Weather",
                                       "Cooking", "Armor",   "Trader", "Chests"};
  static const char* const categories[] = {"Tweaks",      "Items",     "Building", "Server-side",
                                           "Client-side", "Libraries", "Audio",    "Mods"};
  for (int i = 0; i < count; ++i) {
    const std::string name =
        std::string(first[i % 16]) + "_" + second[(i / 16) % 14] + (i >= 224 ? std::to_string(i) : "");
    const std::string owner = "Maker" + std::to_string(i % 700);
    const std::string version = std::to_string(1 + i % 3) + "." + std::to_string(i % 10) + ".0";
    const long downloads = 5000000L / (1 + i) + (i * 37) % 900;
    packages_.push_back(
        R"({"name": ")" + name + R"(", "full_name": ")" + owner + "-" + name + R"(", "owner": ")" + owner +
        R"(", "is_deprecated": )" + (i % 29 == 5 ? "true" : "false") + R"(, "rating_score": )" +
        std::to_string((i * 13) % 400) + R"(, "date_updated": "2024-0)" + std::to_string(1 + i % 9) +
        R"(-1)" + std::to_string(i % 10) + R"(T10:00:00.000000Z", "categories": [")" + categories[i % 8] +
        R"("],
        "versions": [{"version_number": ")" +
        version + R"(", "downloads": )" + std::to_string(downloads) + R"(, "description": "Makes )" +
        second[(i / 16) % 14] + R"( in Valheim a little better, version )" + version + R"(."}]})");
  }
  reloadIndex();
}

void World::publishPack(const std::string& version) {
  std::erase_if(packages_,
                [](const std::string& e) { return e.find("\"BepInExPack_Valheim\"") != std::string::npos; });
  packages_.push_back(R"({"name": "BepInExPack_Valheim", "full_name": "denikson-BepInExPack_Valheim",
      "owner": "denikson", "versions": [{"version_number": ")" +
                      version + R"("}]})");
  reloadIndex();
}

void World::withdraw(const std::string& fullName) {
  std::erase_if(packages_,
                [&](const std::string& e) { return e.find("\"" + fullName + "\"") != std::string::npos; });
  reloadIndex();
}

void World::start() {
  bool finished = false;
  QObject::connect(state_.get(), &AppState::startFinished, [&finished] { finished = true; });
  state_->start();
  waitUntil([&] { return finished && !state_->catalogue()->loading(); });
}

void World::add(const std::string& name) {
  state_->modController()->add(*state_->catalogue()->package(std::string("Odin"), name));
  waitUntil([this] { return state_->activity()->busy().isEmpty(); });
}

QQuickWindow& World::window() {
  if (!window_) {
    engine_ = std::make_unique<QQmlEngine>();
    MainWindow::prepare(*engine_);
    window_.reset(MainWindow::create(*engine_, *state_, *desktop_));
    if (!window_) qFatal("the window did not load");
    window_->resize(1100, 780);
    window_->show();
    settle();
  }
  return *window_;
}

bool World::waitUntil(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  return done();
}

void World::settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void World::stopCatalogue() {
  if (!catalogue_) return;
  catalogue_.reset();
  waitUntil([this] { return state_->activity()->busy().isEmpty(); });
}
