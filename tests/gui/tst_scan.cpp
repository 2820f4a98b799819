#include "GuiTest.h"
#include "app/TerminationSignals.h"
#include "core/WindowPlacement.h"

#include <QScreen>
#include <QTextEdit>

#include <csignal>

namespace {
// Both folder fields, the destination used, whether Pick is on, each type as "text|C(hecked)
// or U|B(lack), R(ed) or ?", and the status text.
QStringList shown(Trovella &window)
{
    QStringList result {widget<QTextEdit>(&window, "edSrcFolder")->toPlainText(),
                        widget<QTextEdit>(&window, "edDesFolder")->toPlainText(),
                        window.destinationFolder(), enabled(window, "bnPick") ? "Pick" : "-"};
    for (int row = 0; row < typeList(window)->count(); ++row) {
        const QListWidgetItem *item = typeList(window)->item(row);
        const QColor colour = item->foreground().color();
        result << item->text() + (item->checkState() == Qt::Checked ? "|C" : "|U")
                        + (colour == Qt::black         ? "|B"
                                   : colour == Qt::red ? "|R"
                                                       : "|?");
    }
    return result << statusText(window).section(QLatin1Char(','), 0, 0);
}
} // namespace

class tst_Scan : public QObject
{
    Q_OBJECT

private slots:
    void memory_data();
    void memory();
    void secondScanStopsFirstFill();
    void exitDuringWalk();
    void remembered_data();
    void remembered();

private:
    ScratchFolder workingDir;
};

void tst_Scan::memory_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("memory"); // "@other" stands for an existing folder
    QTest::addColumn<QString>("destination"); // "@before" for the one chosen before the scan
    QTest::addColumn<QStringList>("types"); // and the status text
    QTest::newRow("checked wins; case matters; empty line clears")
            << QStringList {"README", "a.jpg", "b.png", "c.txt"}
            << QByteArray("\n0:jpg\n1:jpg\n0:png\n1:gone\n1:TXT\n1:\n") << ""
            << QStringList {"|C|B", "jpg|C|B", "png|U|B", "txt|U|R", "Selected: 2 files"};
    QTest::newRow("folder there; memory files are no type")
            << QStringList {"a.jpg", "sub/b.JPG", ".trovella", "sub/x.trovella", "x.TROVELLA"}
            << QByteArray("@other\n1:jpg\n") << "@other"
            << QStringList {"jpg|C|B", "trovella|U|R", "Selected: 2 files"};
    QTest::newRow("folder gone") << QStringList {"a.jpg"} << QByteArray("@other/gone\n1:jpg\n")
                                 << "@before"
                                 << QStringList {"jpg|C|B", "Selected: 1 file"};
}

void tst_Scan::memory()
{
    QFETCH(QStringList, files);
    QFETCH(QByteArray, memory);
    QFETCH(QString, destination);
    QTemporaryDir before, other, setup, tree;
    destination.replace("@before", before.path()).replace("@other", other.path());
    writeFile(setup.filePath(".trovella"), before.path().toLocal8Bit() + '\n');
    makeTree(tree.path(), files);
    if (!memory.isEmpty())
        writeFile(tree.filePath(".trovella"), memory.replace("@other", other.path().toLocal8Bit()));
    Trovella window;
    int changes = 0;
    connect(typeList(window), &QListWidget::itemChanged, this, [&changes] { ++changes; });
    scan(window, setup.path());
    scan(window, tree.path());
    QFETCH(QStringList, types);
    types = QStringList {tree.path(), destination, destination,
                         destination.isEmpty() ? "-" : "Pick"}
            + types;
    QCOMPARE(shown(window), types);
    QCOMPARE(changes, 0);
    QStringList listed;
    for (const QFileInfo &file : window.files())
        listed << QDir(tree.path()).relativeFilePath(file.filePath());
    listed.sort();
    files.removeIf([](const QString &file) { return file.endsWith(".trovella"); });
    files.sort();
    QCOMPARE(listed, files);
    // A folder that is not there changes nothing.
    scan(window, tree.filePath("a.jpg"));
    scan(window, tree.filePath("gone"));
    QCOMPARE(shown(window), types);
}

void tst_Scan::secondScanStopsFirstFill()
{
    QTemporaryDir first, second;
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many << QStringLiteral("f.first%1").arg(i);
    makeTree(first.path(), many);
    makeTree(second.path(), {"x.second", "y.other"});
    Trovella window;
    // The first item of the first fill lets events run: a scan queued then starts inside it.
    bool armed = true;
    connect(typeList(window)->model(), &QAbstractItemModel::rowsInserted, this, [&] {
        if (std::exchange(armed, false))
            QTimer::singleShot(0, &window, [&] { scan(window, second.path()); });
    });
    scan(window, first.path());
    QCOMPARE(typeTexts(window), QStringList({"other", "second"}));
    QCOMPARE(window.sourceFolder(), second.path());
    QVERIFY(enabled(window, "bnSourceFolder"));
}

