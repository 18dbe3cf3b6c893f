// The window speaks Japanese under a Japanese locale and English otherwise:
// Qt's translators, from the .qm files built into the program.
#pragma once

#include <QLocale>

// Installs the translations for locale in place of any installed before;
// true when the window's Japanese texts were installed.
bool useLanguage(const QLocale& locale);
