#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The command line that opens an address in the external browser, "%1" standing for the
// address: the registered Internet Explorer on Windows, the desktop's opener elsewhere.
QString browserCommand();

// The Windows command when the registry names none: the Internet Explorer path, quoted so
// that its blanks stay part of the program.
QString internetExplorerCommand();

struct BrowserLaunch
{
    QString program;
    QStringList arguments;
};

// The program and arguments that open url with command: everything before the last "%1" read
// as a shell reads a quoted command line, then the address as one further argument.
BrowserLaunch browserLaunch(const QString &command, const QUrl &url);
