#include "GuiTest.h"
#include "app/TerminationSignals.h"
#include "core/WindowPlacement.h"
#include "mainwindow/AdvertPage.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTextEdit>
#include <QWebEngineView>

#include <csignal>

namespace {
const QString storeFile = QStringLiteral("FileTypeGroup");

QStringList entries(QComboBox *box)
{
    QStringList result;
    for (int i = 0; i < box->count(); ++i)
        result << box->itemText(i);
    return result;
}

// Each type on the list, "*" marking a checked one and "!" one shown in red as new.
QStringList types(Trovella &window)
{
    QStringList result;
    for (int row = 0; row < typeList(window)->count(); ++row) {
        const QListWidgetItem *item = typeList(window)->item(row);
        result << item->text() + (item->checkState() == Qt::Checked ? "*" : "")
                        + (item->foreground().color() == Qt::red ? "!" : "");
    }
    return result;
}

void setTypes(Trovella &window, const QStringList &types)
{
    typeList(window)->clear();
    for (const QString &type : types)
        (new QListWidgetItem(QString(type).remove('*'), typeList(window)))
                ->setCheckState(type.endsWith('*') ? Qt::Checked : Qt::Unchecked);
}

// Both folder fields, the destination used, whether Pick is on, the types and the status text.
QStringList shown(Trovella &window)
{
    return QStringList {widget<QTextEdit>(&window, "edSrcFolder")->toPlainText(),
                        widget<QTextEdit>(&window, "edDesFolder")->toPlainText(),
                        window.destinationFolder(), enabled(window, "bnPick") ? "Pick" : "-"}
            + types(window)
            << statusText(window).section(',', 0, 0);
}

// Opens the group editor, takes the steps there and presses OK, unless a step is "cancel".
// Steps: "name:T" puts T over the whole name as a user types or pastes it, "choose:N" chooses
// entry N, "types:T" types T after the list, "new" and "delete" press those buttons, "fail"
// makes the save fail. Returns the name's tooltips on the way, then the names, the types, the
// hint under them, the last warning and the main window's group.
QStringList edit(Trovella &window, const QStringList &steps)
{
    QStringList seen;
    whenModalOpens(&window, [&](QWidget *dialog) {
        auto *name = widget<QComboBox>(dialog, "cbbGroupName");
        auto *types = widget<QPlainTextEdit>(dialog, "edTypes");
        for (const QString &step : steps) {
            if (step.startsWith("name:")) {
                name->lineEdit()->selectAll();
                name->lineEdit()->insert(step.mid(5));
            } else if (step.startsWith("types:")) {
                types->setPlainText(types->toPlainText() + step.mid(6));
            } else if (step.startsWith("choose:")) {
                name->setCurrentIndex(step.mid(7).toInt());
            } else if (step == "fail") {
                // The save fails; the editor opens again with the edits, for another OK.
                QVERIFY(QFile::remove(storeFile) && QDir().mkdir(storeFile));
                whenModalOpens(&window, [&](QWidget *again) {
                    seen << entries(widget<QComboBox>(again, "cbbGroupName")).join(',');
                    QDir().rmdir(storeFile);
                    widget<QPushButton>(again, "bnOK")->click();
                });
            } else if (step == "new" || step == "delete") {
                widget<QPushButton>(dialog, step == "new" ? "bnNew" : "bnDelete")->click();
            }
            if (!name->toolTip().isEmpty())
                seen << name->toolTip();
        }
        seen << entries(name).join(',') << types->toPlainText()
             << widget<QLabel>(dialog, "labelTypesHint")->text();
        widget<QPushButton>(dialog, steps.contains("cancel") ? "bnCancel" : "bnOK")->click();
    });
    widget<QPushButton>(&window, "bnEditFileTypeGroup")->click();
    return seen << Prompt::lastText() << widget<QComboBox>(&window, "cbbFileTypes")->currentText();
}

// The strip's real page, with the decisions on where the page itself wants to go in view.
class WatchedPage : public AdvertPage
{
public:
    using AdvertPage::AdvertPage;
    QStringList decisions;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        const bool accepted = AdvertPage::acceptNavigationRequest(url, type, isMainFrame);
        if (type != NavigationTypeTyped)
            decisions << url.path() + (accepted ? " accepted" : " rejected");
        return accepted;
    }
};
} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(scratch.emplace().current); }
    void memory_data();
    void memory();
    void exitDuringWalk();
    void remembered_data();
    void remembered();
    void groupSelection();
    void groupEditor_data();
    void groupEditor();
    void translated_data();
    void translated();
    void advertStaysWhereItIs_data();
    void advertStaysWhereItIs();

