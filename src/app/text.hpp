#pragma once

#include <QString>

// Trims spaces and tabs from both ends, and nothing else (line breaks stay).
QString trimSpacesAndTabs(const QString& s);
