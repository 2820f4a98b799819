#include "Translation.h"

#include "core/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

namespace {
// The first "*.qm" entry of directory in the directory's default order (by name, ignoring
// case); empty when there is none.
QString firstTranslationFile(const QString &directory)
{
    const QFileInfoList entries = QDir(directory, QStringLiteral("*.qm")).entryInfoList();
    return entries.isEmpty() ? QString() : entries.first().absoluteFilePath();
}
} // namespace

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
