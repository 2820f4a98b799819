#include "GuiTest.h"

#include "launcher/WebThread.h"

#include <sys/stat.h>

#include <QRegularExpression>
#include <QShortcut>

// The files below root as "path size", sorted, one a line.
QString tree(const QString &root)
{
    QStringList files = entries(root, QDir::Files);
    for (QString &file : files)
        file += ' ' + QString::number(QFileInfo(root + '/' + file).size());
    return files.join('\n');
}

void matches(const QString &text, const QString &pattern)
{
    QVERIFY2(
            QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch(),
            qPrintable(text));
}

class tst_PickWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(temp.emplace().current); }
    void pick_data();
    void pick();
    void viewResult();

private:
    std::optional<ScratchFolder> temp;
};

void tst_PickWindow::pick_data()
{
    for (const char *column :
         {"setup", "layout", "types", "selected", "question", "status", "files", "details"})
        QTest::addColumn<QString>(column);
    const QString abc = "a.txt b.txt c.txt";
    const QString names = "d/a:b.txt z/Q.txt z/q.txt Dir/x.txt dir/y.txt";
    const QString tooBig = "2\\.0 MB are needed and 1\\.0 MB are free\\.\nPick anyway\\?";
    const QString unstored = "Could not be copied,the disk cannot store this name,"
                             "src/(d/a:b|z/[qQ]).txt,des/src/(d/a:b|z/[qQ]).txt";
    // clang-format off
    QTest::newRow("types") << "" << "2009/a.JPG b.jpg x.tar.gz README notes.txt deep/y.gz deep/Makefile"
        << "jpg,gz," << "Selected: 6 files, 6 bytes" << "" << "Finished."
        << "src/2009/a.JPG 1\nsrc/README 1\nsrc/b.jpg 1\nsrc/deep/Makefile 1\nsrc/deep/y.gz 1\n"
           "src/x.tar.gz 1" << "";
    QTest::newRow("links") << "" << "a.txt sub/up>.. sub/self>self out>../outside "
                                    "../outside/secret.txt gone.txt>nowhere.txt link.txt>a.txt"
        << "txt," << "Selected: 4 files, 2 bytes" << ""
        << "Copied 2 files (2 bytes). 2 could not be copied." << "src/a.txt 1\nsrc/link.txt 1"
        << "Could not be copied,the file is gone since the scan,src/gone.txt,des/src/gone.txt\n"
           "Could not be copied,the link leads in a circle,src/sub/self,des/src/sub/self";
    QTest::newRow("existing") << "existing" << abc << "txt" << "Selected: 3 files, 3 bytes" << ""
        << "Copied 1 file (1 byte). 2 were already there (1 different)."
        << "src/a.txt 1\nsrc/b.txt 2\nsrc/c.txt 1"
        << "\"Already there, different\",,src/b.txt,des/src/b.txt\n"
           "\"Already there, same\",,src/a.txt,des/src/a.txt";
    QTest::newRow("gone, pipe") << "gone, pipe" << abc << "txt" << "Selected: 3 files, 3 bytes"
        << "" << "Copied 1 file (1 byte). 2 could not be copied." << "src/a.txt 1"
        << "Could not be copied,not a regular file,src/c.txt,des/src/c.txt\n"
           "Could not be copied,the file is gone since the scan,src/b.txt,des/src/b.txt";
    for (const char *answer : {"go on", "stop"})
        QTest::newRow(answer) << "size=1m" << abc + " d/big.txt*2097152" << "txt"
            << "Selected: 4 files, 2.0 MB" << tooBig
            << (*answer == 'g' ? "Copied 3 files (3 bytes). 1 could not be copied."
                               : "Nothing was copied.")
            << (*answer == 'g' ? "src/a.txt 1\nsrc/b.txt 1\nsrc/c.txt 1" : "")
            << (*answer == 'g' ? "Could not be copied,the disk is full,src/d/big.txt,"
                                 "des/src/d/big.txt" : "");
    QTest::newRow("read-only") << "ro,size=1m" << abc << "txt" << "Selected: 3 files, 3 bytes"
        << "" << "No file was copied. 3 could not be copied." << ""
        << QString("Could not be copied,the disk is read-only,src/.\\.txt,des/src/.\\.txt\n")
               .repeated(3).chopped(1);
    QTest::newRow("FAT") << "fat" << names << "txt" << "Selected: 5 files, 5 bytes"
        << "The destination cannot store these names; they will not be copied:\n"
           "    (d/a:b|z/[qQ])\\.txt\n    (d/a:b|z/[qQ])\\.txt\nPick anyway\\?"
        << "Copied 3 files (3 bytes). 2 could not be copied."
        << "src/[dD]ir/x.txt 1\nsrc/[dD]ir/y.txt 1\nsrc/z/[qQ].txt 1" << unstored + '\n' + unstored;
    QTest::newRow("NTFS") << "ntfs" << names << "txt" << "Selected: 5 files, 5 bytes" << ""
        << "Finished." << "src/Dir/x.txt 1\nsrc/d/a:b.txt 1\nsrc/dir/y.txt 1\nsrc/z/Q.txt 1\n"
                          "src/z/q.txt 1" << "";
    for (const char *stop : {"Esc", "close"})
        QTest::newRow(stop) << stop << abc << "txt" << "Selected: 3 files, 3 bytes" << ""
            << "Stopped. Copied 1 file (1 byte). 2 were not reached." << "src/.\\.txt 1"
            << "Not reached,,src/(.)\\.txt,des/src/\\1\\.txt\n"
               "Not reached,,src/(.)\\.txt,des/src/\\2\\.txt";
    // clang-format on
}

