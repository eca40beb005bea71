#include "ui/about.hpp"

#include "catalogue/endpoints.hpp"
#include "foundation/app_version.hpp"
#include "foundation/paths.hpp"

QString About::version() { return QString::fromLatin1(App::version); }
QString About::website() { return QString::fromStdString(endpoints().website); }
QString About::logFile() { return QString::fromStdString(Paths::logFile().string()); }
