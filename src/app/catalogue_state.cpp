#include "app/catalogue_state.hpp"

#include "app/assign.hpp"
#include "app/background.hpp"
#include "app/describe.hpp"
#include "app/package_documents.hpp"
#include "app/package_list_model.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/app_version.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/log.hpp"
#include "foundation/package_id.hpp"

CatalogueState::CatalogueState(QObject* parent)
    : QObject(parent),
      browse_(new PackageListModel(this)),
      readmes_(new PackageDocuments(Thunderstore::PackageDocument::readme, this)),
      changelogs_(new PackageDocuments(Thunderstore::PackageDocument::changelog, this)),
      index_(std::make_shared<const std::vector<TSPackage>>()) {
  browse_->setIndex(index_);
}

void CatalogueState::setAppUpdate(const QVariant& update) {
  assign(this, appUpdate_, fromVariant<AppUpdateItem>(update), &CatalogueState::appUpdateChanged);
}

void CatalogueState::setLoading(bool loading) {
  assign(this, loading_, loading, &CatalogueState::loadingChanged);
}

void CatalogueState::setError(const QString& text) {
  assign(this, error_, text, &CatalogueState::errorChanged);
}

void CatalogueState::setIndex(std::vector<TSPackage> packages) {
  auto index = std::make_shared<const std::vector<TSPackage>>(std::move(packages));
  std::unordered_map<std::string, size_t> byID, byUUID;
  for (size_t i = 0; i < index->size(); ++i) {
    byID.emplace((*index)[i].fullName, i);  // the first one wins
    if (!(*index)[i].uuid.empty()) byUUID.emplace((*index)[i].uuid, i);
  }
  index_ = std::move(index);
  indexByID_ = std::move(byID);
  indexByUUID_ = std::move(byUUID);
  browse_->setIndex(index_);
  emit indexChanged();
}

const TSPackage* CatalogueState::package(const std::string& ns, const std::string& name) const {
  auto it = indexByID_.find(packageKey(ns, name));
  return it == indexByID_.end() ? nullptr : &(*index_)[it->second];
}

const TSPackage* CatalogueState::packageWithUUID(const std::string& uuid) const {
  auto it = indexByUUID_.find(uuid);
  return it == indexByUUID_.end() ? nullptr : &(*index_)[it->second];
}

std::optional<std::string> CatalogueState::latest(const std::string& ns, const std::string& name) const {
  const TSPackage* pkg = package(ns, name);
  return pkg ? std::optional(pkg->latest) : std::nullopt;
}

QVariant CatalogueState::loaderPackage() const {
  const TSPackage* pkg = package(std::string(LoaderPack::ns), std::string(LoaderPack::name));
  return pkg ? QVariant::fromValue(PackageItem(*pkg)) : QVariant();
}

void CatalogueState::loadIndex(bool refresh) {
  if (loading_) return;
  setLoading(true);
  setError({});
  loadIndexTask(refresh);
}

QCoro::Task<> CatalogueState::loadIndexTask(bool refresh) {
  try {
    auto job = background(this, [refresh] { return Thunderstore::loadIndex(refresh); });
    auto packages = co_await job;
    size_t count = packages.size();
    setIndex(std::move(packages));
    Log::write("index loaded: " + std::to_string(count) + " packages");
  } catch (const Abandoned&) {
    co_return;
  } catch (...) {
    setError(describe(std::current_exception()));  // the previous index stays
  }
  setLoading(false);
}

void CatalogueState::checkForAppUpdate() { updateNoticeTask(); }

QCoro::Task<> CatalogueState::updateNoticeTask() {
  try {
    auto job = background(this, [] { return Thunderstore::fetchUpdateNotice(App::version); });
    auto notice = co_await job;
    // The client applies the newer-version rule and logs the notice.
    if (!notice) co_return;
    setAppUpdate(QVariant::fromValue(AppUpdateItem{*notice}));
  } catch (...) {
    // Silent by design: the banner simply does not appear.
  }
}
