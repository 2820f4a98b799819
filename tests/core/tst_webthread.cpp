#include "TestSupport.h"
#include "launcher/BrowserCommand.h"
#include "launcher/WebThread.h"

class tst_WebThread : public QObject
{
    Q_OBJECT

private slots:
    void launch_data();
    void launch();
};

void tst_WebThread::launch_data()
{
    QTest::addColumn<QString>("command"); // empty: no command of the user's
    QTest::addColumn<QStringList>("recorded");
    // "%", "#", "?" and a blank must all reach the browser intact.
    const QString url = "file:///tmp/a b/50%25%23%3F";
    QTest::newRow("none") << "" << QStringList {url};
    QTest::newRow("quoted with %1") << "\"{browser}\" %1" << QStringList {url};
    QTest::newRow("%1 twice") << "\"{browser}\" --first %1 --second %1"
                              << QStringList {"--first", "%1", "--second", url};
    QTest::newRow("no %1") << "\"{browser}\" --flag" << QStringList {"--flag", url};
}

void tst_WebThread::launch()
{
    QFETCH(QString, command);
    QFETCH(QStringList, recorded);
    const QUrl folder = QUrl::fromLocalFile("/tmp/a b/50%#?");
    if (command.isEmpty()) {
        const BrowserLaunch launch = browserLaunch(command, folder);
        QCOMPARE(launch.program, QString());
        QCOMPARE(launch.arguments, recorded);
        return;
    }
    QTemporaryDir temp(QDir::tempPath() + "/fake browser XXXXXX");
    const QString record = temp.filePath("record");
    makeTree(temp.path(),
             {"browser.sh=#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + record
                      + "'; done\n",
              "browser.sh!0700"});
    WebThread::setCommandForTests(command.replace("{browser}", temp.filePath("browser.sh")));
    WebThread launcher(folder);
    WebThread::setCommandForTests(QString());
    launcher.start();
    QVERIFY(launcher.wait(30000));
    QCOMPARE(QString(readFile(record)).split('\n', Qt::SkipEmptyParts), recorded);
}

QTEST_GUILESS_MAIN(tst_WebThread)
#include "tst_webthread.moc"
