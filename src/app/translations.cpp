#include "app/translations.hpp"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include "foundation/words.hpp"

void installTranslations() {
  static QTranslator* translator = nullptr;
  if (translator) return;
  translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QLocale(), QStringLiteral("quernhold"), QStringLiteral("_"),
                       QStringLiteral(":/i18n")) ||
      translator->load(QStringLiteral(":/i18n/quernhold_en.qm")))
    QCoreApplication::installTranslator(translator);
  Words::setTranslator([](const char* context, const char* source, const char* disambiguation, int n) {
    return QCoreApplication::translate(context, source, disambiguation, n).toStdString();
  });
}
