#include "app/launch_check.hpp"

#include <QFileSystemWatcher>
#include <QTimer>

#include <algorithm>
#include <tuple>

#include "app/app_state.hpp"
#include "app/background.hpp"
#include "app/describe.hpp"
#include "app/launch_words.hpp"
#include "diagnostics/mod_clues.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"

using Diagnostics::LaunchReport;
using Diagnostics::LogProblem;
using namespace std::chrono_literals;

namespace {
// The catalogue package a plug-in GUID most likely is: its last part names the package
// ("com.jotunn.jotunn" → Jotunn), and another part its owner when two packages share that name.
const TSPackage* packageForGuid(const std::string& guid, const std::vector<TSPackage>& index) {
  std::vector<std::string> parts;
  for (size_t from = 0; from <= guid.size();) {
    const size_t dot = std::min(guid.find('.', from), guid.size());
    parts.push_back(Diagnostics::normalName(std::string_view(guid).substr(from, dot - from)));
    from = dot + 1;
  }
  std::vector<const TSPackage*> named;
  for (const TSPackage& pkg : index)
    if (Diagnostics::normalName(pkg.name) == parts.back()) named.push_back(&pkg);
  if (named.size() == 1) return named.front();
  const TSPackage* byOwner = nullptr;
  for (const TSPackage* pkg : named) {
    if (std::find(parts.begin(), parts.end() - 1, Diagnostics::normalName(pkg->owner)) == parts.end() - 1)
      continue;
    if (byOwner) return nullptr;  // two fit: no guessing
    byOwner = pkg;
  }
  return byOwner;
}
}  // namespace

LaunchCheck::LaunchCheck(AppState* app)
    : QObject(app), app_(app), watcher_(new QFileSystemWatcher(this)), patience_(new QTimer(this)) {
  patience_->setSingleShot(true);
  patience_->setInterval(60s);
  connect(patience_, &QTimer::timeout, this, [this] {
    waited_ = true;
    checkLoader();
  });
  connect(app_->game(), &GameState::runningChanged, this, [this] {
    checkLoader();
    // The game has quit: the log is whole, its last line too.
    if (!app_->game()->running() && follower_) {
      ended_ = true;
      read();
    }
  });
  // The loader recreates the file: the folder tells when it is back.
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &LaunchCheck::read);
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, &LaunchCheck::read);
  // The actions depend on the profile's mods, the catalogue and which profile is selected.
  for (auto changed : {&AppState::profilesChanged, &AppState::selectedIDChanged})
    connect(app_, changed, this, &LaunchCheck::refreshProblems);
  connect(app_->catalogue(), &CatalogueState::indexChanged, this, &LaunchCheck::refreshProblems);
}

LaunchCheck::~LaunchCheck() = default;

void LaunchCheck::setPatience(std::chrono::milliseconds patience) { patience_->setInterval(patience); }

void LaunchCheck::follow(const Profile& profile, std::filesystem::path log, LogFollower::Stamp before) {
  if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
  if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
  follower_ = std::make_shared<LogFollower>(std::move(log), before, profile);
  profileID_ = profile.id;
  const bool had = report_.has_value();
  const QString summaryBefore = summary();
  report_.reset();
  waited_ = ended_ = false;
  setNoLoader(false);
  setShown(false);
  if (had) {
    emit reportChanged();
    refreshProblems();
    if (!summaryBefore.isEmpty()) emit summaryChanged(summaryBefore);
  }
  watcher_->addPath(qpath(follower_->file().parent_path()));
  patience_->start();
  read();  // the loader may have begun already
}

void LaunchCheck::watch() {
  const QString file = qpath(follower_->file());
  if (!watcher_->files().contains(file) && FS::exists(follower_->file())) watcher_->addPath(file);
}

// One read at a time: a change while one runs asks for another after it.
void LaunchCheck::read() {
  if (!follower_) return;
  watch();
  if (reading_) {
    again_ = true;
    return;
  }
  readTask(follower_);
}

