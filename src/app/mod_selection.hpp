#pragma once

#include <QCoroTask>
#include <QObject>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

#include "foundation/row_selection.hpp"

class Activity;
class ModStatuses;
class ProfileBook;
class ProfileChanges;
class ProfileSync;
class SelectedProfile;
struct Profile;

// The rows picked in the selected profile's mod list, and what the player does to all of them at
// once. Each command is one change of the profile: one history entry, one Undo. The search for a
// broken mod turns off half of the suspects at a time, keeping each mod with what it needs.
class ModSelection : public QObject {
  Q_OBJECT
  Q_PROPERTY(int count READ count NOTIFY countChanged)
  Q_PROPERTY(QString summary READ summary NOTIFY countChanged)  // "5 selected"
  // The bulk commands that apply to the picked mods: "turnOn", "turnOff", "update", "hold",
  // "releaseHold", "remove".
  Q_PROPERTY(QStringList offers READ offers NOTIFY changed)
  // The search's state as a sentence, or empty when no search runs.
  Q_PROPERTY(QString search READ search NOTIFY searchChanged)
  Q_PROPERTY(bool searchFound READ searchFound NOTIFY searchChanged)
  // What a Turn Off or Remove of the picked mods asks before it goes ahead, or empty; its button.
  Q_PROPERTY(QString question READ question NOTIFY questionChanged)
  Q_PROPERTY(QString questionAction READ questionAction NOTIFY questionChanged)

 public:
  struct Parts {
    ProfileBook* book;
    Activity* activity;
    ProfileChanges* changes;
    ModStatuses* statuses;
    ProfileSync* sync;
    SelectedProfile* selection;
  };
  explicit ModSelection(Parts parts, QObject* parent = nullptr);

  int count() const { return int(rows_.count()); }
  QString summary() const;
  QStringList offers() const;
  QString search() const { return searchLine_; }
  bool searchFound() const { return search_ && search_->found; }
  QString question() const { return asking_ ? questionFor(*asking_ == Asking::remove) : QString(); }
  QString questionAction() const;
  std::vector<std::string> keys() const { return rows_.keys(); }

  // The Mac's gestures on a row, by its mod key.
  Q_INVOKABLE void click(const QString& key);
  Q_INVOKABLE void toggle(const QString& key);
  Q_INVOKABLE void extendTo(const QString& key);
  Q_INVOKABLE void extendBy(int step);
  Q_INVOKABLE void selectAll();
  Q_INVOKABLE void clear();
  Q_INVOKABLE bool isSelected(const QString& key) const { return rows_.isSelected(key.toStdString()); }

  // What turning off or removing the picked mods asks first ("PlanBuild and Build Camera need
  // Jotunn. Turn them off anyway?"), or empty when no other enabled mod needs them.
  Q_INVOKABLE QString offQuestion() const;
  Q_INVOKABLE QString removeQuestion() const;
  Q_INVOKABLE void turnOn();
  Q_INVOKABLE void turnOff();
  Q_INVOKABLE void update();
  Q_INVOKABLE void hold();
  Q_INVOKABLE void releaseHold();
  Q_INVOKABLE void remove();
  // Turn Off and Remove as the player asks for them: at once, or after the question.
  Q_INVOKABLE void requestTurnOff();
  Q_INVOKABLE void requestRemove();
  Q_INVOKABLE void answer(bool goAhead);

  // The search: turns off half of the picked mods that are on (or of the suspects still on).
  Q_INVOKABLE void turnOffHalf();
  // The problem went with the half turned off last: that half comes back and the other goes.
  Q_INVOKABLE void swapHalves();
  Q_INVOKABLE void endSearch();

 signals:
  void countChanged();
  void changed();  // the picked rows or their state
  void searchChanged();
  void questionChanged();

 private:
  struct Search {
    std::string profileID;
    std::vector<std::string> suspects;  // on: the culprit is among them
    std::vector<std::string> cleared;  // turned off by the last step
    bool found = false;
  };

  void follow();
  void publish();
  // The picked mods of the selected profile that `keep` accepts, in list order.
  std::vector<std::string> picked(const std::function<bool(const std::string&)>& keep) const;
  QString questionFor(bool removing) const;
  // One change that turns `off` off and `on` on.
  void switchMods(std::vector<std::string> off, std::vector<std::string> on, QString label,
                  std::string description, std::string undo);
  QCoro::Task<> switchWork(std::string id, std::vector<std::string> off, std::vector<std::string> on);
  QCoro::Task<> removeWork(std::string id, std::vector<std::string> keys);
  QCoro::Task<> updateWork(std::string id, std::vector<std::string> keys);
  void setSearch(std::optional<Search> search);

  enum class Asking { turnOff, remove };

  Parts parts_;
  std::optional<Asking> asking_;
  RowSelection rows_;
  std::vector<std::string> published_;  // the picked keys the views last heard of
  std::optional<Search> search_;
  QString searchLine_;
};
