#include "GuiTest.h"

#include "launcher/WebThread.h"

#include <sys/stat.h>

#include <QDateTime>
#include <QLocale>
#include <QProgressBar>
#include <QRegularExpression>
#include <QShortcut>
#include <QTextEdit>

namespace {

// A browser stand-in that appends a line per call to record and, when told to, waits until
// the file release exists.
QString fakeBrowser(const QTemporaryDir &temp, bool hold)
{
    const QString path = temp.filePath("browser.sh");
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return QString();
    const QByteArray record = temp.filePath("record").toUtf8();
    script.write("#!/bin/sh\necho \"start $1\" >> '" + record + "'\n");
    if (hold)
        script.write("i=0; while [ ! -e '" + temp.filePath("release").toUtf8()
                     + "' ] && [ $i -lt 200 ]; do sleep 0.1; i=$((i+1)); done\n"
                       "echo done >> '"
                     + record + "'\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    return path;
}

QStringList recordLines(const QTemporaryDir &temp)
{
    return QString::fromUtf8(readFile(temp.filePath("record"))).split('\n', Qt::SkipEmptyParts);
}
} // namespace

class tst_PickWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pick_data();
    void pick();
    void secondPickAddsNoName();
    void account_data();
    void account();
    void stopMidPick_data();
    void stopMidPick();
    void viewResult_data();
    void viewResult();
    void launchersRunAlongside();

private:
    std::optional<ScratchFolder> temp;
    QStringList messages;
};

void tst_PickWindow::init()
{
    temp.emplace();
    QVERIFY(temp->current);
    messages.clear();
}

void tst_PickWindow::cleanup()
{
    WebThread::setCommandForTests(QString());
    QTRY_COMPARE(WebThread::count(), 0);
}

void tst_PickWindow::pick_data()
{
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("jpg and gz") << QStringList {
            "jpg", "gz"} << QStringList {"2009/a.JPG", "archive.tar.gz", "b.jpg", "deep/x/y.gz"};
    QTest::newRow("empty type") << QStringList {""} << QStringList {"README", "deep/Makefile"};
    QTest::newRow("nothing checked") << QStringList {} << QStringList {};
}

void tst_PickWindow::pick()
{
    QFETCH(QStringList, types);
    QFETCH(QStringList, expected);
    const QString src = temp->filePath("Photos");
    const QString des = temp->filePath("Backup");
    for (const char *name : {"2009/a.JPG", "b.jpg", "archive.tar.gz", "README", "notes.txt",
                             "deep/x/y.gz", "deep/Makefile"})
        writeFile(src + '/' + name, name);

    Trovella window;
    chooseDestination(window, des);
    QVERIFY(scanAndCheck(window, src, types));
    auto *status = widget<QStatusBar>(&window, "statusBar");
    connect(status, &QStatusBar::messageChanged, this, [this](const QString &m) { messages << m; });

    // By keyboard: the focus comes back to the list, not to Exit.
    auto *bnPick = widget<QPushButton>(&window, "bnPick");
    bnPick->setFocus();
    QTest::keyClick(bnPick, Qt::Key_Space);
    QCOMPARE(window.focusWidget(), typeList(window));

    QCOMPARE(window.destinationFolder(), des);
    QCOMPARE(widget<QTextEdit>(&window, "edDesFolder")->toPlainText(), des);
    // Nothing at all is created when nothing is picked.
    QStringList under;
    for (const QString &name : expected) {
        under << "Photos/" + name;
        QCOMPARE(readFile(des + "/Photos/" + name), name.toUtf8());
    }
    QCOMPARE(entries(des, expected.isEmpty() ? QDir::AllEntries : QDir::Files), under);
    QStringList creating;
    for (const QString &m : std::as_const(messages)) {
        if (m.startsWith("Creating: "))
            creating << QDir(des + "/Photos").relativeFilePath(m.mid(10));
    }
    creating.sort();
    QCOMPARE(creating, expected);
    QCOMPARE(status->currentMessage(), QStringLiteral("Finished."));

    auto *progress = widget<QProgressBar>(&window, "progressBar");
    QCOMPARE(progress->value(), int(expected.size()));
    QVERIFY(progress->isHidden());
    QVERIFY(!enabled(window, "bnPick"));
    for (const char *name : {"bnViewPickResult", "bnSourceFolder", "bnDesFolder", "listFileTypes"})
        QVERIFY2(enabled(window, name), name);
}