QCoro::Task<> LaunchCheck::readTask(std::shared_ptr<LogFollower> follower) {
  reading_ = true;
  try {
    do {
      again_ = false;
      auto job = background(this, [follower, ended = ended_] { return follower->read(ended); });
      auto report = co_await job;
      if (follower != follower_) break;  // a newer launch follows another file
      if (report) setReport(std::move(*report));
    } while (again_);
  } catch (const Abandoned&) {
    co_return;
  } catch (...) {
    const QString failure = describe(std::current_exception());
    Log::write("launch log: " + ss(failure));
    app_->activity()->setErrorMessage(failure);
  }
  reading_ = false;
  if (again_ && follower_ != follower) read();
}

void LaunchCheck::setReport(LaunchReport report) {
  if (report_ == report) return;
  const QString before = summary();
  report_ = std::move(report);
  setNoLoader(false);
  emit reportChanged();
  refreshProblems();
  if (summary() != before) emit summaryChanged(before);
}

void LaunchCheck::checkLoader() {
  if (waited_ && follower_ && !report_ && app_->game()->running()) setNoLoader(true);
}

void LaunchCheck::setNoLoader(bool on) {
  if (noLoader_ == on) return;
  noLoader_ = on;
  emit noLoaderChanged();
}

void LaunchCheck::dismissNoLoader() { setNoLoader(false); }

void LaunchCheck::setShown(bool on) {
  if (on == shown_ || (on && (!report_ || app_->window()->sheetShown()))) return;
  shown_ = on;
  emit shownChanged();
}

QString LaunchCheck::summary() const { return report_ ? LaunchWords::summary(*report_) : QString(); }
QString LaunchCheck::loader() const { return report_ && report_->loader ? qs(*report_->loader) : QString(); }
int LaunchCheck::loaded() const { return report_ ? LaunchWords::counts(*report_).loaded : 0; }
int LaunchCheck::skipped() const { return report_ ? LaunchWords::counts(*report_).skipped : 0; }
int LaunchCheck::failed() const { return report_ ? LaunchWords::counts(*report_).failed : 0; }

const Profile* LaunchCheck::profile() const { return app_->current(profileID_); }

void LaunchCheck::refreshProblems() {
  QVariantList rows;
  if (report_) {
    const Profile* p = profile();
    // Actions change the selected profile: they are offered only while it is the launched one.
    const bool actionable = p && app_->selectedID() == qs(p->id);
    const ProfileMod* noMod = nullptr;
    auto modOf = [&](const std::optional<std::string>& key) { return key && p ? p->find(*key) : noMod; };
    // Groups in the order their first problem comes; untied problems group by plug-in.
    std::vector<std::pair<std::string, std::vector<const LogProblem*>>> groups;
    for (const LogProblem& problem : report_->problems) {
      const std::string key = problem.mod ? *problem.mod : "\x1f" + problem.plugin.value_or("");
      auto it = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == key; });
      if (it == groups.end()) it = groups.insert(groups.end(), {key, {}});
      it->second.push_back(&problem);
    }
    for (const auto& [key, problems] : groups) {
      const LogProblem& head = *problems.front();
      const ProfileMod* mod = modOf(head.mod);
      const QString title = mod           ? qs(mod->displayName())
                            : head.mod    ? qs(*head.mod)
                            : head.plugin ? qs(*head.plugin)
                                          : QStringLiteral("The loader");
      const QString subtitle = head.mod ? qs(*head.mod) : QStringLiteral("Not tied to a mod");
      bool first = true;
      for (const LogProblem* problem : problems) {
        QStringList needs;
        QString action, label, target;
        for (const auto& missing : problem->missing) {
          if (const ProfileMod* has = modOf(missing.mod)) {
            needs << QStringLiteral("%1, which didn’t load").arg(qs(has->displayName()));
          } else if (const TSPackage* pkg = packageForGuid(missing.guid, app_->catalogue()->index())) {
            const bool held = p && p->find(pkg->fullName);
            needs << (held ? QStringLiteral("%1, which didn’t load")
                           : QStringLiteral("%1, which isn’t in this profile"))
                         .arg(qs(pkg->displayName()));
            if (action.isEmpty() && !held)
              std::tie(action, label, target) =
                  std::tuple(QStringLiteral("add"), QStringLiteral("Add %1").arg(qs(pkg->displayName())),
                             qs(pkg->fullName));
          } else {
            needs << QStringLiteral("the plug-in %1, which no mod here provides").arg(qs(missing.guid));
          }
        }
        if (action.isEmpty() && mod) {
          if (app_->status(*mod, *p) == ModStatus::UpdateAvailable)
            std::tie(action, label) = std::pair(QStringLiteral("update"), QStringLiteral("Update"));
          else if (mod->enabled)
            std::tie(action, label) = std::pair(QStringLiteral("turnOff"), QStringLiteral("Turn Off"));
          target = qs(mod->id());
        }
        if (!actionable) action = label = target = QString();
        rows << QVariantMap{{QStringLiteral("first"), first},
                            {QStringLiteral("title"), title},
                            {QStringLiteral("subtitle"), subtitle},
                            {QStringLiteral("reason"), LaunchWords::reason(*problem, needs)},
                            {QStringLiteral("lines"), LaunchWords::lines(*problem)},
                            {QStringLiteral("excerpt"), qs(problem->excerpt)},
                            {QStringLiteral("action"), action},
                            {QStringLiteral("actionLabel"), label},
                            {QStringLiteral("target"), target}};
        first = false;
      }
    }
  }
  if (rows == problems_) return;
  problems_ = std::move(rows);
  emit problemsChanged();
}

