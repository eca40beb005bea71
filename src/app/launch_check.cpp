#include "app/launch_check.hpp"

#include <QFileSystemWatcher>
#include <QTimer>

#include <algorithm>
#include <tuple>

#include "app/activity.hpp"
#include "app/background.hpp"
#include "app/catalogue_state.hpp"
#include "app/describe.hpp"
#include "app/game_state.hpp"
#include "app/launch_words.hpp"
#include "app/mod_controller.hpp"
#include "app/mod_statuses.hpp"
#include "app/profile_book.hpp"
#include "app/profile_changes.hpp"
#include "app/workspace.hpp"
#include "diagnostics/mod_clues.hpp"
#include "foundation/fs.hpp"
#include "foundation/log.hpp"
#include "foundation/paths.hpp"
#include "history/history.hpp"
#include "installer/installer.hpp"
#include "installer/profile_files.hpp"

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

// The mod whose group a problem shows in: its own, or for the skipped copy of a plug-in installed
// twice that is no mod's, the mod of the copy that loaded.
const std::optional<std::string>& groupMod(const LogProblem& problem) {
  return !problem.mod && problem.kind == Diagnostics::ProblemKind::duplicate ? problem.otherMod : problem.mod;
}

// What names a problem among the report's rows while the report grows: what it folds by.
QString problemKey(const LogProblem& problem) {
  return QStringLiteral("%1\x1f%2\x1f%3")
      .arg(QLatin1String(Diagnostics::name(problem.kind)), qs(problem.plugin.value_or("")),
           qs(problem.message));
}
}  // namespace

LaunchCheck::LaunchCheck(Parts parts, QObject* parent)
    : QObject(parent),
      parts_(std::move(parts)),
      watcher_(new QFileSystemWatcher(this)),
      patience_(new QTimer(this)) {
  patience_->setSingleShot(true);
  patience_->setInterval(60s);
  connect(patience_, &QTimer::timeout, this, [this] {
    waited_ = true;
    checkLoader();
  });
  connect(parts_.game, &GameState::runningChanged, this, [this] {
    checkLoader();
    // The game has quit: the log is whole, its last line too.
    if (!parts_.game->running() && follower_) {
      ended_ = true;
      read();
    }
  });
  // The loader recreates the file: the folder tells when it is back.
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &LaunchCheck::read);
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, &LaunchCheck::read);
  // The actions depend on the profile's mods, the catalogue and which profile is selected.
  for (auto changed : {&ProfileBook::listChanged, &ProfileBook::selectedChanged})
    connect(parts_.book, changed, this, &LaunchCheck::refreshProblems);
  connect(parts_.catalogue, &CatalogueState::indexChanged, this, &LaunchCheck::refreshProblems);
  connect(parts_.activity, &Activity::idleChanged, this, [this] {
    if (!playAfterMending_ || !parts_.activity->idle()) return;
    playAfterMending_ = false;
    parts_.play();
  });
}

LaunchCheck::~LaunchCheck() = default;

void LaunchCheck::setPatience(std::chrono::milliseconds patience) { patience_->setInterval(patience); }

void LaunchCheck::findSnapshots(Baseline& baseline, const Profile& profile) {
  baseline.snapshotBefore.clear();
  if (!baseline.good) return;
  for (const ProfileMod& mod : profile.mods) {
    const auto change = changedSince(*baseline.good, profile, mod.id());
    if (!change) continue;
    try {
      if (auto id = History::lastWith(profile.dir(), mod.id(), change->from))
        baseline.snapshotBefore.emplace(mod.id(), std::move(*id));
    } catch (const std::exception& e) {
      Log::write("launch: no snapshot of " + mod.id() + " " + change->from + ": " + e.what());
    }
  }
}

void LaunchCheck::follow(const Profile& profile, std::filesystem::path log, LogFollower::Stamp before,
                         Baseline baseline) {
  if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
  if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
  follower_ = std::make_shared<LogFollower>(std::move(log), before, profile);
  profileID_ = profile.id;
  launched_ = profile;
  baseline_ = std::move(baseline);
  recorded_ = false;
  lastFix_.clear();
  const bool had = report_.has_value();
  report_.reset();
  waited_ = ended_ = false;
  setNoLoader(false);
  if (had) {
    emit reportChanged();
    refreshProblems();
  }
  announceSummary();
  startingNote_ =
      tr("Valheim is starting with “%1”. Launching from Steam later runs it unmodded.").arg(qs(profile.name));
  parts_.activity->setNote(startingNote_);
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
    parts_.activity->setErrorMessage(failure);
  }
  reading_ = false;
  if (again_ && follower_ != follower) read();
}

