#include "app/activity.hpp"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <memory>

#include "app/assign.hpp"
#include "app/background.hpp"
#include "app/describe.hpp"
#include "app/text.hpp"
#include "app/values.hpp"
#include "foundation/log.hpp"

Activity::Activity(std::function<QString(const std::string&)> ownerName, QObject* parent)
    : QObject(parent), ownerName_(std::move(ownerName)) {}

void Activity::setNote(const QString& text) {
  removedTogether_.clear();
  if (assign(this, note_, text, &Activity::noteChanged)) retell();
}

void Activity::noteRemoval(const QStringList& removed) {
  setNote(tr("Removed %1.").arg(removed.front()));
  if (removed.size() < 2) return;
  removedTogether_ = removed;  // the footer names them all
  retell();
}

void Activity::setErrorMessage(const QString& text) {
  assign(this, errorMessage_, text, &Activity::errorMessageChanged);
}

namespace {
// "Installing Valkyrie 1.0.0…" under another profile: "Installing Valkyrie 1.0.0 into “Ashlands Raid”…".
QString busyUnder(QString label, const QString& owner) {
  if (owner.isEmpty()) return label;
  const bool dots = label.endsWith(u'…');
  if (dots) label.chop(1);
  // What comes in goes "into" the profile; any other work is "for" it.
  const bool into =
      label.startsWith(Activity::tr("Installing ")) || label.startsWith(Activity::tr("Adding "));
  return (into ? Activity::tr("%1 into “%2”") : Activity::tr("%1 for “%2”")).arg(label, owner) +
         (dots ? QStringLiteral("…") : QString());
}
}  // namespace

void Activity::retell() {
  const QString owner = busyProfile_.empty() ? QString() : ownerName_(busyProfile_);
  assign(this, busyLine_, busyUnder(busy_, owner), &Activity::busyLineChanged);
  assign(this, noteLine_,
         removedTogether_.isEmpty()
             ? note_
             : tr("Removed %1, which nothing else needed.").arg(joinNames(removedTogether_)),
         &Activity::noteLineChanged);
}

void Activity::setBusy(const QString& label) {
  const bool wasIdle = idle();
  if (!assign(this, busy_, label, &Activity::busyChanged)) return;
  if (wasIdle != idle()) emit idleChanged();
  setProgress(std::nullopt);
  retell();
}

void Activity::setBusyProfile(std::string id) {
  busyProfile_ = std::move(id);
  retell();
}

void Activity::setProgress(std::optional<double> progress) {
  const bool was = downloading();
  if (assign(this, progress_, progress, &Activity::progressChanged) && was != downloading())
    emit downloadingChanged();
}

void Activity::perform(QString label, std::function<QCoro::Task<>()> work, std::string profileID) {
  if (!busy_.isEmpty()) return;
  busyProfile_ = std::move(profileID);
  setBusy(label);
  setNote({});
  setErrorMessage({});
  runBusy(std::move(work));
}

QCoro::Task<> Activity::runBusy(std::function<QCoro::Task<>()> work) {
  std::optional<QString> failure;
  try {
    co_await work();
  } catch (const Abandoned&) {
    co_return;
  } catch (...) {
    failure = describe(std::current_exception());
  }
  if (failure) {
    Log::write("error: " + ss(*failure));
    setErrorMessage(*failure);
  }
  busyProfile_.clear();
  setBusy({});
}

std::function<void(const std::string&)> Activity::busyReporter() {
  QPointer<Activity> self(this);
  return [self](const std::string& text) {
    // Posted events run in the order they were posted, so the texts arrive in order and before
    // the awaiting task resumes.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self, label = qs(text)] {
          if (self) self->setBusy(label);
        },
        Qt::QueuedConnection);
  };
}

Http::Progress Activity::downloadReporter() {
  QPointer<Activity> self(this);
  // Only whole-percent changes are posted: curl reports every few kilobytes. One worker calls
  // this at a time, so the shared step needs no lock.
  auto posted = std::make_shared<int>(-2);
  return [self, posted](int64_t received, std::optional<int64_t> expected) {
    const int percent = expected ? int(std::clamp<int64_t>(received * 100 / *expected, 0, 100)) : -1;
    if (percent == *posted) return;
    *posted = percent;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self, percent] {
          if (self) self->setProgress(percent < 0 ? -1.0 : percent / 100.0);
        },
        Qt::QueuedConnection);
  };
}
