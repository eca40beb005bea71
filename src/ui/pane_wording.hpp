#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QString>
#include <QStringList>

#include "app/package_list_model.hpp"

// The counted texts, shortened paths and captions of the profile pane, the browse list and the
// package sheet, worked out from AppState's fields.
namespace PaneWording {
// "1 mod", "3 mods · 1 dependency", "0 mods · 4 dependencies".
QString summary(int mods, int dependencies);
// The home folder as "~", and Steam's folder in Application Support as "~/Library/…/Steam/".
QString shortPath(const QString& path, const QString& home);
QString showMore(int hidden);  // "Show more (150 more)"
QString noMatch(const QString& query);  // "No mods match “query”."
// What the deprecated switch hides, before the button that shows it: "2 deprecated mods match —".
QString hiddenDeprecated(int count);
QString showHidden(int count);  // that button: "Show Them", "Show It"
QString resultLine(int results, bool refreshing);  // "1 mods", "250 mods · refreshing…"
QString addTo(const QString& profileName);  // "Add to “Raid”"
// A row's place in the profile: "In profile", "Dependency", or "" when it can be added.
QString placeText(PackageListModel::ProfileState state);
// The names a package brings along, without the loader pack: "Mod Settings, Jotunn"; "" for none.
QString alsoInstalls(const QStringList& dependencies);
QString updateTitle(const QString& version);  // "Version 1.2.0 is available."
// The update's notes, or where to get it when it has none.
QString updateMessage(const QString& notes, const QString& website);
// The update's own page when it is a usable web address, else the website.
QString updatePage(const QString& page, const QString& website);
// Only web addresses leave the app from a README's links.
bool isWebLink(const QString& url);
// A README as the sheet shows it, without pictures: none is fetched from a stranger's host or
// overflows the sheet. A Markdown image becomes a link to it named by its alt text ("Image" without
// one), or the link it sat in; an HTML image leaves its alt text.
QString readmeText(const QString& markdown);
// Markdown and HTML headings as bold lines of body text, never larger than the sheet's title.
QString plainHeadings(const QString& markdown);
}  // namespace PaneWording

// The same for QML, as the singleton `PaneWording`.
class PaneWordingObject : public QObject {
  Q_OBJECT
  QML_NAMED_ELEMENT(PaneWording)
  QML_SINGLETON
  Q_PROPERTY(QString allCategories READ allCategories CONSTANT)  // the category menu's "no filter"

 public:
  using QObject::QObject;
  static QString allCategories() { return PackageListModel::allCategories; }
  Q_INVOKABLE QString summary(int mods, int dependencies) const {
    return PaneWording::summary(mods, dependencies);
  }
  Q_INVOKABLE QString shortPath(const QString& path) const;
  Q_INVOKABLE QString showMore(int hidden) const { return PaneWording::showMore(hidden); }
  Q_INVOKABLE QString noMatch(const QString& query) const { return PaneWording::noMatch(query); }
  Q_INVOKABLE QString hiddenDeprecated(int count) const { return PaneWording::hiddenDeprecated(count); }
  Q_INVOKABLE QString showHidden(int count) const { return PaneWording::showHidden(count); }
  Q_INVOKABLE QString resultLine(int results, bool refreshing) const {
    return PaneWording::resultLine(results, refreshing);
  }
  Q_INVOKABLE QString addTo(const QString& name) const { return PaneWording::addTo(name); }
  Q_INVOKABLE QString placeText(int state) const {
    return PaneWording::placeText(PackageListModel::ProfileState(state));
  }
  Q_INVOKABLE QString alsoInstalls(const QStringList& dependencies) const {
    return PaneWording::alsoInstalls(dependencies);
  }
  Q_INVOKABLE QString updateTitle(const QString& version) const { return PaneWording::updateTitle(version); }
  Q_INVOKABLE QString updateMessage(const QString& notes, const QString& website) const {
    return PaneWording::updateMessage(notes, website);
  }
  Q_INVOKABLE QString updatePage(const QString& page, const QString& website) const {
    return PaneWording::updatePage(page, website);
  }
  Q_INVOKABLE bool isWebLink(const QString& url) const { return PaneWording::isWebLink(url); }
  Q_INVOKABLE QString readmeText(const QString& markdown) const { return PaneWording::readmeText(markdown); }
  // The catalogue's page of a package.
  Q_INVOKABLE QString pageURL(const QString& ns, const QString& name) const;
};