void tst_Scan::exitDuringWalk()
{
    QTemporaryDir old, tree;
    makeTree(old.path(), {"a.old"});
    QStringList files;
    for (int file = 0; file < 4000; ++file)
        files << QStringLiteral("d%1/f%2.t%3").arg(file / 20).arg(file).arg(file % 50);
    makeTree(tree.path(), files);
    writeFile(tree.filePath(".trovella"), "\n1:t1\n0:gone\n");
    Trovella window;
    scan(window, old.path());
    // Presses Exit in the first events the walk lets through.
    QStringList duringWalk;
    QTimer::singleShot(0, &window, [&] {
        for (const char *name : {"bnSourceFolder", "bnDesFolder", "bnPick", "bnExit"})
            duringWalk << name + QString::number(enabled(window, name));
        duringWalk << typeTexts(window) << statusText(window).section(':', 0, 0);
        widget<QPushButton>(&window, "bnExit")->click();
    });
    scan(window, tree.path());
    QCOMPARE(duringWalk,
             QStringList(
                     {"bnSourceFolder0", "bnDesFolder0", "bnPick0", "bnExit1", "old", "Scanning"}));
    QVERIFY(enabled(window, "bnSourceFolder") && enabled(window, "bnDesFolder"));
    QVERIFY(statusText(window).startsWith("Selected: "));
    // A list cut short is not remembered; the one shown before the walk is.
    QCOMPARE(readFile(tree.filePath(".trovella")), "\n1:t1\n0:gone\n");
    QCOMPARE(readFile(old.filePath(".trovella")), "\n0:old\n");
}

void tst_Scan::remembered_data()
{
    QTest::addColumn<QString>("end");
    for (const char *end : {"exit", "rescan", "other folder", "SIGTERM"})
        QTest::newRow(end) << QString(end);
}

// The choices made in one scan come back in the next scan of the folder, however the first
// one ended; so do the folders chosen.
void tst_Scan::remembered()
{
    QFETCH(QString, end);
    QTemporaryDir tree, destination, other;
    makeTree(tree.path(), {"a.jpg", "sub/b.png", "c.txt", "d.gz"});
    auto window = std::make_unique<Trovella>();
    QCOMPARE(window->pos(),
             centredPosition(QGuiApplication::primaryScreen()->size(), window->size()));
    QFile::remove("Trovella.ini");
    chooseFolder(*window, "bnDesFolder", destination.path());
    QVERIFY(!enabled(*window, "bnPick"));
    auto *browse = widget<QPushButton>(window.get(), "bnSourceFolder");
    browse->setFocus();
    QCOMPARE(chooseFolder(*window, "bnSourceFolder", tree.path()), QDir::rootPath());
    // The scan's disabled Browse does not hand the focus on to Exit.
    QCOMPARE(window->focusWidget(), browse);
    for (const char *type : {"jpg", "txt"})
        typeList(*window)->findItems(type, Qt::MatchExactly).at(0)->setCheckState(Qt::Checked);
    makeTree(tree.path(), {"sub/new.webp"});

    if (end == "other folder")
        scan(*window, other.path());
    if (end == "SIGTERM") {
        quitOnTerminationSignals();
        QTimer::singleShot(0, [] { ::kill(QCoreApplication::applicationPid(), SIGTERM); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!window->isVisible());
    }
    if (end == "exit" || end == "SIGTERM")
        window = std::make_unique<Trovella>();
    // Cancelled choosers change nothing.
    QCOMPARE(chooseFolder(*window, "bnSourceFolder", QString()), tree.path());
    chooseFolder(*window, "bnDesFolder", QString());
    scan(*window, tree.path());
    const QString dest = destination.path();
    QCOMPARE(shown(*window),
             QStringList({tree.path(), dest, dest, "Pick", "gz|U|B", "jpg|C|B", "png|U|B",
                          "txt|C|B", "webp|U|R", "Selected: 2 files"}));
    window.reset();
    QCOMPARE(readFile(tree.filePath(".trovella")),
             dest.toLocal8Bit() + "\n1:jpg\n1:txt\n0:gz\n0:png\n0:webp\n");
}

TROVELLA_GUI_TEST_MAIN(tst_Scan)
#include "tst_scan.moc"
