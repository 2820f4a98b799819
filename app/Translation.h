#pragma once

#include <QLocale>
#include <QString>

// Installs the program's translation for the rest of the run, with Qt's own for its standard
// dialogs: the first "*.qm" file of the program's folder (by name, ignoring case) when there
// is one, otherwise the installed translation of the first of locale's languages that has
// one, up to English, which needs none. Numbers and sizes follow the language chosen. Returns
// that language ("de", "zh_CN"), empty for English.
QString installTranslation(const QLocale &locale = QLocale::system());

// Removes what installTranslation installed: English and the system's number formats again.
void removeTranslation();
