#include "launcher/BrowserCommand.h"
#include "launcher/WebThread.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A folder name with "%", "#", "?" and a blank, all of which must reach the browser intact.
QUrl awkwardFolder() { return QUrl::fromLocalFile(QStringLiteral("/tmp/a b/50%#?")); }
} // namespace

class tst_WebThread : public QObject
{
    Q_OBJECT

private slots:
    void emptyCommand();
    void launch_data();
    void launch();
};

// The cut at the last %1 and the words before it are run for real in launch(); a browser
// that cannot start, in tst_PickWindow::viewResult.
void tst_WebThread::emptyCommand()
{
    const BrowserLaunch launch = browserLaunch(QString(), awkwardFolder());
    QCOMPARE(launch.program, QString());
    QCOMPARE(launch.arguments, QStringList {"file:///tmp/a b/50%25%23%3F"});
}

void tst_WebThread::launch_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("recorded");

    const QString url = awkwardFolder().toString();
    QTest::newRow("quoted with %1") << QString("\"{browser}\" %1") << QStringList {url};
    QTest::newRow("%1 twice") << QString("\"{browser}\" --first %1 --second %1")
                              << QStringList {"--first", "%1", "--second", url};
    QTest::newRow("no %1") << QString("\"{browser}\" --flag") << QStringList {"--flag", url};
}

void tst_WebThread::launch()
{
    QFETCH(QString, command);
    QFETCH(QStringList, recorded);

    QTemporaryDir temp(QDir::tempPath() + "/fake browser XXXXXX");
    QVERIFY(temp.isValid());
    const QString browser = temp.filePath("browser.sh");
    const QString record = temp.filePath("record");
    QFile script(browser);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + record.toUtf8()
                 + "'; done\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));

    WebThread::setCommandForTests(QString(command).replace("{browser}", browser));
    WebThread launcher(awkwardFolder());
    WebThread::setCommandForTests(QString());
    launcher.start();
    QVERIFY(launcher.wait(30000));

    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts), recorded);
}

QTEST_GUILESS_MAIN(tst_WebThread)
#include "tst_webthread.moc"