void LaunchCheck::setReport(LaunchReport report) {
  if (report_ == report) return;
  report_ = std::move(report);
  setNoLoader(false);
  recordGoodLaunch();
  emit reportChanged();
  refreshProblems();
}

void LaunchCheck::recordGoodLaunch() {
  if (recorded_ || !report_ || !report_->startupComplete || !launched_) return;
  recorded_ = true;
  // Not for a profile deleted since: the record would bring its folder back.
  if (!parts_.book->find(launched_->id)) return;
  recordTask(*launched_, goodLaunchOf(*launched_, baseline_.gameBuild, ::now()));
}

QCoro::Task<> LaunchCheck::recordTask(Profile profile, GoodLaunch record) {
  try {
    auto job = background(this, [profile, record] { ProfileStore::saveGoodLaunch(profile, record); });
    co_await job;
  } catch (const Abandoned&) {
  } catch (const std::exception& e) {
    Log::write("launch: could not record the good launch of '" + profile.name + "': " + e.what());
  }
}

void LaunchCheck::announceSummary() {
  const QString now = summary();
  if (now == summary_) return;
  const QString before = std::exchange(summary_, now);
  emit summaryChanged(before);
}

void LaunchCheck::checkLoader() {
  if (waited_ && follower_ && !report_ && parts_.game->running()) setNoLoader(true);
}

void LaunchCheck::setNoLoader(bool on) {
  if (noLoader_ == on) return;
  noLoader_ = on;
  // The banner says what became of the start; the footer stops saying it is under way.
  if (on && parts_.activity->note() == startingNote_) parts_.activity->setNote({});
  emit noLoaderChanged();
}

void LaunchCheck::dismissNoLoader() { setNoLoader(false); }

QString LaunchCheck::summary() const {
  return report_ ? LaunchWords::summary(*report_, fixedCount_) : QString();
}
bool LaunchCheck::notALoaderLog() const {
  return report_ && report_->verdict == Diagnostics::LogVerdict::notALoaderLog;
}
QString LaunchCheck::loader() const { return report_ && report_->loader ? qs(*report_->loader) : QString(); }
int LaunchCheck::loaded() const { return report_ ? LaunchWords::counts(*report_).loaded : 0; }
int LaunchCheck::skipped() const { return report_ ? LaunchWords::counts(*report_).skipped : 0; }
int LaunchCheck::failed() const { return report_ ? LaunchWords::counts(*report_).failed : 0; }

const Profile* LaunchCheck::profile() const { return parts_.book->find(profileID_); }

bool LaunchCheck::canFix(const Profile* p) const {
  return p && parts_.book->isSelected(p->id) && parts_.changes->canChange(p->id);
}

QString LaunchCheck::outcome(const LogProblem& problem) const {
  const Profile* now = profile();
  if (!now || !launched_) return {};
  if (const ProfileMod* was = problem.mod ? launched_->find(*problem.mod) : nullptr) {
    const ProfileMod* is = now->find(*problem.mod);
    if (!is) return tr("Removed");
    if (was->enabled && !is->enabled) return tr("Turned off");
    if (is->installed && is->installed != was->installed) {
      const auto change =
          baseline_.good ? changedSince(*baseline_.good, *launched_, *problem.mod) : std::nullopt;
      if (change && is->installed == change->from) return tr("Back at %1").arg(qs(change->from));
      return tr("Updated to %1").arg(qs(*is->installed));
    }
  }
  for (const auto& missing : problem.missing) {
    if (const ProfileMod* was = missing.mod ? launched_->find(*missing.mod) : nullptr) {
      if (const ProfileMod* is = now->find(*missing.mod); is && is->enabled && !was->enabled)
        return tr("Turned on %1").arg(qs(is->displayName()));
    } else if (const TSPackage* pkg = packageForGuid(missing.guid, parts_.catalogue->index());
               pkg && !launched_->find(pkg->fullName) && now->find(pkg->fullName)) {
      return tr("Added %1").arg(qs(pkg->displayName()));
    }
  }
  return {};
}

