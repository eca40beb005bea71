#include "app/describe.hpp"

#include <QCoreApplication>

#include <stdexcept>

QString describe(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return QString::fromUtf8(e.what());
  } catch (...) {
    return QCoreApplication::translate("Describe", "An unexpected error occurred.");
  }
}
