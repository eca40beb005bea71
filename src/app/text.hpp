#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// Trims spaces and tabs from both ends, and nothing else (line breaks stay).
QString trimSpacesAndTabs(const QString& s);

// Names in a sentence: "A", "A and B", "A, B and C".
QString joinNames(const QStringList& names);

// A size in bytes as the app shows it: "3.2 MB", "48 MB", "512 B".
QString dataSize(int64_t bytes);

// "Everything is up to date.", or with the updates held back: "… (1 update held)."
QString upToDate(int heldUpdates);