// Each pick derives its target from the folder the user chose; the memory names the target.
void tst_PickWindow::secondPickAddsNoName()
{
    const QString des = temp->filePath("Backup");
    for (const char *name : {"Photos/a.jpg", "Photos/b.jpg", "Music/c.jpg"})
        writeFile(temp->filePath(name), name);
    // Left from an earlier pick: stays as it is.
    writeFile(des + "/Photos/a.jpg", "old");
    {
        Trovella window;
        chooseDestination(window, des);
        QVERIFY(scanAndCheck(window, temp->filePath("Photos"), {"jpg"}));
        auto *bnPick = widget<QPushButton>(&window, "bnPick");
        bnPick->click();
        // Any change of an item applies the enabling rule again.
        auto *list = widget<QListWidget>(&window, "listFileTypes");
        list->item(0)->setCheckState(Qt::Unchecked);
        list->item(0)->setCheckState(Qt::Checked);
        bnPick->click();
        QCOMPARE(statusText(window),
                 QStringLiteral("No file was copied. 2 were already there (1 different)."));
        QVERIFY(scanAndCheck(window, temp->filePath("Music"), {"jpg"}));
        bnPick->click();
    }
    QCOMPARE(entries(des, QDir::Files),
             (QStringList {"Music/c.jpg", "Photos/a.jpg", "Photos/b.jpg"}));
    QCOMPARE(readFile(des + "/Photos/a.jpg"), "old");
    QCOMPARE(readFile(temp->filePath("Music/.trovella")).split('\n').first(), des + "/Music");
}

void tst_PickWindow::account_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    // Patterns for the lines of the saved details, sorted, paths relative to the test folder.
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("existing files")
            << QString("existing")
            << QString("Copied 1 file (1 byte). 2 were already there (1 different).")
            << QStringList {"\"Already there, different\",,src/b.txt,des/src/b.txt",
                            "\"Already there, same\",,src/a.txt,des/src/a.txt"};
    QTest::newRow("vanished source")
            << QString("vanished") << QString("Copied 2 files (2 bytes). 1 could not be copied.")
            << QStringList {"Could not be copied,the file is gone since the "
                            "scan,src/b.txt,des/src/b.txt"};
    QTest::newRow("named pipe")
            << QString("fifo") << QString("Copied 2 files (2 bytes). 1 could not be copied.")
            << QStringList {"Could not be copied,not a regular file,src/b.txt,des/src/b.txt"};
    QTest::newRow("full destination")
            << QString("full") << QString("Copied 3 files (3 bytes). 1 could not be copied.")
            << QStringList {"Could not be copied,the disk is full,src/d/big.txt,des/src/d/big.txt"};
    QTest::newRow("read-only destination")
            << QString("ro") << QString("No file was copied. 3 could not be copied.")
            << QStringList(3,
                           "Could not be copied,the disk is read-only,src/.\\.txt,des/src/.\\.txt");
    QTest::newRow("name FAT cannot store")
            << QString("fat") << QString("Copied 3 files (3 bytes). 1 could not be copied.")
            << QStringList {"Could not be copied,the disk cannot store this "
                            "name,src/d/a:b.txt,des/src/d/a:b.txt"};
    QTest::newRow("stop") << QString("stop")
                          << QString("Stopped. Copied 1 file (1 byte). 2 were not reached.")
                          << QStringList(2, "Not reached,,src/.\\.txt,des/src/.\\.txt");
}

