#include "BrowserCommand.h"

#include <QProcess>
#ifdef Q_OS_WIN
#include <QSettings>
#endif

QString browserCommand()
{
#if defined(Q_OS_WIN)
    const QSettings registry(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Applications"
                                            "\\iexplore.exe\\shell\\open\\command"),
                             QSettings::NativeFormat);
    return registry.value(QStringLiteral("."), internetExplorerCommand()).toString();
#elif defined(Q_OS_MACOS)
    return QStringLiteral("open %1");
#else
    return QStringLiteral("xdg-open %1");
#endif
}

QString internetExplorerCommand()
{
    return QStringLiteral("\"C:\\Program Files\\Internet Explorer\\iexplore.exe\"");
}

BrowserLaunch browserLaunch(const QString &command, const QUrl &url)
{
    const qsizetype cut = command.lastIndexOf(QLatin1String("%1"));
    QStringList words = QProcess::splitCommand(cut < 0 ? command : command.left(cut));
    BrowserLaunch launch;
    if (!words.isEmpty())
        launch.program = words.takeFirst();
    launch.arguments = words;
    launch.arguments.append(url.toString());
    return launch;
}
