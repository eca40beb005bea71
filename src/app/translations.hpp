#pragma once

// Loads the app's sentences in the player's language (English where none is shipped; English's own
// file gives its plural forms) and hands the translator to the layers below Qt. Call once, after
// the QCoreApplication exists.
void installTranslations();