// Every selected file comes out with one outcome; the closing message stays and Details…
// saves the rows that were not simply copied.
void tst_PickWindow::account()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QFETCH(QStringList, rows);
    const QString src = temp->filePath("src");
    const QString des = temp->filePath("des");
    const QDateTime old = QDateTime::fromString("2009-05-01T12:00:00", Qt::ISODate);
    for (const char *name : {"a", "b", "c"}) {
        writeFile(QString("%1/%2.txt").arg(src, name), name);
        QFile file(QString("%1/%2.txt").arg(src, name));
        QVERIFY(file.open(QIODevice::ReadWrite)
                && file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    if (fault == "full")
        writeFile(src + "/d/big.txt", QByteArray(2 * 1024 * 1024, 'b'));
    if (fault == "fat")
        writeFile(src + "/d/a:b.txt", "x");
    std::unique_ptr<Mount> mount;
    std::unique_ptr<DiskImage> fat;
    if (fault == "full" || fault == "ro") {
        mount = std::make_unique<Mount>(des, fault == "ro" ? "ro,size=1m" : "size=1m");
        if (!mount->mounted)
            QSKIP("cannot mount a tmpfs here (needs root)");
    } else if (fault == "fat") {
        fat = std::make_unique<DiskImage>(temp->filePath("fat.img"), des, DiskImage::Fat);
        if (!fat->mounted())
            QSKIP(qPrintable(fat->reason));
    } else if (fault == "existing") {
        writeFile(des + "/src/a.txt", "a");
        QFile same(des + "/src/a.txt");
        QVERIFY(same.open(QIODevice::ReadWrite)
                && same.setFileTime(old, QFileDevice::FileModificationTime));
        writeFile(des + "/src/b.txt", "x");
    }

    Trovella window;
    chooseDestination(window, des);
    QVERIFY(scanAndCheck(window, src, {"txt"}));
    if (fault == "vanished" || fault == "fifo")
        QVERIFY(QFile::remove(src + "/b.txt"));
    if (fault == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(src + "/b.txt").constData(), 0644), 0);
    if (fault == "stop")
        connect(widget<QStatusBar>(&window, "statusBar"), &QStatusBar::messageChanged, &window,
                [&window] {
                    QMetaObject::invokeMethod(window.findChild<QShortcut *>("stopPickShortcut"),
                                              "activated");
                });
    for (int i = fault == "ro" ? 3 : fault == "existing" || fault == "stop" ? 0 : 1; i > 0; --i)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Could not copy "));
    // The full and read-only destinations are short of room, FAT of names: go on when asked.
    answerNextQuestion(QMessageBox::Yes);
    ::pick(window);

    QCOMPARE(statusText(window), message);
    // A change of check marks does not hide the account; a new destination does.
    typeList(window)->item(0)->setCheckState(Qt::Unchecked);
    QCOMPARE(statusText(window), message);
    const PickReport &report = window.lastPickReport();
    int counted = 0;
    for (int outcome = 0; outcome <= PickReport::NotReached; ++outcome)
        counted += report.count(PickReport::Outcome(outcome));
    QCOMPARE(counted, fault == "full" || fault == "fat" ? 4 : 3);

    auto *details = widget<QPushButton>(&window, "bnPickDetails");
    QVERIFY(details->isVisible());
    details->click();
    auto *dialog = window.findChild<QDialog *>("PickReportDialog");
    QVERIFY(dialog);
    const QString csv = temp->filePath("details.csv");
    chooseFolder(*dialog, "bnSave", csv);
    QStringList lines = QString::fromUtf8(readFile(csv))
                                .replace(temp->path() + '/', "")
                                .split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.takeFirst(), QString("Outcome,Reason,Source,Target"));
    lines.sort();
    QCOMPARE(lines.size(), rows.size());
    for (int i = 0; i < rows.size(); ++i)
        QVERIFY2(QRegularExpression('^' + rows.at(i) + '$').match(lines.at(i)).hasMatch(),
                 qPrintable(lines.at(i)));
    chooseDestination(window, temp->filePath("other"));
    QVERIFY(statusText(window).isEmpty());
    QVERIFY(!details->isVisible());
}

void tst_PickWindow::stopMidPick_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("window closed") << false;
    QTest::newRow("Esc") << true;
}

