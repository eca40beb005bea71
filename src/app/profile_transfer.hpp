#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <string>

#include "app/profile_queue.hpp"
#include "app/values.hpp"
#include "profiles/holds.hpp"

namespace ProfileStore {
struct ImportedProfile;
}
class Activity;
class CatalogueState;
class ModStatuses;
class ProfileBook;
class ProfileChanges;
class ProfileSync;

// Profiles that travel: as a profile code, or as the same archive in a profile file (".r2z"),
// shared from a profile and imported into a new profile or over an existing one.
class ProfileTransfer : public QObject {
  Q_OBJECT

 public:
  struct Parts {
    ProfileBook* book;
    Activity* activity;
    CatalogueState* catalogue;
    ModStatuses* statuses;
    ProfileChanges* changes;
    ProfileSync* sync;
    // Adds a profile made here to the list.
    std::function<void(Profile)> append;
    // Goes to the profile as a click in the sidebar would, on the Installed tab.
    std::function<void(const QString& id)> show;
    std::function<void(const QString& text)> copy;  // puts the text on the clipboard
  };
  explicit ProfileTransfer(Parts parts, QObject* parent = nullptr);

  Q_INVOKABLE void shareCode(const ProfileItem& profile);
  void importCode(QString code, ImportTarget target);
  Q_INVOKABLE void importCodeAsNew(const QString& code, const QString& name);
  Q_INVOKABLE void importCodeReplacing(const QString& code, const QString& profileID);

  // The profile's mods as text, one line per mod, or as a Markdown table, on the clipboard.
  Q_INVOKABLE void copyModList(const ProfileItem& profile, bool markdown);

  Q_INVOKABLE void exportProfileFile(const ProfileItem& profile, const QUrl& file);
  void importProfileFile(QUrl file, ImportTarget target);
  Q_INVOKABLE void importFileAsNew(const QUrl& file, const QString& name);
  Q_INVOKABLE void importFileReplacing(const QUrl& file, const QString& profileID);

 signals:
  // A new code is ready to show.
  void codeCreated(const SharedCode& code);

 private:
  QCoro::Task<> shareWork(std::string id);
  void performImport(const ImportTarget& target, ProfileQueue::Job work);
  // The imported holds, with those named by a catalogue id found in the catalogue.
  HeldVersions holdsOf(const ProfileStore::ImportedProfile& imported) const;
  QCoro::Task<> importWork(QString code, ImportTarget target);
  QCoro::Task<> importArchive(std::string bytes, ImportTarget target, ImportSource source);
  // The profile an archive goes into: a new one, or the existing one without its mods' files.
  // `source` names the code or file in the log.
  QCoro::Task<Profile> importTarget(ImportTarget target, QString codeName, ImportSource source);
  QCoro::Task<> exportFileWork(std::string id, std::filesystem::path file);
  QCoro::Task<> importFileWork(std::filesystem::path file, ImportTarget target);

  Parts parts_;
};
