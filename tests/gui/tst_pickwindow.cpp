#include "GuiTest.h"

#include "launcher/WebThread.h"

#include <sys/stat.h>

#include <QLocale>
#include <QRegularExpression>
#include <QShortcut>

// "name" a file holding one byte, "name*n" one of n bytes, "dir/" a folder, "name>target" a link.
void plant(const QString &root, const QStringList &layout)
{
    for (const QString &entry : layout) {
        const QStringList sized = entry.split('*');
        if (entry.contains('>') || entry.endsWith('/'))
            makeTree(root, {entry});
        else
            writeFile(root + '/' + sized[0], QByteArray(sized.value(1, "1").toInt(), 'x'));
    }
}

// The files below root as "path size", sorted.
QStringList tree(const QString &root)
{
    QStringList files = entries(root, QDir::Files);
    for (QString &file : files)
        file += ' ' + QString::number(QFileInfo(root + '/' + file).size());
    return files;
}

class tst_PickWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(temp.emplace().current); }
    void cleanup() { WebThread::setCommandForTests(QString()); }
    void pick_data();
    void pick();
    void stopMidPick_data();
    void stopMidPick();
    void viewResult_data();
    void viewResult();

private:
    std::optional<ScratchFolder> temp;
};

void tst_PickWindow::pick_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QString>("question"); // a pattern for the whole question, if one is asked
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("details"); // the saved rows, sorted, as patterns
    const QStringList abc {"a.txt", "b.txt", "c.txt"};
    const QStringList names {"d/a:b.txt", "z/Q.txt", "z/q.txt", "Dir/x.txt", "dir/y.txt"};
    const QString tooBig = "2\\.0 MB are needed and 1\\.0 MB are free\\.\nPick anyway\\?";

    QTest::newRow("types") << ""
                           << QStringList {"2009/a.JPG", "b.jpg",     "x.tar.gz",     "README",
                                           "notes.txt",  "deep/y.gz", "deep/Makefile"}
                           << QStringList {"jpg", "gz", ""} << ""
                           << "Finished." << QStringList {"src/2009/a.JPG 1", "src/README 1",
                                                          "src/b.jpg 1",      "src/deep/Makefile 1",
                                                          "src/deep/y.gz 1",  "src/x.tar.gz 1"}
                           << QStringList {};
    QTest::newRow("links") << ""
                           << QStringList {"a.txt",
                                           "sub/up>..",
                                           "sub/self>self",
                                           "out>../outside",
                                           "../outside/secret.txt",
                                           "gone.txt>nowhere.txt",
                                           "link.txt>a.txt"}
                           << QStringList {"txt", ""} << ""
                           << "Copied 2 files (2 bytes). 2 could not be copied."
                           << QStringList {"src/a.txt 1", "src/link.txt 1"}
                           << QStringList {"Could not be copied,the file is gone since the "
                                           "scan,src/gone.txt,des/src/gone.txt",
                                           "Could not be copied,the link leads in a "
                                           "circle,src/sub/self,des/src/sub/self"};
    QTest::newRow("existing") << "existing" << abc << QStringList {"txt"} << ""
                              << "Copied 1 file (1 byte). 2 were already there (1 different)."
                              << QStringList {"src/a.txt 1", "src/b.txt 2", "src/c.txt 1"}
                              << QStringList {
                                         "\"Already there, different\",,src/b.txt,des/src/b.txt",
                                         "\"Already there, same\",,src/a.txt,des/src/a.txt"};
    QTest::newRow("vanished") << "vanished" << abc << QStringList {"txt"} << ""
                              << "Copied 2 files (2 bytes). 1 could not be copied."
                              << QStringList {"src/a.txt 1", "src/c.txt 1"}
                              << QStringList {"Could not be copied,the file is gone since the "
                                              "scan,src/b.txt,des/src/b.txt"};
    QTest::newRow("fifo")
            << "fifo" << abc << QStringList {"txt"} << ""
            << "Copied 2 files (2 bytes). 1 could not be copied."
            << QStringList {"src/a.txt 1", "src/c.txt 1"}
            << QStringList {"Could not be copied,not a regular file,src/b.txt,des/src/b.txt"};
    QTest::newRow("full, go on") << "size=1m" << abc + QStringList {"d/big.txt*2097152"}
                                 << QStringList {"txt"} << tooBig
                                 << "Copied 3 files (3 bytes). 1 could not be copied."
                                 << QStringList {"src/a.txt 1", "src/b.txt 1", "src/c.txt 1"}
                                 << QStringList {"Could not be copied,the disk is "
                                                 "full,src/d/big.txt,des/src/d/big.txt"};
    QTest::newRow("full, stop") << "size=1m" << abc + QStringList {"d/big.txt*2097152"}
                                << QStringList {"txt"} << tooBig << "Nothing was copied."
                                << QStringList {} << QStringList {};
    QTest::newRow("read-only") << "ro,size=1m" << abc << QStringList {"txt"} << ""
                               << "No file was copied. 3 could not be copied." << QStringList {}
                               << QStringList(3,
                                              "Could not be copied,the disk is "
                                              "read-only,src/.\\.txt,des/src/.\\.txt");
    QTest::newRow("FAT")
            << "fat" << names << QStringList {"txt"}
            << "The destination cannot store these names; they will not be "
               "copied:\n    (d/a:b|z/[qQ])\\.txt\n    (d/a:b|z/[qQ])\\.txt\nPick anyway\\?"
            << "Copied 3 files (3 bytes). 2 could not be copied."
            << QStringList {"src/[dD]ir/x.txt 1", "src/[dD]ir/y.txt 1", "src/z/[qQ].txt 1"}
            << QStringList(2,
                           "Could not be copied,the disk cannot store this "
                           "name,src/(d/a:b|z/[qQ]).txt,des/src/(d/a:b|z/[qQ]).txt");
    QTest::newRow("NTFS") << "ntfs" << names << QStringList {"txt"} << ""
                          << "Finished."
                          << QStringList {"src/Dir/x.txt 1", "src/d/a:b.txt 1", "src/dir/y.txt 1",
                                          "src/z/Q.txt 1", "src/z/q.txt 1"}
                          << QStringList {};
}

