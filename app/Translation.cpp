#include "Translation.h"

#include "app/Logging.h"

#include "app/TranslationFile.h"

#include <QCoreApplication>
#include <QTranslator>

void applyTranslation(const std::function<void()> &retranslate)
{
    const QString file = firstTranslationFile(QCoreApplication::applicationDirPath());
    if (file.isEmpty())
        return;
    QTranslator translator;
    // A file that cannot be loaded leaves the translator empty: the texts stay English.
    if (!translator.load(file))
        qCWarning(lcApp, "Translation %s could not be loaded", qUtf8Printable(file));
    QCoreApplication::installTranslator(&translator);
    retranslate();
}