// The copy stops after the current file; every file copied is whole.
void tst_PickWindow::stopMidPick()
{
    QFETCH(bool, escape);
    const QString src = temp->filePath("src");
    const QString des = temp->filePath("des");
    const int count = 2000;
    for (int i = 0; i < count; ++i)
        writeFile(QString("%1/d%2/f%3.txt").arg(src).arg(i % 10).arg(i), QByteArray::number(i));
    Trovella window;
    chooseDestination(window, des);
    QVERIFY(scanAndCheck(window, src, {"txt"}));
    // Esc goes to the active window, which the folder dialog was last.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QStringList messages;
    QStringList enabledMidPick;
    connect(widget<QStatusBar>(&window, "statusBar"), &QStatusBar::messageChanged, this,
            [&](const QString &m) {
                messages << m;
                if (!m.startsWith("Creating: ") || messages.count() != 1)
                    return;
                // A change of the list, as a group applied would make, leaves Pick off.
                typeList(window)->item(0)->setCheckState(Qt::Unchecked);
                for (const char *name : {"bnPick", "cbbFileTypes", "bnEditFileTypeGroup"}) {
                    if (enabled(window, name))
                        enabledMidPick << name;
                }
                QTimer::singleShot(0, &window, [&window, escape] {
                    if (escape)
                        QTest::keyClick(&window, Qt::Key_Escape);
                    else
                        window.close();
                });
            });
    ::pick(window);

    QCOMPARE(enabledMidPick, QStringList());
    QCOMPARE(window.isVisible(), escape);
    const QStringList copied = entries(des + "/src", QDir::Files);
    QVERIFY2(copied.size() < count, "the pick went on after it was stopped");
    for (const QString &name : copied)
        QCOMPARE(readFile(des + "/src/" + name), readFile(src + '/' + name));
    const QString message = statusText(window);
    QVERIFY2(message.startsWith("Stopped. ")
                     && message.endsWith(QString("). %1 were not reached.")
                                                 .arg(QLocale().toString(count - copied.size()))),
             qPrintable(message));
    if (!escape)
        return;
    // The pick's messages were not mixed with summaries.
    QVERIFY(messages.filter(QRegularExpression("^Selected: ")).isEmpty());
    for (const char *name : {"bnSourceFolder", "bnDesFolder", "listFileTypes", "bnViewPickResult",
                             "cbbFileTypes", "bnEditFileTypeGroup"})
        QVERIFY2(enabled(window, name), name);
}

void tst_PickWindow::viewResult_data()
{
    QTest::addColumn<bool>("browser");
    QTest::newRow("browser") << true;
    QTest::newRow("none") << false;
}

void tst_PickWindow::viewResult()
{
    QFETCH(bool, browser);
    const QString command = browser ? fakeBrowser(*temp, false) : "/nonexistent/browser";
    WebThread::setCommandForTests('"' + command + "\" %1");
    const QString des = temp->filePath("50% #1? done");

    QDir().mkpath(temp->filePath("src"));

    Trovella window;
    chooseDestination(window, des);
    scan(window, temp->filePath("src"));
    ::pick(window);
    if (!browser)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Could not start the browser"));
    widget<QPushButton>(&window, "bnViewPickResult")->click();

    if (browser)
        QTRY_COMPARE(recordLines(*temp),
                     QStringList {"start " + QUrl::fromLocalFile(des + "/src").toString()});
    else
        QTRY_COMPARE(statusText(window),
                     "No web browser could be started to show " + des + "/src.");
}

void tst_PickWindow::launchersRunAlongside()
{
    const QString browser = fakeBrowser(*temp, true);
    QVERIFY(!browser.isEmpty());
    WebThread::setCommandForTests('"' + browser + "\" %1");

    Trovella window;
    window.show();
    QMetaObject::invokeMethod(&window, "SetWebViewUrl", Q_ARG(QUrl, QUrl("https://example.org/a")));
    QMetaObject::invokeMethod(&window, "SetWebViewUrl", Q_ARG(QUrl, QUrl("https://example.org/a")));

    // Both browsers run while the window goes on; neither launcher is released yet.
    QTRY_COMPARE(recordLines(*temp), QStringList(2, "start https://example.org/a"));
    QCOMPARE(WebThread::count(), 2);

    writeFile(temp->filePath("release"), "");
    QTRY_COMPARE_WITH_TIMEOUT(WebThread::count(), 0, 30000);
    QCOMPARE(recordLines(*temp).count("done"), 2);
}

TROVELLA_GUI_TEST_MAIN(tst_PickWindow)
#include "tst_pickwindow.moc"
