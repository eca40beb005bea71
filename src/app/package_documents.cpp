#include "app/package_documents.hpp"

#include "app/background.hpp"
#include "catalogue/changelog.hpp"
#include "foundation/package_id.hpp"

void PackageDocuments::show(const QString& ns, const QString& name, const QString& version) {
  shown_ = QString::fromStdString(packageKey(ns.toStdString(), name.toStdString(), version.toStdString()));
  if (!found_.contains(shown_) && !inFlight_.contains(shown_)) {
    inFlight_.insert(shown_);
    fetch(shown_, ns.toStdString(), name.toStdString(), version.toStdString());
  }
  publish();
}

QCoro::Task<> PackageDocuments::fetch(QString key, std::string ns, std::string name, std::string version) {
  std::optional<std::string> markdown;
  try {
    auto job = background(this, [kind = kind_, ns, name, version] {
      return Thunderstore::cachedDocument(kind, ns, name, version);
    });
    markdown = co_await job;
  } catch (const Abandoned&) {
    co_return;
  }
  inFlight_.remove(key);
  found_.insert(key, QString::fromStdString(markdown.value_or("")));
  publish();
}

void PackageDocuments::publish() {
  const bool loading = inFlight_.contains(shown_);
  const QString markdown = found_.value(shown_);
  if (loading == loading_ && markdown == markdown_) return;
  loading_ = loading;
  markdown_ = markdown;
  emit changed();
}

QVariantMap PackageDocuments::newerThan(const QString& markdown, const QString& installed) const {
  const Changelog::Slice slice = Changelog::newerThan(markdown.toStdString(), installed.toStdString());
  return {{QStringLiteral("markdown"), QString::fromStdString(slice.markdown)},
          {QStringLiteral("cut"), slice.cut}};
}
