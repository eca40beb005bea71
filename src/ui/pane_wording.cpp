#include "ui/pane_wording.hpp"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>

#include "app/values.hpp"
#include "catalogue/thunderstore.hpp"
#include "foundation/loader_pack.hpp"
#include "foundation/package_id.hpp"
#include "foundation/paths.hpp"

namespace PaneWording {

QString summary(int mods, int dependencies) {
  QString text = QCoreApplication::translate("PaneWording", "%n mods", nullptr, mods);
  if (dependencies >= 1)
    text += QCoreApplication::translate("PaneWording", " · %n dependencies", nullptr, dependencies);
  return text;
}

QString shortPath(const QString& path, const QString& home) {
  QString text = path;
  if (!home.isEmpty() && (path == home || path.startsWith(home + '/'))) text = '~' + path.mid(home.size());
  static const QString steam = QStringLiteral("~/Library/Application Support/Steam/");
  if (text.startsWith(steam)) text = QStringLiteral("~/Library/…/Steam/") + text.mid(steam.size());
  return text;
}

QString showMore(int hidden) {
  return QCoreApplication::translate("PaneWording", "Show more (%1 more)").arg(hidden);
}

QString noMatch(const QString& query) {
  return QCoreApplication::translate("PaneWording", "No mods match “%1”.").arg(query);
}

QString hiddenDeprecated(int count) {
  return QCoreApplication::translate("PaneWording", "%n deprecated mods match —", nullptr, count);
}

QString showHidden(int count) {
  return count == 1 ? QCoreApplication::translate("PaneWording", "Show It")
                    : QCoreApplication::translate("PaneWording", "Show Them");
}

QString resultLine(int results, bool refreshing) {
  // The count of results has no singular: "1 mods".
  return QCoreApplication::translate("PaneWording", "%1 mods").arg(results) +
         (refreshing ? QCoreApplication::translate("PaneWording", " · refreshing…") : QString());
}

QString addTo(const QString& profileName) {
  return QCoreApplication::translate("PaneWording", "Add to “%1”").arg(profileName);
}

QString placeText(PackageListModel::ProfileState state) {
  switch (state) {
    case PackageListModel::InProfile: return QCoreApplication::translate("PaneWording", "In profile");
    case PackageListModel::AsDependency: return QCoreApplication::translate("PaneWording", "Dependency");
    case PackageListModel::NotInProfile: break;
  }
  return {};
}

QString alsoInstalls(const QStringList& dependencies) {
  QStringList names;
  for (const QString& id : dependencies) {
    const PackageID parts = splitPackageID(ss(id));
    if (parts.name == LoaderPack::name) continue;
    names.append(qs(displayName(parts.name)));
  }
  return names.join(QStringLiteral(", "));
}

QString updateTitle(const QString& version) {
  return QCoreApplication::translate("PaneWording", "Version %1 is available.").arg(version);
}

QString updateMessage(const QString& notes, const QString& website) {
  if (!notes.isEmpty()) return notes;
  return QCoreApplication::translate("PaneWording", "Get it from %1.").arg(QUrl(website).host());
}

QString updatePage(const QString& page, const QString& website) { return isWebLink(page) ? page : website; }

bool isWebLink(const QString& url) {
  const QUrl u(url, QUrl::StrictMode);
  return u.isValid() && !u.host().isEmpty() && (u.scheme() == "https" || u.scheme() == "http");
}

QString readmeText(const QString& markdown) {
  static const QRegularExpression linkedImage(R"(\[!\[([^\]]*)\]\([^)]*\)\]\(([^)]*)\))");
  static const QRegularExpression image(R"(!\[([^\]]*)\]([(\[]))");
  static const QRegularExpression htmlImage(R"(<img\b[^>]*>)", QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression htmlAlt(R"re(\balt\s*=\s*"([^"]*)")re",
                                          QRegularExpression::CaseInsensitiveOption);
  const auto named = [](const QString& alt) {
    return alt.trimmed().isEmpty() ? QCoreApplication::translate("PaneWording", "Image") : alt;
  };

  QString text = markdown;
  // A picture that links somewhere becomes that link; any other picture a link to itself.
  for (auto m = linkedImage.match(text); m.hasMatch(); m = linkedImage.match(text, m.capturedStart()))
    text.replace(m.capturedStart(), m.capturedLength(),
                 "[" + named(m.captured(1)) + "](" + m.captured(2) + ")");
  for (auto m = image.match(text); m.hasMatch(); m = image.match(text, m.capturedStart()))
    text.replace(m.capturedStart(), m.capturedLength(), "[" + named(m.captured(1)) + "]" + m.captured(2));
  // An HTML picture leaves its alt text, which is the link's title when it sat in one.
  for (auto m = htmlImage.match(text); m.hasMatch(); m = htmlImage.match(text, m.capturedStart()))
    text.replace(m.capturedStart(), m.capturedLength(),
                 htmlAlt.match(m.captured(0)).captured(1).toHtmlEscaped());
  return plainHeadings(text);
}

// The rich text draws headings up to twice the body's size, larger than the sheet's own title, so
// each becomes a bold line of body text. Code blocks are left as they are.
QString plainHeadings(const QString& markdown) {
  static const QRegularExpression fence(R"(^ {0,3}(```|~~~))");
  static const QRegularExpression atx(R"(^ {0,3}#{1,6}(?:[ \t]+(.*?))?(?:[ \t]+#+)?[ \t]*$)");
  static const QRegularExpression underline(R"(^ {0,3}(=+|-+)[ \t]*$)");
  static const QRegularExpression htmlOpen(R"(<h[1-6]\b[^>]*>)", QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression htmlClose(R"(</h[1-6]\s*>)", QRegularExpression::CaseInsensitiveOption);
  const auto bold = [](const QString& line) {
    const QString title = line.trimmed();
    return title.isEmpty() ? QString() : "**" + title + "**";
  };

  QStringList lines = markdown.split('\n');
  bool inCode = false;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (fence.match(lines[i]).hasMatch()) inCode = !inCode;
    if (inCode) continue;
    if (const auto m = atx.match(lines[i]); m.hasMatch()) {
      lines[i] = bold(m.captured(1));
    } else if (i > 0 && underline.match(lines[i]).hasMatch() && !lines[i - 1].trimmed().isEmpty() &&
               !lines[i - 1].startsWith("**")) {
      lines[i - 1] = bold(lines[i - 1]);
      lines[i].clear();
    }
  }
  QString text = lines.join('\n');
  text.replace(htmlOpen, QStringLiteral("<p><b>"));
  text.replace(htmlClose, QStringLiteral("</b></p>"));
  return text;
}

}  // namespace PaneWording

QString PaneWordingObject::shortPath(const QString& path) const {
  return PaneWording::shortPath(path, qpath(Paths::home()));
}

QString PaneWordingObject::pageURL(const QString& ns, const QString& name) const {
  return qs(Thunderstore::pageURL(ss(ns), ss(name)));
}
