#include "GuiTest.h"
#include "app/TerminationSignals.h"
#include "companion/Dir.h"

#include <QTextEdit>

namespace {
// Each item as "text|state|colour", state C or U, colour B(lack), R(ed) or ? (other).
QStringList itemStates(Trovella &window)
{
    QStringList states;
    const QListWidget *list = typeList(window);
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem *item = list->item(row);
        const QColor colour = item->foreground().color();
        states << item->text() + (item->checkState() == Qt::Checked ? "|C" : "|U")
                        + (colour == Qt::black         ? "|B"
                                   : colour == Qt::red ? "|R"
                                                       : "|?");
    }
    return states;
}

QStringList relativeFiles(Trovella &window)
{
    QStringList paths;
    const QDir root(window.sourceFolder());
    for (const QFileInfo &file : window.files())
        paths << root.relativeFilePath(file.absoluteFilePath());
    paths.sort();
    return paths;
}

QString fieldText(Trovella &window, const char *name)
{
    return widget<QTextEdit>(&window, name)->toPlainText();
}
} // namespace

class tst_Scan : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void memory_data();
    void memory();
    void missingFolderChangesNothing_data();
    void missingFolderChangesNothing();
    void writtenOnlyAfterAScan_data();
    void writtenOnlyAfterAScan();
    void secondScanStopsFirstFill();
    void exitDuringWalk();
    void remembered_data();
    void remembered();

private:
    QTemporaryDir workingDir;
};

void tst_Scan::initTestCase()
{
    // The window keeps its settings and group store in the working directory.
    QVERIFY(QDir::setCurrent(workingDir.path()));
}

void tst_Scan::memory_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("memory");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QStringList>("states");

    // "@before" stands for the destination set before the scan, "@other" for another folder.
    const QStringList jpgPngTxt {"a.jpg", "b.png", "c.txt"};
    const QStringList jpg {"a.jpg"};
    QTest::newRow("no memory") << jpgPngTxt << QByteArray("(none)") << "@before"
                               << QStringList {"jpg|U|R", "png|U|R", "txt|U|R"};
    QTest::newRow("empty folder") << QStringList() << QByteArray("(none)") << "@before"
                                  << QStringList();
    QTest::newRow("memory files left out, other case kept")
            << QStringList {"a.TXT",
                            "sub/b.txt",
                            ".trovella",
                            "sub/x.trovella",
                            "sub/deeper/.trovella",
                            "x.TROVELLA",
                            "y.Trovella"}
            << QByteArray("(none)") << "@before" << QStringList {"trovella|U|R", "txt|U|R"};
    QTest::newRow("checked, unchecked, unknown; empty line clears")
            << jpgPngTxt << QByteArray("\n1:jpg\n0:png\n1:gone\n") << ""
            << QStringList {"jpg|C|B", "png|U|B", "txt|U|R"};
    QTest::newRow("case matters") << QStringList {"a.JPG"} << QByteArray("\n1:JPG\n") << ""
                                  << QStringList {"jpg|U|R"};
    QTest::newRow("in both lists")
            << jpg << QByteArray("\n0:jpg\n1:jpg\n") << "" << QStringList {"jpg|C|B"};
    QTest::newRow("bare prefix is the empty type")
            << QStringList {"README", "a.jpg"} << QByteArray("\n1:\n") << ""
            << QStringList {"|C|B", "jpg|U|R"};
    QTest::newRow("existing folder")
            << jpg << QByteArray("@other\n1:jpg\n") << "@other" << QStringList {"jpg|C|B"};
    QTest::newRow("deleted folder")
            << jpg << QByteArray("@other/gone\n1:jpg\n") << "@before" << QStringList {"jpg|C|B"};
    QTest::newRow("a file is no folder")
            << jpg << QByteArray("@other/file\n1:jpg\n") << "@before" << QStringList {"jpg|C|B"};
}