// Every checked file comes out with one outcome: the tree, the closing message, the saved
// details and the memory of the source tell the same.
void tst_PickWindow::pick()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, layout);
    QFETCH(QStringList, types);
    QFETCH(QString, question);
    QFETCH(QString, status);
    QFETCH(QStringList, files);
    QFETCH(QStringList, details);
    const QString src = temp->filePath("src");
    const QString des = temp->filePath("des");
    plant(src, layout);
    std::optional<Mount> mount;
    std::optional<DiskImage> disk;
    if (setup.contains("size=") && !mount.emplace(des, setup).mounted)
        QSKIP("cannot mount a tmpfs here (needs root)");
    if (setup == "fat" || setup == "ntfs") {
        disk.emplace(temp->filePath("disk.img"), des,
                     setup == "fat" ? DiskImage::Fat : DiskImage::Ntfs);
        if (!disk->mounted())
            QSKIP(qPrintable(disk->reason));
    }
    if (setup == "existing") {
        QDir().mkpath(des + "/src");
        QCOMPARE(QProcess::execute("cp", {"-p", src + "/a.txt", des + "/src/a.txt"}), 0);
        writeFile(des + "/src/b.txt", "xx");
    }
    {
        Trovella window;
        chooseDestination(window, des);
        QVERIFY(scanAndCheck(window, src, types));
        if (setup == "vanished" || setup == "fifo")
            QVERIFY(QFile::remove(src + "/b.txt"));
        if (setup == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(src + "/b.txt").constData(), 0644), 0);
        answerNextQuestion(status == "Nothing was copied." ? QMessageBox::No : QMessageBox::Yes);
        auto *bnPick = widget<QPushButton>(&window, "bnPick");
        bnPick->setFocus();
        QTest::keyClick(bnPick, Qt::Key_Space);

        QVERIFY(QRegularExpression(QRegularExpression::anchoredPattern(question))
                        .match(Prompt::lastText())
                        .hasMatch());
        QCOMPARE(statusText(window), status);
        QCOMPARE(window.focusWidget(), typeList(window));
        for (const char *name : {"bnSourceFolder", "bnDesFolder", "listFileTypes"})
            QVERIFY(enabled(window, name));
        QCOMPARE(enabled(window, "bnViewPickResult"), status != "Nothing was copied.");
        QCOMPARE(entries(des).isEmpty(), files.isEmpty());
        const QStringList found = tree(des);
        QCOMPARE(found.size(), files.size());
        for (int i = 0; i < files.size(); ++i)
            QVERIFY2(QRegularExpression('^' + files[i] + '$').match(found[i]).hasMatch(),
                     qPrintable(found[i]));

        const QString csv = temp->filePath("details.csv");
        if (auto *bnDetails = widget<QPushButton>(&window, "bnPickDetails");
            bnDetails->isVisible()) {
            bnDetails->click();
            chooseFolder(*window.findChild<QDialog *>("PickReportDialog"), "bnSave", csv);
        }
        QStringList lines = QString(readFile(csv)).remove(temp->path() + '/').split('\n');
        lines.removeAll("");
        lines.removeAll("Outcome,Reason,Source,Target");
        lines.sort();
        QCOMPARE(lines.size(), details.size());
        for (int i = 0; i < details.size(); ++i)
            QVERIFY2(QRegularExpression('^' + details[i] + '$').match(lines[i]).hasMatch(),
                     qPrintable(lines[i]));

        // The account stays through changes of the check marks, and a second pick has its own.
        typeList(window)->item(0)->setCheckState(Qt::Unchecked);
        QCOMPARE(statusText(window), status);
        if (setup.isEmpty() && status == "Finished.") {
            typeList(window)->item(0)->setCheckState(Qt::Checked);
            ::pick(window);
            QCOMPARE(statusText(window),
                     QString("No file was copied. %1 were already there.").arg(files.size()));
            QCOMPARE(tree(des), found);
        }
        chooseDestination(window, temp->filePath("other"));
        QCOMPARE(statusText(window), QString());
        chooseDestination(window, des);
    }
    // The memory names the folder the files went to, so the next pick goes there again.
    QCOMPARE(readFile(src + "/.trovella").split('\n').first(), (des + "/src").toUtf8());
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
    QStringList messages;
    QStringList enabledMidPick;
    connect(widget<QStatusBar>(&window, "statusBar"), &QStatusBar::messageChanged, this,
            [&](const QString &m) {
                messages << m;
                if (messages.count() != 1)
                    return;
                // A change of the list, as a group applied would make, leaves Pick off.
                typeList(window)->item(0)->setCheckState(Qt::Unchecked);
                for (const char *name : {"bnPick", "cbbFileTypes", "bnEditFileTypeGroup"})
                    if (enabled(window, name))
                        enabledMidPick << name;
                QTimer::singleShot(0, &window, [&window, escape] {
                    if (escape)
                        QMetaObject::invokeMethod(window.findChild<QShortcut *>("stopPickShortcut"),
                                                  "activated");
                    else
                        window.close();
                });
            });
    ::pick(window);

    QCOMPARE(enabledMidPick, QStringList());
    QCOMPARE(window.isVisible(), escape);
    const QStringList copied = entries(des + "/src", QDir::Files);
    QVERIFY(copied.size() < count);
    for (const QString &name : copied)
        QCOMPARE(readFile(des + "/src/" + name), readFile(src + '/' + name));
    QVERIFY(QRegularExpression(
                    QString("^Stopped\\. Copied %1 files \\(.*\\)\\. %2 were not reached\\.$")
                            .arg(copied.size())
                            .arg(QLocale().toString(count - copied.size())))
                    .match(statusText(window))
                    .hasMatch());
    QVERIFY(messages.filter(QRegularExpression("^Selected: ")).isEmpty());
    for (const char *name : {"bnSourceFolder", "bnDesFolder", "cbbFileTypes", "bnViewPickResult"})
        QVERIFY(enabled(window, name));
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
    const QString record = temp->filePath("record");
    writeFile(temp->filePath("browser.sh"),
              "#!/bin/sh\necho \"$1\" >> '" + record.toUtf8() + "'\n");
    QFile::setPermissions(temp->filePath("browser.sh"), QFile::ReadOwner | QFile::ExeOwner);
    WebThread::setCommandForTests(browser ? temp->filePath("browser.sh") + " %1" : "/no/browser");
    const QString des = temp->filePath("50% #1? done");
    QDir().mkpath(temp->filePath("src"));

    Trovella window;
    chooseDestination(window, des);
    scan(window, temp->filePath("src"));
    ::pick(window);
    widget<QPushButton>(&window, "bnViewPickResult")->click();
    if (browser)
        QTRY_COMPARE(readFile(record),
                     QUrl::fromLocalFile(des + "/src").toString().toUtf8() + '\n');
    else
        QTRY_COMPARE(statusText(window),
                     "No web browser could be started to show " + des + "/src.");
    QTRY_COMPARE(WebThread::count(), 0);
}

TROVELLA_GUI_TEST_MAIN(tst_PickWindow)
#include "tst_pickwindow.moc"
