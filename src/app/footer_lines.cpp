// What the footer says for the busy operation and the note, where it says more than the fields.
#include "app/app_state.hpp"
#include "app/text.hpp"

// "Installing Valkyrie 1.0.0…" under another profile: "Installing Valkyrie 1.0.0 into “Ashlands Raid”…".
QString AppState::busyLine() const {
  const Profile* owner =
      busyProfile_.empty() || qs(busyProfile_) == selectedID_ ? nullptr : current(busyProfile_);
  if (!owner) return busy_;
  QString label = busy_;
  const bool dots = label.endsWith(u'…');
  if (dots) label.chop(1);
  const bool into =
      label.startsWith(QStringLiteral("Installing ")) || label.startsWith(QStringLiteral("Adding "));
  return QStringLiteral("%1 %2 “%3”%4")
      .arg(label, into ? QStringLiteral("into") : QStringLiteral("for"), qs(owner->name),
           dots ? QStringLiteral("…") : QString());
}

QString AppState::noteLine() const {
  if (removedTogether_.isEmpty()) return note_;
  return QStringLiteral("Removed %1, which nothing else needed.").arg(joinNames(removedTogether_));
}
