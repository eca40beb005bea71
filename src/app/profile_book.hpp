#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "app/profile_list_model.hpp"

// The profiles in memory and which one is selected. Every part reads a profile here and writes a
// changed one back through writeBack, so that the views follow.
class ProfileBook : public QObject {
  Q_OBJECT

 public:
  // `updateCount` answers the sidebar's update badge for a profile.
  explicit ProfileBook(std::function<int(const Profile&)> updateCount, QObject* parent = nullptr);

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
  // Puts the changed profile in place of its entry and saves it; a failed save is only logged.
  void writeBack(const Profile& profile);
  // The list itself; each tells of the change.
  void reset(std::vector<Profile> profiles);
  void append(Profile profile);
  void removeAll(const std::string& id);

 signals:
  void listChanged();  // an entry of the list changed
  void selectedChanged();
  void written();  // a profile's record changed: what is derived from it follows

 private:
  ProfileListModel* model_;
  QString selectedID_;
};