private:
    std::optional<ScratchFolder> scratch;
};

void tst_MainWindow::memory_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("memory"); // "@other" stands for an existing folder
    QTest::addColumn<QString>("dest"); // "@before" for the one chosen before the scan
    QTest::addColumn<QStringList>("types"); // and the status text
    QTest::newRow("checked wins; case matters; empty line clears")
            << QStringList {"README", "a.jpg", "b.png", "c.txt"}
            << QByteArray("\n0:jpg\n1:jpg\n0:png\n1:gone\n1:TXT\n1:\n") << ""
            << QStringList {"*", "jpg*", "png", "txt!", "Selected: 2 files"};
    QTest::newRow("folder there; memory files are no type")
            << QStringList {"a.jpg", "sub/b.JPG", ".trovella", "sub/x.trovella", "x.TROVELLA"}
            << QByteArray("@other\n1:jpg\n") << "@other"
            << QStringList {"jpg*", "trovella!", "Selected: 2 files"};
    QTest::newRow("folder gone") << QStringList {"a.jpg"} << QByteArray("@other/gone\n1:jpg\n")
                                 << "@before" << QStringList {"jpg*", "Selected: 1 file"};
}

void tst_MainWindow::memory()
{
    QFETCH(QStringList, files);
    QFETCH(QByteArray, memory);
    QFETCH(QString, dest);
    QTemporaryDir before, other, setup, tree;
    dest.replace("@before", before.path()).replace("@other", other.path());
    for (int i = 0; i < 300; ++i)
        makeTree(setup.path(), {QStringLiteral("f.t%1").arg(i)});
    writeFile(setup.filePath(".trovella"), before.path().toLocal8Bit() + '\n');
    makeTree(tree.path(), files);
    writeFile(tree.filePath(".trovella"), memory.replace("@other", other.path().toLocal8Bit()));
    Trovella window;
    // The first item of the first fill lets events run: a scan queued then starts inside it.
    bool armed = true;
    connect(typeList(window)->model(), &QAbstractItemModel::rowsInserted, this, [&] {
        if (std::exchange(armed, false))
            QTimer::singleShot(0, &window, [&] { scan(window, tree.path()); });
    });
    scan(window, setup.path());
    QFETCH(QStringList, types);
    types = QStringList {tree.path(), dest, dest, dest.isEmpty() ? "-" : "Pick"} + types;
    QCOMPARE(shown(window), types);
    // Every file is there to pick but the memory files.
    QCOMPARE(window.files().size(),
             files.size() - files.filter(QRegularExpression("trovella$")).size());
    // A folder that is not there changes nothing.
    scan(window, tree.filePath("a.jpg"));
    scan(window, tree.filePath("gone"));
    QCOMPARE(shown(window), types);
}

void tst_MainWindow::exitDuringWalk()
{
    QTemporaryDir tree;
    for (int file = 0; file < 4000; ++file)
        makeTree(tree.path(),
                 {QStringLiteral("d%1/f%2.t%3").arg(file / 20).arg(file).arg(file % 50)});
    writeFile(tree.filePath(".trovella"), "\n1:t1\n0:gone\n");
    Trovella window;
    // Presses Exit in the first events the walk lets through.
    QStringList duringWalk;
    QTimer::singleShot(0, &window, [&] {
        for (const char *name : {"bnSourceFolder", "bnDesFolder", "bnPick", "bnExit"})
            duringWalk << name + QString::number(enabled(window, name));
        duringWalk << statusText(window).section(':', 0, 0);
        widget<QPushButton>(&window, "bnExit")->click();
    });
    scan(window, tree.path());
    QCOMPARE(duringWalk,
             QStringList({"bnSourceFolder0", "bnDesFolder0", "bnPick0", "bnExit1", "Scanning"}));
    QVERIFY(statusText(window).startsWith("Selected: "));
    // A list cut short is not remembered.
    QCOMPARE(readFile(tree.filePath(".trovella")), "\n1:t1\n0:gone\n");
}

void tst_MainWindow::remembered_data()
{
    QTest::addColumn<QString>("end");
    for (const char *end : {"exit", "rescan", "other folder", "SIGTERM"})
        QTest::newRow(end) << QString(end);
}

