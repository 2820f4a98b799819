#include "Translation.h"

#include "core/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {
std::unique_ptr<QTranslator> program;
std::unique_ptr<QTranslator> qt;

// The first "*.qm" entry of directory in the directory's default order (by name, ignoring
// case); empty when there is none.
QString firstTranslationFile(const QString &directory)
{
    const QFileInfoList entries = QDir(directory, QStringLiteral("*.qm")).entryInfoList();
    return entries.isEmpty() ? QString() : entries.first().absoluteFilePath();
}

// Where the translations are installed: share/trovella/translations beside the bin folder
// of an installed program, translations/ in the build tree.
QStringList translationFolders()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    return {dir.absoluteFilePath(QStringLiteral("../share/trovella/translations")),
            dir.absoluteFilePath(QStringLiteral("translations"))};
}

// Loads the program's translation for the first of locale's languages that has one; a
// language the user puts English before is not chosen.
bool loadForUser(QTranslator &translator, const QLocale &locale)
{
    for (const QString &name : locale.uiLanguages()) {
        const QLocale language(name);
        if (language.language() == QLocale::English || language.language() == QLocale::C)
            return false;
        for (const QString &folder : translationFolders())
            if (translator.load(language, QStringLiteral("trovella"), QStringLiteral("_"), folder))
                return true;
    }
    return false;
}
} // namespace

QString installTranslation(const QLocale &locale)
{
    removeTranslation();
    auto translator = std::make_unique<QTranslator>();
    const QString file = firstTranslationFile(QCoreApplication::applicationDirPath());
    if (file.isEmpty()) {
        if (!loadForUser(*translator, locale))
            return {};
    } else if (!translator->load(file)) {
        // The texts stay English.
        qCWarning(lcApp, "Translation %s could not be loaded", qUtf8Printable(file));
        return {};
    }
    const QString language = translator->language();
    program = std::move(translator);
    QCoreApplication::installTranslator(program.get());

    // Qt's standard dialogs and buttons; Debian ships these in qt6-translations-l10n.
    const QLocale chosen = language.isEmpty() ? locale : QLocale(language);
    qt = std::make_unique<QTranslator>();
    if (qt->load(chosen, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt.get());
    else
        qCInfo(lcApp, "No Qt translation for %s in %s", qUtf8Printable(language),
               qUtf8Printable(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    // The user's own formats where they are of the same language; else the language's.
    QLocale::setDefault(locale.language() == chosen.language() ? locale : chosen);
    return language;
}

void removeTranslation()
{
    program.reset(); // a translator removes itself when it goes
    qt.reset();
    QLocale::setDefault(QLocale::system());
}