QString LaunchCheck::text() const {
  if (!report_) return {};
  const Profile* p = profile();
  QString out = QStringLiteral("Valheim launch report — BepInEx %1%2\n")
                    .arg(report_->loader ? qs(*report_->loader) : QStringLiteral("(version unknown)"),
                         p ? QStringLiteral(", profile “%1”").arg(qs(p->name)) : QString());
  const QString done = summary();
  out += done.isEmpty() ? QStringLiteral("Start-up has not completed.") : done;
  out +=
      QStringLiteral("\nLoaded %1, skipped %2, not loaded %3.\n").arg(loaded()).arg(skipped()).arg(failed());
  for (const QVariant& row : problems_) {
    const QVariantMap r = row.toMap();
    if (r[QStringLiteral("first")].toBool())
      out += QStringLiteral("\n%1 (%2)\n")
                 .arg(r[QStringLiteral("title")].toString(), r[QStringLiteral("subtitle")].toString());
    out += QStringLiteral("- %1 %2.\n")
               .arg(r[QStringLiteral("reason")].toString(), r[QStringLiteral("lines")].toString());
    for (const QString& line : r[QStringLiteral("excerpt")].toString().split(u'\n', Qt::SkipEmptyParts))
      out += QStringLiteral("    ") + line + u'\n';
  }
  return out;
}

void LaunchCheck::copyReport() { app_->copyText(text()); }

void LaunchCheck::openLogFile() {
  if (follower_) app_->workspace().openFile(follower_->file());
}

void LaunchCheck::showLaunchOutput() { app_->workspace().openFile(Paths::gameLog()); }

void LaunchCheck::act(const QString& action, const QString& key) {
  const Profile* p = profile();
  if (!p || app_->selectedID() != qs(p->id)) return;
  if (action == QStringLiteral("add")) {
    const auto& index = app_->catalogue()->index();
    const auto pkg =
        std::find_if(index.begin(), index.end(), [&](const TSPackage& t) { return t.fullName == ss(key); });
    if (pkg != index.end()) app_->add(PackageItem(*pkg));
    return;
  }
  const ProfileMod* mod = p->find(ss(key));
  if (!mod) return;
  if (action == QStringLiteral("update")) app_->update(ModItem(*mod));
  if (action == QStringLiteral("turnOff")) app_->setEnabled(ModItem(*mod), false);
}
