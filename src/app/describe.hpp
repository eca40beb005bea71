#pragma once

#include <QString>

#include <exception>

// The user-facing description of an error: an AppError's sentence, or the platform's own text.
QString describe(std::exception_ptr error);