void tst_Scan::memory()
{
    QFETCH(QStringList, files);
    QFETCH(QByteArray, memory);
    QFETCH(QString, destination);
    QTemporaryDir before;
    QTemporaryDir other;
    makeTree(other.path(), {"file"});
    destination.replace("@before", before.path()).replace("@other", other.path());
    memory.replace("@other", other.path().toLocal8Bit());

    QTemporaryDir setup;
    writeFile(setup.path() + "/.trovella", before.path().toLocal8Bit() + '\n');
    QTemporaryDir tree;
    makeTree(tree.path(), files);
    if (memory != "(none)")
        writeFile(tree.path() + "/.trovella", memory);
    Trovella window;
    int changes = 0;
    connect(typeList(window), &QListWidget::itemChanged, this, [&changes] { ++changes; });
    scan(window, setup.path());
    scan(window, tree.path());
    QCOMPARE(window.destinationFolder(), destination);
    QCOMPARE(fieldText(window, "edDesFolder"), destination);
    QCOMPARE(enabled(window, "bnPick"), !destination.isEmpty());
    QTEST(itemStates(window), "states");
    QCOMPARE(changes, 0);
    QCOMPARE(fieldText(window, "edSrcFolder"), tree.path());
    // Every file of the tree is there to pick but the memory files.
    files.removeIf([](const QString &file) { return file.contains(".trovella"); });
    files.sort();
    QCOMPARE(relativeFiles(window), files);
}

void tst_Scan::missingFolderChangesNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing") << QString("missing");
    QTest::newRow("a file") << QString("tree/a.jpg");
}

void tst_Scan::missingFolderChangesNothing()
{
    QFETCH(QString, path);
    QTemporaryDir root;
    QTemporaryDir destination;
    const QString tree = root.filePath("tree");
    makeTree(tree, {"a.jpg", "b.png"});
    writeFile(tree + "/.trovella", destination.path().toLocal8Bit() + "\n1:jpg\n");
    Trovella window;
    scan(window, tree);
    typeList(window)->item(1)->setCheckState(Qt::Checked);
    widget<QStatusBar>(&window, "statusBar")->showMessage("before");

    const auto snapshot = [&window] {
        return QStringList {window.sourceFolder(),
                            window.destinationFolder(),
                            fieldText(window, "edSrcFolder"),
                            fieldText(window, "edDesFolder"),
                            QString::number(enabled(window, "bnPick")),
                            QString::number(enabled(window, "bnSourceFolder")),
                            statusText(window)}
        + itemStates(window) + relativeFiles(window);
    };
    const QStringList before = snapshot();
    scan(window, root.filePath(path));
    QCOMPARE(snapshot(), before);
}

void tst_Scan::writtenOnlyAfterAScan_data()
{
    QTest::addColumn<bool>("scanned");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("no scan in the run") << false << QByteArray("@dest\n1:gone\n0:\n");
    QTest::newRow("empty list writes one line") << true << QByteArray("@dest\n");
}

void tst_Scan::writtenOnlyAfterAScan()
{
    QFETCH(bool, scanned);
    QFETCH(QByteArray, written);
    QTemporaryDir destination;
    written.replace("@dest", destination.path().toLocal8Bit());
    QTemporaryDir cwd;
    QVERIFY(QDir::setCurrent(cwd.path()));
    QTemporaryDir tree;
    writeFile(tree.path() + "/.trovella", destination.path().toLocal8Bit() + "\n1:gone\n0:\n");
    {
        Trovella window;
        if (scanned)
            scan(window, tree.path());
    }
    QVERIFY(QDir::setCurrent(workingDir.path()));
    QVERIFY(!QFile::exists(cwd.path() + "/.trovella"));
    QVERIFY(!QFile::exists(QCoreApplication::applicationDirPath() + "/.trovella"));
    QCOMPARE(readFile(tree.path() + "/.trovella"), written);
}

void tst_Scan::secondScanStopsFirstFill()
{
    QTemporaryDir first;
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many << QStringLiteral("f.first%1").arg(i);
    makeTree(first.path(), many);
    QTemporaryDir second;
    makeTree(second.path(), {"x.second", "y.other"});
    Trovella window;

    // The first item of the first fill lets events run: a scan queued then starts inside it.
    bool armed = true;
    connect(typeList(window)->model(), &QAbstractItemModel::rowsInserted, this, [&] {
        if (!armed)
            return;
        armed = false;
        QTimer::singleShot(0, &window, [&] { scan(window, second.path()); });
    });
    scan(window, first.path());
    QVERIFY(!armed);

    QCOMPARE(typeTexts(window), QStringList({"other", "second"}));
    QCOMPARE(window.sourceFolder(), second.path());
    QVERIFY(enabled(window, "bnSourceFolder"));
}

