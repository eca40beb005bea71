#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The sentences that the layers below the window say to the player (an AppError's message, a
// history entry's label) are written in English and pass through here, so that the app can give
// them in the player's language. The app installs its translator at start; a process without one
// (the command-line launch report, a library's own tests) gets the English.
namespace Words {
using Translator = std::string (*)(const char* context, const char* source, const char* disambiguation,
                                   int n);
void setTranslator(Translator translator);

// `source` in the player's language; `%n` in it becomes `n`.
std::string translate(const char* context, const char* source, const char* disambiguation = nullptr,
                      int n = -1);

// Puts each value in place of its marker, %1 to %9, in one pass: a value holding "%2" stays as it is.
std::string fill(std::string_view text, std::initializer_list<std::string_view> values);
}  // namespace Words