QVariantList LaunchCheck::rows(const std::vector<const LogProblem*>& problems, bool actionable,
                               const Outcomes& outcomes) const {
  const Profile* p = profile();
  std::optional<Installer::ProfileFiles> files;  // read for the first row that asks a mod's status
  const ProfileMod* noMod = nullptr;
  auto modOf = [&](const std::optional<std::string>& key) { return key && p ? p->find(*key) : noMod; };
  // Groups in the order their first problem comes; untied problems group by plug-in.
  std::vector<std::pair<std::string, std::vector<const LogProblem*>>> groups;
  for (const LogProblem* problem : problems) {
    const std::optional<std::string>& tied = groupMod(*problem);
    const std::string key = tied ? *tied : "\x1f" + problem->plugin.value_or("");
    auto it = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == key; });
    if (it == groups.end()) it = groups.insert(groups.end(), {key, {}});
    it->second.push_back(problem);
  }
  QVariantList rows;
  for (const auto& [group, members] : groups) {
    const LogProblem& head = *members.front();
    const std::optional<std::string>& tied = groupMod(head);
    const ProfileMod* groupsMod = modOf(tied);
    const QString title = groupsMod     ? qs(groupsMod->displayName())
                          : tied        ? qs(*tied)
                          : head.plugin ? qs(*head.plugin)
                                        : tr("The loader");
    const QString subtitle = tied ? qs(*tied) : tr("Not tied to a mod");
    // A mod updated since the last launch that worked: the group's first row says so, and its first
    // row without a fix of its own offers the state before that update.
    const auto change = groupsMod && launched_ && baseline_.good
                            ? changedSince(*baseline_.good, *launched_, groupsMod->id())
                            : std::nullopt;
    const auto snapshot =
        change ? baseline_.snapshotBefore.find(groupsMod->id()) : baseline_.snapshotBefore.end();
    bool first = true, backOffered = snapshot == baseline_.snapshotBefore.end();
    for (const LogProblem* problem : members) {
      const ProfileMod* mod = modOf(problem->mod);
      const QString key = problemKey(*problem);
      const auto found = outcomes.find(problem);
      const QString done = found == outcomes.end() ? QString() : found->second;
      QStringList needs;
      QString action, label, target;
      const QString since = first && change
                                ? tr("%1 was updated since the last launch that worked (%2 → %3).")
                                      .arg(qs(groupsMod->displayName()), qs(change->from), qs(change->to))
                                : QString();
      const bool removesCopy =
          problem->kind == Diagnostics::ProblemKind::duplicate && mod && modOf(problem->otherMod);
      if (!backOffered && !removesCopy) {
        backOffered = true;
        std::tie(action, label, target) = std::tuple(
            QStringLiteral("goBack"), tr("Go Back to %1").arg(qs(change->from)), qs(snapshot->second));
      }
      for (const auto& missing : problem->missing) {
        if (const ProfileMod* has = modOf(missing.mod)) {
          needs << tr("%1, which didn’t load").arg(qs(has->displayName()));
        } else if (const TSPackage* pkg = packageForGuid(missing.guid, parts_.catalogue->index())) {
          const bool held = p && p->find(pkg->fullName);
          needs << (held ? tr("%1, which didn’t load") : tr("%1, which isn’t in this profile"))
                       .arg(qs(pkg->displayName()));
          if (action.isEmpty() && !held)
            std::tie(action, label, target) = std::tuple(
                QStringLiteral("add"), tr("Add %1").arg(qs(pkg->displayName())), qs(pkg->fullName));
        } else {
          needs << tr("the plug-in %1, which no mod here provides").arg(qs(missing.guid));
        }
      }
      if (problem->kind == Diagnostics::ProblemKind::duplicate) {
        // The older copy goes, when both copies are known mods.
        if (mod && modOf(problem->otherMod))
          std::tie(action, label, target) = std::tuple(
              QStringLiteral("remove"), tr("Remove %1").arg(qs(mod->displayName())), qs(mod->id()));
      } else if (action == QStringLiteral("goBack")) {
        // Going back to what worked comes before updating or turning off.
      } else if (action.isEmpty() && mod) {
        if (!files) files = Installer::ProfileFiles::read(*p);
        if (parts_.statuses->status(*mod, *p, *files) == ModStatus::UpdateAvailable)
          std::tie(action, label) = std::pair(QStringLiteral("update"), tr("Update"));
        else if (mod->enabled)
          std::tie(action, label) = std::pair(QStringLiteral("turnOff"), tr("Turn Off"));
        target = qs(mod->id());
      }
      if (!actionable || !done.isEmpty()) action = label = target = QString();
      rows << QVariantMap{{QStringLiteral("key"), key},
                          {QStringLiteral("first"), first},
                          {QStringLiteral("title"), title},
                          {QStringLiteral("subtitle"), subtitle},
                          {QStringLiteral("reason"), LaunchWords::reason(*problem, needs)},
                          {QStringLiteral("since"), since},
                          {QStringLiteral("lines"), LaunchWords::lines(*problem)},
                          {QStringLiteral("excerpt"), qs(problem->excerpt)},
                          {QStringLiteral("action"), action},
                          {QStringLiteral("actionLabel"), label},
                          {QStringLiteral("target"), target},
                          {QStringLiteral("outcome"), done},
                          {QStringLiteral("undoable"), !done.isEmpty() && actionable && key == lastFix_}};
      first = false;
    }
  }
  return rows;
}

