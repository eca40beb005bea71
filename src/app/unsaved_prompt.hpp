#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

// The question the settings sheet asks when unsaved changes are in the way: something waits while
// the user decides, another file or profile (its title or name in `title`), closing the sheet or
// playing. `message` says what the changes become.
class UnsavedPrompt : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool asking READ asking NOTIFY changed)
  Q_PROPERTY(QString title READ title NOTIFY changed)
  Q_PROPERTY(QString message READ message NOTIFY changed)

 public:
  // What waits for the answer.
  enum class Leaving { toFile, toProfile, toClose, toPlay };
  // A switch waiting for the answer.
  struct Pending {
    QString title;
    Leaving why;
    std::function<void()> go;
  };

  using QObject::QObject;

  bool asking() const { return pending_.has_value(); }
  QString title() const { return pending_ ? pending_->title : QString(); }
  QString message() const;

  void ask(Pending pending);
  // The switch that waited, which no longer does; none when nothing waited.
  std::optional<Pending> take();
  // While the game runs the changes cannot be saved, and the question says so.
  void setGameRunning(bool running);

 signals:
  void changed();

 private:
  std::optional<Pending> pending_;
  bool gameRunning_ = false;
};