// The choices made in one scan come back in the next scan of the folder, however the first
// one ended; so do the folders chosen.
void tst_MainWindow::remembered()
{
    QFETCH(QString, end);
    QTemporaryDir tree, destination, other;
    makeTree(tree.path(), {"a.jpg", "sub/b.png", "c.txt", "d.gz"});
    auto window = std::make_unique<Trovella>();
    QCOMPARE(window->pos(),
             centredPosition(QGuiApplication::primaryScreen()->size(), window->size()));
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
    }
    if (end == "exit" || end == "SIGTERM")
        window = std::make_unique<Trovella>();
    // Cancelled choosers change nothing.
    QCOMPARE(chooseFolder(*window, "bnSourceFolder", QString()), tree.path());
    chooseFolder(*window, "bnDesFolder", QString());
    scan(*window, tree.path());
    const QString dest = destination.path();
    QCOMPARE(shown(*window),
             QStringList({tree.path(), dest, dest, "Pick", "gz", "jpg*", "png", "txt*", "webp!",
                          "Selected: 2 files"}));
    window.reset();
    QCOMPARE(readFile(tree.filePath(".trovella")),
             dest.toLocal8Bit() + "\n1:jpg\n1:txt\n0:gz\n0:png\n0:webp\n");
}

// A missing group store is downloaded. The first entry is current from the start: choosing
// it applies it all the same, by the types as written; a name holding "(" is cut there, so
// its group cannot be found.
void tst_MainWindow::groupSelection()
{
    QVERIFY(widget<QComboBox>(std::make_unique<Trovella>().get(), "cbbFileTypes")->count() > 0);
    writeFile(storeFile, "=JPG;.png; gif;;tif\r\na(b=jpg\r\n");
    Trovella window;
    setTypes(window, {"*", "gif*", "jpg*", "png*", "tif"});
    answerNextQuestion(QMessageBox::Ok);
    chooseGroup(window, "(");
    const QStringList chosen {"*", "gif", "jpg", "png", "tif*"};
    QCOMPARE(types(window), chosen);
    answerNextQuestion(QMessageBox::Ok);
    chooseGroup(window, "a(b");
    QCOMPARE(Prompt::lastText(), "no such type");
    QCOMPARE(types(window), chosen);
}

void tst_MainWindow::groupEditor_data()
{
    // The store holds "A=a1" and "B=b1"; the main window shows B.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("seen"); // see edit()
    QTest::addColumn<QByteArray>("saved");
    const QString bad = "A group name cannot hold \"=\", \"(\" or a line break.";
    const QString none = "A group needs a name.", taken = "There is a group named \"A\" already.";
    QTest::newRow("names") << QStringList {"name:(x", "name:x\ny", "name:", "choose:1",
                                           "name:A",  "choose:0",  "name:X"}
                           << QStringList {bad, bad, none, taken, "X,B", "a1", "", "", "B(b1)"}
                           << QByteArray("B=b1\r\nX=a1\r\n");
    QTest::newRow("Cancel drops edits")
            << QStringList {"new", "name:X", "cancel"} << QStringList {"A,B,X", "", "", "", "B(b1)"}
            << QByteArray("A=a1\r\nB=b1\r\n");
    QTest::newRow("new twice, named; types as typed")
            << QStringList {"new", "new", "name:P", "types:jpg;JPG; .png"}
            << QStringList {"A,B,New group,P", "jpg;JPG; .png",
                            "Never matches a file type: \"JPG\", \" .png\"", "", "B(b1)"}
            << QByteArray("A=a1\r\nB=b1\r\nNew group=\r\nP=jpg;JPG; .png\r\n");
    QTest::newRow("failed save") << QStringList {"name:X", "fail"}
                                 << QStringList {"X,B",
                                                 "a1",
                                                 "",
                                                 "X,B",
                                                 "The file type groups could not be saved to @: it "
                                                 "is not a regular file",
                                                 "B(b1)"}
                                 << QByteArray("B=b1\r\nX=a1\r\n");
    QTest::newRow("delete the group shown")
            << QStringList {"choose:1", "delete"} << QStringList {"A", "a1", "", "", "A(a1)"}
            << QByteArray("A=a1\r\n");
}