void LaunchCheck::refreshProblems() {
  QVariantList all, warned;
  int fixed = 0;
  if (report_) {
    const Profile* p = profile();
    // Actions change the selected profile: they are offered only while it is the launched one.
    const bool actionable = p && parts_.book->isSelected(p->id);
    std::vector<const LogProblem*> open, done, warnings;
    Outcomes outcomes;
    for (const LogProblem& problem : report_->problems) {
      QString fixedBy = outcome(problem);
      (fixedBy.isEmpty() ? open : done).push_back(&problem);
      if (!fixedBy.isEmpty()) outcomes.emplace(&problem, std::move(fixedBy));
    }
    for (const LogProblem& warning : report_->warnings) warnings.push_back(&warning);
    all = rows(open, actionable, outcomes);
    QVariantList fixedRows = rows(done, actionable, outcomes);
    if (!fixedRows.isEmpty()) {
      QVariantMap head = fixedRows.front().toMap();
      head[QStringLiteral("heading")] = tr("Fixed since this launch — play again to check");
      fixedRows.front() = head;
    }
    all += fixedRows;
    warned = rows(warnings, false, {});
    fixed = int(done.size());
  }
  fixedCount_ = fixed;
  if (all != problems_ || warned != warnings_) {
    problems_ = std::move(all);
    warnings_ = std::move(warned);
    emit problemsChanged();
  }
  announceSummary();
}

QString LaunchCheck::text() const {
  if (!report_) return {};
  const Profile* p = profile();
  QString out = tr("Valheim launch report — BepInEx %1%2\n")
                    .arg(report_->loader ? qs(*report_->loader) : tr("(version unknown)"),
                         p ? tr(", profile “%1”").arg(qs(p->name)) : QString());
  const QString done = summary();
  out += done.isEmpty() ? tr("Start-up has not completed.") : done;
  out += tr("\nLoaded %1, skipped %2, not loaded %3.\n").arg(loaded()).arg(skipped()).arg(failed());
  for (const QVariant& row : problems_) {
    const QVariantMap r = row.toMap();
    if (r[QStringLiteral("first")].toBool())
      out += QStringLiteral("\n%1 (%2)\n")
                 .arg(r[QStringLiteral("title")].toString(), r[QStringLiteral("subtitle")].toString());
    // Each sentence ends with its stop before the lines are named: "… not set. Line 11."
    QString reason = r[QStringLiteral("reason")].toString();
    if (!reason.isEmpty() && !QStringLiteral(".!?…").contains(reason.back())) reason += u'.';
    if (const QString since = r[QStringLiteral("since")].toString(); !since.isEmpty()) reason += u' ' + since;
    const QString outcome = r[QStringLiteral("outcome")].toString();
    out += QStringLiteral("- %1 %2.%3\n")
               .arg(reason, r[QStringLiteral("lines")].toString(),
                    outcome.isEmpty() ? QString() : tr(" %1 since the launch.").arg(outcome));
    for (const QString& line : r[QStringLiteral("excerpt")].toString().split(u'\n', Qt::SkipEmptyParts))
      out += QStringLiteral("    ") + line + u'\n';
  }
  return out;
}

