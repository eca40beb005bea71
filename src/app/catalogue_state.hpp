#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/values.hpp"

class PackageListModel;
class PackageDocuments;

// What the window knows of the catalogue: its index, loaded in the background and kept while a
// reload fails, the package texts, and the notice of a newer version of the application.
//
// In QML, `error` is an empty string when absent and `appUpdate` is null.
class CatalogueState : public QObject {
  Q_OBJECT
  Q_MOC_INCLUDE("app/package_list_model.hpp")
  Q_MOC_INCLUDE("app/package_documents.hpp")
  // The index as the browse pane shows it (filtered, sorted, paged).
  Q_PROPERTY(PackageListModel* index READ indexModel NOTIFY indexChanged)
  Q_PROPERTY(bool loading READ loading NOTIFY loadingChanged)
  Q_PROPERTY(QString error READ error NOTIFY errorChanged)
  Q_PROPERTY(QVariant loaderPackage READ loaderPackage NOTIFY indexChanged)  // the pack's entry
  // The package sheet's texts.
  Q_PROPERTY(PackageDocuments* readmes READ readmes CONSTANT)
  Q_PROPERTY(PackageDocuments* changelogs READ changelogs CONSTANT)
  Q_PROPERTY(QVariant appUpdate READ appUpdate WRITE setAppUpdate NOTIFY appUpdateChanged)

 public:
  explicit CatalogueState(QObject* parent = nullptr);

  const std::vector<TSPackage>& index() const { return *index_; }
  PackageListModel* indexModel() const { return browse_; }
  bool loading() const { return loading_; }
  QString error() const { return error_; }
  QVariant loaderPackage() const;
  PackageDocuments* readmes() const { return readmes_; }
  PackageDocuments* changelogs() const { return changelogs_; }
  QVariant appUpdate() const { return toVariant(appUpdate_); }
  void setAppUpdate(const QVariant& update);

  // The index's entry, or null.
  const TSPackage* package(const std::string& ns, const std::string& name) const;
  // The package with this catalogue id (TSPackage::uuid), or null.
  const TSPackage* packageWithUUID(const std::string& uuid) const;
  std::optional<std::string> latest(const std::string& ns, const std::string& name) const;

  // Loads the index, from the cache unless `refresh`; asked again while it loads, it does nothing.
  Q_INVOKABLE void loadIndex(bool refresh);
  void checkForAppUpdate();

 signals:
  void indexChanged();
  void loadingChanged();
  void errorChanged();
  void appUpdateChanged();

 private:
  QCoro::Task<> loadIndexTask(bool refresh);
  QCoro::Task<> updateNoticeTask();
  void setIndex(std::vector<TSPackage> packages);
  void setLoading(bool loading);
  void setError(const QString& text);

  PackageListModel* browse_;
  PackageDocuments* readmes_;
  PackageDocuments* changelogs_;
  std::shared_ptr<const std::vector<TSPackage>> index_;
  std::unordered_map<std::string, size_t> indexByID_;
  std::unordered_map<std::string, size_t> indexByUUID_;
  bool loading_ = false;
  QString error_;
  std::optional<AppUpdateItem> appUpdate_;
};
