#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/profile_list_model.hpp"

// The profiles in memory and which one is selected. Every part reads a profile here and writes a
// changed one back through writeBack, so that the views follow. Records are saved on a worker of
// their own, in the order they were written back; a change awaits saved() before it ends.
class ProfileBook : public QObject {
  Q_OBJECT

 public:
  // `updateCount` answers the sidebar's update badge for a profile.
  explicit ProfileBook(ProfileListModel::UpdateCount updateCount, QObject* parent = nullptr);

  ProfileListModel* model() const { return model_; }
  const std::vector<Profile>& all() const { return model_->items(); }
  const Profile* find(const std::string& id) const;
  const Profile* selected() const;  // null when none is
  const QString& selectedID() const { return selectedID_; }  // empty when none is
  bool isSelected(const std::string& id) const {
    return !selectedID_.isEmpty() && selectedID_.toStdString() == id;
  }
  // Whether a profile has that name, spaces and tabs around it and case aside.
  bool nameIsTaken(const QString& name) const;
  // `base`, or "base 2", "base 3"… whichever no profile has.
  QString uniqueName(const QString& base) const;
  // Changes the selection and nothing else; false when it was so already.
  bool select(const QString& id);
  ~ProfileBook() override;
  // Puts the changed profile in place of its entry and queues its save; a failed save is only logged.
  void writeBack(const Profile& profile);
  // Resumes once every record written back so far is on disk.
  QCoro::Task<> saved();
  // The same, blocking: before a profile's folder goes, and when the app quits.
  void flush();
  bool saving() const { return saving_; }
  // The list itself; each tells of the change.
  void reset(std::vector<Profile> profiles);
  void append(Profile profile);
  void removeAll(const std::string& id);

 signals:
  void listChanged();  // an entry of the list changed
  void selectedChanged();
  void written();  // a profile's record changed: what is derived from it follows
  void allSaved();

 private:
  QCoro::Task<> saveQueued();

  ProfileListModel* model_;
  QString selectedID_;
  std::map<std::string, Profile> unsaved_;  // each profile's newest record not yet handed to the worker
  bool saving_ = false;
  QThreadPool saver_;  // one thread: two saves of one record never overlap
};