void LaunchCheck::copyReport() { parts_.workspace().setClipboard(text()); }

void LaunchCheck::openLogFile() {
  if (follower_) parts_.workspace().openFile(follower_->file());
}

void LaunchCheck::showLaunchOutput() { parts_.workspace().openFile(Paths::gameLog()); }

QString LaunchCheck::fix(const QString& key, bool confirmed) {
  const Profile* p = profile();
  if (!canFix(p)) return {};
  const auto row = std::find_if(problems_.begin(), problems_.end(), [&](const QVariant& r) {
    return r.toMap()[QStringLiteral("key")].toString() == key;
  });
  if (row == problems_.end()) return {};
  const QVariantMap r = row->toMap();
  const QString action = r[QStringLiteral("action")].toString();
  const std::string target = ss(r[QStringLiteral("target")].toString());
  if (action == QStringLiteral("goBack")) {
    lastFix_ = key;
    parts_.mods->restore(qs(target));
    return {};
  }
  if (action == QStringLiteral("add")) {
    const auto& index = parts_.catalogue->index();
    const auto pkg =
        std::find_if(index.begin(), index.end(), [&](const TSPackage& t) { return t.fullName == target; });
    if (pkg == index.end()) return {};
    lastFix_ = key;
    parts_.mods->add(PackageItem(*pkg));
    return {};
  }
  const ProfileMod* mod = p->find(target);
  if (!mod) return {};
  if (action == QStringLiteral("turnOff") && !confirmed) {
    if (QString question = parts_.offQuestion(target); !question.isEmpty()) return question;
  }
  lastFix_ = key;
  const ModItem item(*mod);
  if (action == QStringLiteral("update")) parts_.mods->update(item);
  if (action == QStringLiteral("turnOff")) parts_.mods->setEnabled(item, false);
  if (action == QStringLiteral("remove")) parts_.mods->remove(item);
  return {};
}

void LaunchCheck::undoFix() {
  if (lastFix_.isEmpty() || !canFix(profile())) return;
  lastFix_.clear();
  parts_.mods->undo();
}

void LaunchCheck::mend(const QString& label, std::function<void()> work, const QString& note, bool thenPlay) {
  if (!parts_.activity->idle()) return;
  parts_.activity->perform(
      label, [this, work = std::move(work), note, thenPlay] { return mendWork(work, note, thenPlay); });
}

QCoro::Task<> LaunchCheck::mendWork(std::function<void()> work, QString note, bool thenPlay) {
  auto job = background(this, std::move(work));
  co_await job;
  setNoLoader(false);
  if (thenPlay)
    playAfterMending_ = true;  // once this operation has ended
  else
    parts_.activity->setNote(note);
}

void LaunchCheck::quitAndPlayModded() {
  mend(
      tr("Quitting Valheim…"), [] { Installer::quitGame(); }, {}, true);
}

void LaunchCheck::installRosetta() {
  mend(
      tr("Installing Rosetta…"), [] { Installer::installRosetta(); },
      tr("Rosetta is installed. Quit Valheim and play again."));
}

void LaunchCheck::repairLoaderFiles() {
  mend(
      tr("Repairing the loader’s files…"),
      [dir = parts_.game->folder(), progress = parts_.activity->downloadReporter()] {
        Installer::repairLoader(dir, progress);
      },
      tr("The loader’s files are written again. Quit Valheim and play again."));
}

void LaunchCheck::clearQuarantine() {
  const Profile* p = profile();
  if (!p) return;
  mend(
      tr("Clearing the quarantine…"),
      [dir = parts_.game->folder(), profile = *p] { Installer::clearQuarantine(dir, profile); },
      tr("The loader’s files are out of quarantine. Quit Valheim and play again."));
}
