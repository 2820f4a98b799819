#pragma once

#include <QString>

// The translation a window picks up: the first "*.qm" entry of the given directory in the
// directory's default order (by name, ignoring case). Empty when there is none.
QString firstTranslationFile(const QString &directory);