void tst_MainWindow::groupEditor()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, seen);
    writeFile(storeFile, "A=a1\r\nB=b1\r\n");
    Trovella window;
    widget<QComboBox>(&window, "cbbFileTypes")->setCurrentIndex(1);
    setTypes(window, {"doc*", "jpg", "txt*"});
    answerNextQuestion(QMessageBox::Ok);
    QCOMPARE(edit(window, steps), seen.replaceInStrings("@", QDir::current().filePath(storeFile)));
    QTEST(readFile(storeFile), "saved");
    // Nobody chose a group: the check marks stay the user's.
    QCOMPARE(types(window), QStringList({"doc*", "jpg", "txt*"}));
    // The window holds what the file holds: OK without a change writes the same.
    edit(window, {});
    QTEST(readFile(storeFile), "saved");
}

void tst_MainWindow::translated_data()
{
    QTest::addColumn<QStringList>("files"); // "name=language" compiles that language to name
    QTest::addColumn<QString>("pick");
    QTest::newRow("none") << QStringList {} << "Pick";
    QTest::newRow("first by name, case ignored")
            << QStringList {"B.qm=zh_CN", "a.qm=de"} << "Auswählen";
    QTest::newRow("Chinese") << QStringList {"A.qm=zh_CN", "b.qm=de"} << "挑选";
}

// The first .qm file beside the program translates the window, and nothing after it; every
// label and button shows its whole text.
void tst_MainWindow::translated()
{
    QFETCH(QStringList, files);
    QDir appDir(QCoreApplication::applicationDirPath());
    writeFile(appDir.filePath("0.txt"), {});
    for (const QString &file : files)
        QCOMPARE(runQuietly(LRELEASE,
                            {"-silent",
                             TROVELLA_SOURCE_DIR "/translations/trovella_" + file.section('=', 1)
                                     + ".ts",
                             "-qm", appDir.filePath(file.section('=', 0, 0))}),
                 0);
    writeFile(storeFile, {});
    Trovella w;
    w.show();
    for (const QString &name : appDir.entryList({"*.qm"}))
        QVERIFY(appDir.remove(name));
    QTEST(widget<QPushButton>(&w, "bnPick")->text(), "pick");
    QCOMPARE(QCoreApplication::translate("TrovellaClass", "Pick"), "Pick");
    for (QWidget *widget : w.centralWidget()->findChildren<QWidget *>()) {
        if (qobject_cast<QLabel *>(widget) || qobject_cast<QPushButton *>(widget))
            QVERIFY2(widget->width() >= widget->sizeHint().width(),
                     qPrintable(widget->property("text").toString()));
    }
}

void tst_MainWindow::advertStaysWhereItIs_data()
{
    QTest::addColumn<QString>("script"); // "click" for a real click on the link
    for (const char *script :
         {"click", "document.links[0].click()", "window.open('/away') || location.assign('/away')",
          "document.head.innerHTML = '<meta http-equiv=refresh content=0;/away>'"})
        QTest::newRow(script) << QString(script);
}

// Only a real click leaves, once and through the signal; nothing else the page does takes
// the strip anywhere.
void tst_MainWindow::advertStaysWhereItIs()
{
    QFETCH(QString, script);
    HttpServer site;
    // A link that fills the view, so that a click anywhere lands on it.
    site.replies["/ad"] = HttpServer::reply("200 OK", R"(<title>ad</title>
<style>a{display:block;position:fixed;inset:0}</style><a href="/away">news</a>)");
    QWebEngineView view;
    auto *page = new WatchedPage(&view);
    view.setPage(page);
    view.resize(400, 100);
    view.show();
    QSignalSpy clicked(page, &AdvertPage::linkClicked);
    QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
    view.setUrl(site.url("/ad"));
    QVERIFY(loaded.wait(30000) && loaded.at(0).at(0).toBool());
    if (script != "click")
        page->runJavaScript(script);
    // The view takes a click only once it has drawn the page: click until one lands.
    const auto decided = [page] { return !page->decisions.isEmpty(); };
    for (int i = 0; script == "click" && i < 20 && !QTest::qWaitFor(decided, 500); ++i)
        QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(200, 50));
    QTRY_VERIFY_WITH_TIMEOUT(decided(), 10000);
    QCOMPARE(page->decisions, QStringList {"/away rejected"});
    QCOMPARE(clicked.size(), int(script == "click"));
    QCOMPARE(clicked.value(0).value(0).toUrl(), script == "click" ? site.url("/away") : QUrl());
    QCOMPARE(page->url(), site.url("/ad"));
    QVERIFY(!site.requested.contains("/away"));
}

TROVELLA_GUI_TEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