// Every checked file comes out with one outcome: the tree, the closing message, the saved
// details and the memory of the source tell the same.
void tst_PickWindow::pick()
{
    QFETCH(QString, setup);
    QFETCH(QString, layout);
    QFETCH(QString, types);
    QFETCH(QString, selected);
    QFETCH(QString, question);
    QFETCH(QString, status);
    QFETCH(QString, files);
    QFETCH(QString, details);
    const QString src = temp->filePath("src");
    const QString des = temp->filePath("des");
    // "name*n": a file of n bytes; other files hold one.
    for (const QString &entry : layout.split(' ')) {
        if (entry.contains('>'))
            makeTree(src, {entry});
        else
            writeFile(src + '/' + entry.section('*', 0, 0),
                      QByteArray(entry.section('*', 1).toInt() + !entry.contains('*'), 'x'));
    }
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
        QVERIFY(scanAndCheck(window, src, types.split(',')));
        QTRY_COMPARE(statusText(window), selected);
        if (setup == "gone, pipe")
            QVERIFY(QFile::remove(src + "/b.txt") && QFile::remove(src + "/c.txt")
                    && ::mkfifo(QFile::encodeName(src + "/c.txt").constData(), 0644) == 0);
        // The pick stops after the file in hand.
        connect(
                widget<QStatusBar>(&window, "statusBar"), &QStatusBar::messageChanged, &window,
                [&] {
                    // A change of the list, as a group applied would make, leaves Pick off.
                    typeList(window)->item(0)->setCheckState(Qt::Unchecked);
                    for (const char *name : {"bnPick", "cbbFileTypes", "bnEditFileTypeGroup"})
                        QVERIFY(!enabled(window, name));
                    if (setup == "close")
                        window.close();
                    else if (setup == "Esc")
                        QMetaObject::invokeMethod(window.findChild<QShortcut *>("stopPickShortcut"),
                                                  "activated");
                },
                Qt::SingleShotConnection);
        answerNextQuestion(status == "Nothing was copied." ? QMessageBox::No : QMessageBox::Yes);
        auto *bnPick = widget<QPushButton>(&window, "bnPick");
        bnPick->setFocus();
        QTest::keyClick(bnPick, Qt::Key_Space);

        matches(Prompt::lastText(), question);
        QCOMPARE(statusText(window), status);
        QCOMPARE(window.focusWidget(), typeList(window));
        for (const char *name : {"bnSourceFolder", "bnDesFolder", "listFileTypes"})
            QVERIFY(enabled(window, name));
        QCOMPARE(enabled(window, "bnViewPickResult"), status != "Nothing was copied.");
        const QString found = tree(des);
        matches(found, files);
        const QString csv = temp->filePath("details.csv");
        if (auto *bnDetails = widget<QPushButton>(&window, "bnPickDetails");
            !bnDetails->isHidden()) {
            bnDetails->click();
            chooseFolder(*window.findChild<QDialog *>("PickReportDialog"), "bnSave", csv);
        }
        QStringList lines = QString(readFile(csv)).remove(temp->path() + '/').split('\n');
        lines.removeAll("");
        lines.removeAll("Outcome,Reason,Source,Target");
        lines.sort();
        matches(lines.join('\n'), details);

        // The account stays through changes of the check marks, and a second pick has its own.
        typeList(window)->item(0)->setCheckState(Qt::Unchecked);
        QCOMPARE(statusText(window), status);
        if (setup.isEmpty() && status == "Finished.") {
            typeList(window)->item(0)->setCheckState(Qt::Checked);
            ::pick(window);
            QCOMPARE(statusText(window), "No file was copied. 6 were already there.");
            QCOMPARE(tree(des), found);
        }
        chooseDestination(window, temp->filePath("other"));
        QCOMPARE(statusText(window), QString());
        chooseDestination(window, des);
    }
    // The memory names the folder the files went to, so the next pick goes there again.
    QCOMPARE(readFile(src + "/.trovella").split('\n').first(), (des + "/src").toUtf8());
}

// View Result opens the folder picked into, or says why it cannot.
void tst_PickWindow::viewResult()
{
    const QString des = temp->filePath("50% #1? done");
    writeFile(temp->filePath("src/a"), "");
    writeFile("browser", "#!/bin/sh\necho \"$1\" > out\n");
    QFile::setPermissions("browser", QFile::ReadOwner | QFile::ExeOwner);
    Trovella window;
    chooseDestination(window, des);
    scan(window, temp->filePath("src"));
    ::pick(window);
    for (const QString &command : {temp->filePath("browser %1"), QString("/no/browser")}) {
        WebThread::setCommandForTests(command);
        widget<QPushButton>(&window, "bnViewPickResult")->click();
        QTRY_COMPARE(WebThread::count(), 0);
    }
    QTRY_COMPARE(readFile("out"), QUrl::fromLocalFile(des + "/src").toString().toUtf8() + '\n');
    QCOMPARE(statusText(window), "No web browser could be started to show " + des + "/src.");
}

TROVELLA_GUI_TEST_MAIN(tst_PickWindow)
#include "tst_pickwindow.moc"
