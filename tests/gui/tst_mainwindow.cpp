#include "GuiTest.h"

#include <QSettings>

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void settingsFile();
    void pickRule();
};

void tst_MainWindow::settingsFile()
{
    // A working directory of its own, without a group store: the tests here are about the window.
    ScratchFolder scratch;
    QVERIFY(scratch.current);
    writeFile("FileTypeGroup", {});
    QTemporaryDir chosen;
    const QString rootPath = QDir(QDir::rootPath()).absolutePath();
    {
        Trovella w;
        w.show();
        QCOMPARE(chooseFolder(w, "bnSourceFolder", chosen.path()), rootPath);
    }
    QSettings settings(QStringLiteral("Trovella.ini"), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("SourceFolder")).toString(), chosen.path());
    {
        // A new window opens the dialog where the last one left it; a cancel changes nothing.
        Trovella w;
        w.show();
        QCOMPARE(chooseFolder(w, "bnSourceFolder", QString()), chosen.path());
    }
    {
        // Another working directory knows nothing of it.
        ScratchFolder elsewhere;
        writeFile("FileTypeGroup", {});
        Trovella w;
        w.show();
        QCOMPARE(chooseFolder(w, "bnSourceFolder", QString()), rootPath);
        QVERIFY(!QFile::exists(QStringLiteral("Trovella.ini")));
    }
}

void tst_MainWindow::pickRule()
{
    ScratchFolder scratch;
    QVERIFY(scratch.current);
    writeFile("FileTypeGroup", {});
    QTemporaryDir source;
    QTemporaryDir destination;
    writeFile(source.filePath("a.jpg"), {});

    Trovella w;
    w.show();
    auto *pick = widget<QPushButton>(&w, "bnPick");

    // Destination alone leaves Pick off.
    chooseFolder(w, "bnDesFolder", destination.path());
    QVERIFY(!pick->isEnabled());

    // The scan applies the rule: both folders set, so Pick is on with nothing checked.
    scan(w, source.path());
    QVERIFY(pick->isEnabled());
    QCOMPARE(typeList(w)->count(), 1);

    // A cancelled destination dialog keeps everything.
    chooseFolder(w, "bnDesFolder", QString());
    QCOMPARE(w.destinationFolder(), destination.path());
    QVERIFY(pick->isEnabled());
}

TROVELLA_GUI_TEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