void tst_Scan::exitDuringWalk()
{
    QTemporaryDir old;
    makeTree(old.path(), {"a.old"});
    QTemporaryDir tree;
    QStringList files;
    for (int folder = 0; folder < 200; ++folder) {
        for (int file = 0; file < 20; ++file)
            files << QStringLiteral("d%1/f%2.t%3").arg(folder).arg(file).arg(folder % 50);
    }
    makeTree(tree.path(), files);
    const QByteArray memory("\n1:t1\n0:gone\n");
    writeFile(tree.path() + "/.trovella", memory);
    auto window = std::make_unique<Trovella>();
    scan(*window, old.path());
    typeList(*window)->item(0)->setData(Qt::UserRole, "old");

    // Runs in the first events the walk lets through, and presses Exit.
    QStringList duringWalk;
    QTimer::singleShot(0, window.get(), [&] {
        Trovella &w = *window;
        if (typeList(w)->count() != 1 || typeList(w)->item(0)->data(Qt::UserRole) != "old")
            return;
        for (const char *name : {"bnSourceFolder", "bnDesFolder", "bnPick", "bnExit"})
            duringWalk << QStringLiteral("%1=%2").arg(name).arg(enabled(w, name));
        widget<QPushButton>(&w, "bnExit")->click();
    });
    scan(*window, tree.path());
    if (duringWalk.isEmpty())
        QSKIP("walk is not cancellable: it lets no events run");

    QCOMPARE(duringWalk,
             QStringList({"bnSourceFolder=0", "bnDesFolder=0", "bnPick=0", "bnExit=1"}));
    QVERIFY(Mv::Dir::lastReport().cancelled);
    QVERIFY(enabled(*window, "bnSourceFolder"));
    QVERIFY(enabled(*window, "bnDesFolder"));
    window.reset();
    QCOMPARE(readFile(tree.path() + "/.trovella"), memory);
    // The folder shown before the walk keeps its choices.
    QCOMPARE(readFile(old.path() + "/.trovella"), "\n0:old\n");
}

void tst_Scan::remembered_data()
{
    QTest::addColumn<QString>("end");
    for (const char *end : {"exit", "rescan", "other folder", "SIGTERM"})
        QTest::newRow(end) << QString(end);
}

// The choices made in one scan come back in the next scan of the folder, however the first
// one ended.
void tst_Scan::remembered()
{
    QFETCH(QString, end);
    QTemporaryDir tree;
    makeTree(tree.path(), {"a.jpg", "sub/b.png", "c.txt", "d.gz"});
    QTemporaryDir destination;
    QTemporaryDir other;
    auto window = std::make_unique<Trovella>();
    chooseFolder(*window, "bnDesFolder", destination.path());
    QTRY_COMPARE(window->destinationFolder(), destination.path());
    auto *browse = widget<QPushButton>(window.get(), "bnSourceFolder");
    browse->setFocus();
    chooseFolder(*window, "bnSourceFolder", tree.path());
    QTRY_COMPARE(window->sourceFolder(), tree.path());
    // The scan's disabled Browse does not hand the focus on to Exit.
    QCOMPARE(window->focusWidget(), browse);
    for (QListWidgetItem *item : typeList(*window)->findItems("jpg", Qt::MatchExactly)
                 + typeList(*window)->findItems("txt", Qt::MatchExactly))
        item->setCheckState(Qt::Checked);
    makeTree(tree.path(), {"sub/new.webp"});

    if (end == "other folder")
        scan(*window, other.path());
    if (end == "SIGTERM") {
        quitOnTerminationSignals();
        QTimer::singleShot(0, [] {
            QProcess::execute("kill",
                              {"-TERM", QString::number(QCoreApplication::applicationPid())});
        });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!window->isVisible());
    }
    if (end == "exit" || end == "SIGTERM")
        window = std::make_unique<Trovella>();
    scan(*window, tree.path());
    QCOMPARE(itemStates(*window),
             QStringList({"gz|U|B", "jpg|C|B", "png|U|B", "txt|C|B", "webp|U|R"}));
    QCOMPARE(window->destinationFolder(), destination.path());
    QCOMPARE(fieldText(*window, "edDesFolder"), destination.path());
    QVERIFY(enabled(*window, "bnPick"));
}

TROVELLA_GUI_TEST_MAIN(tst_Scan)
#include "tst_scan.moc"
