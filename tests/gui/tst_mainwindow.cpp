#include "app/TerminationSignals.h"
#include "app/Translation.h"
#include "core/TypeMemory.h"
#include "groups/FileTypeGroupStore.h"
#include "launcher/WebThread.h"
#include "mainwindow/AdvertPage.h"
#include "mainwindow/Prompt.h"
#include "mainwindow/Trovella.h"
#include "support/TestTree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QWebEngineView>

#include <csignal>
#include <sys/stat.h>

namespace {
const QString storeFile = QStringLiteral("FileTypeGroup");

// Runs answer on the next modal widget that opens within 20 s, unless owner goes first.
void whenModalOpens(QObject *owner, const std::function<void(QWidget *)> &answer)
{
    auto *timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, ticks = 0]() mutable {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal || ++ticks > 1000)
            timer->deleteLater();
        if (modal)
            answer(modal);
    });
    timer->start(20);
}

template<typename T> T *widget(QObject *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

// Clicks button and chooses folder (or file) in the chooser it opens, cancelling it when
// folder is empty; returns the folder the chooser opened at.
QString chooseFolder(QWidget &window, const char *button, const QString &folder)
{
    Prompt::setNextFolder(folder);
    widget<QPushButton>(&window, button)->click();
    return Prompt::lastStart();
}

// Shows the window and chooses path, made first, as the destination.
void chooseDestination(Trovella &window, const QString &path)
{
    window.show();
    QDir().mkpath(path);
    chooseFolder(window, "bnDesFolder", path);
}

void scan(Trovella &window, const QString &source)
{
    QMetaObject::invokeMethod(&window, "setSrcFolder", Q_ARG(QString, source));
}

QListWidget *typeList(Trovella &window) { return widget<QListWidget>(&window, "listFileTypes"); }

// Scans source and checks the given types (every type for {"*"}); false when the list
// stays empty.
bool scanAndCheck(Trovella &window, const QString &source, const QStringList &types)
{
    scan(window, source);
    for (int row = 0; row < typeList(window)->count(); ++row)
        if (types == QStringList {"*"} || types.contains(typeList(window)->item(row)->text()))
            typeList(window)->item(row)->setCheckState(Qt::Checked);
    return typeList(window)->count() > 0;
}

QString statusText(Trovella &window) { return window.statusBar()->currentMessage(); }

bool enabled(QWidget &w, const char *name) { return widget<QWidget>(&w, name)->isEnabled(); }

// Chooses the group box's entry that starts with text as a user does, in its list.
void chooseGroup(Trovella &window, const QString &text)
{
    auto *box = widget<QComboBox>(&window, "cbbFileTypes");
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(box->findText(text, Qt::MatchStartsWith), 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
}

void pickFiles(Trovella &window) { widget<QPushButton>(&window, "bnPick")->click(); }

// The rows of a list or box, "*" marking a checked one and "!" one shown in red as new.
QStringList rows(QAbstractItemModel *model)
{
    QStringList result;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        result << index.data().toString()
                        + (index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? "*" : "")
                        + (index.data(Qt::ForegroundRole).value<QBrush>().color() == Qt::red ? "!"
                                                                                             : "");
    }
    return result;
}

QStringList types(Trovella &window) { return rows(typeList(window)->model()); }

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
// Steps: "name:T" puts T over the whole name as a user types or pastes it, "keys:T" types T
// into the name as it stands, "choose:N" chooses entry N, "types:T" types T after the list,
// "new" and "delete" press those buttons, "fail" makes the save fail. Returns the name's
// tooltips on the way, then the names, the types ("-" while they cannot be edited), the hint
// under them, the last warning and the main window's group.
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
            } else if (step.startsWith("keys:")) {
                QTest::keyClicks(name->lineEdit(), step.mid(5));
            } else if (step.startsWith("types:")) {
                types->setPlainText(types->toPlainText() + step.mid(6));
            } else if (step.startsWith("choose:")) {
                name->setCurrentIndex(step.mid(7).toInt());
            } else if (step == "fail") {
                // The save fails; the editor opens again with the edits, for another OK.
                QVERIFY(QFile::remove(storeFile) && QDir().mkdir(storeFile));
                whenModalOpens(&window, [&](QWidget *again) {
                    seen << rows(widget<QComboBox>(again, "cbbGroupName")->model()).join(',');
                    QDir().rmdir(storeFile);
                    widget<QPushButton>(again, "bnOK")->click();
                });
            } else if (step == "new" || step == "delete") {
                widget<QPushButton>(dialog, step == "new" ? "bnNew" : "bnDelete")->click();
            }
            if (!name->toolTip().isEmpty())
                seen << name->toolTip();
        }
        seen << rows(name->model()).join(',') << (types->isEnabled() ? types->toPlainText() : "-")
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
// The details show every listed row, each outcome's rows on demand, and a row for each type
// picked with the same counts as the outcomes.
void checkDetails(QDialog *dialog, QStringList picked)
{
    auto *show = widget<QComboBox>(dialog, "cbbOutcome");
    const QAbstractItemModel *files = widget<QTableView>(dialog, "tableFiles")->model();
    const auto *types = widget<QTableWidget>(dialog, "tableTypes");
    // Tab leaves either table for the next widget.
    QApplication::setActiveWindow(dialog);
    for (const char *name : {"tableFiles", "tableTypes"}) {
        auto *table = widget<QTableView>(dialog, name);
        table->setFocus();
        table->setCurrentIndex(table->model()->index(0, 0));
        QVERIFY(table->hasFocus());
        QTest::keyClick(table, Qt::Key_Tab);
        QVERIFY2(!table->hasFocus(), name);
    }
    QStringList named;
    for (int row = 0; row < types->rowCount(); ++row)
        named << types->item(row, 0)->text();
    picked.sort();
    QCOMPARE(named, picked);
    for (int i = show->count() - 1; i >= 0; --i) {
        show->setCurrentIndex(i);
        const QString outcome = show->currentText().section(" (", 0, 0);
        const int count = show->currentText().section(" (", 1).chopped(1).toInt();
        // Copied files too: their rows come from the pick's journal, read on a thread.
        QTRY_COMPARE(files->rowCount(), count);
        // Source, then target.
        if (count > 0 && outcome != "Left out by the scan")
            QTRY_VERIFY(!files->index(0, 2).data().toString().contains("/des/")
                        && files->index(0, 3).data().toString().contains("/des/"));
        int perType = 0;
        for (int column = 1; column < types->columnCount(); ++column) {
            if (types->horizontalHeaderItem(column)->text() != outcome)
                continue;
            for (int row = 0; row < types->rowCount(); ++row)
                perType += types->item(row, column)->text().toInt();
        }
        QCOMPARE(perType, i == 0 || outcome == "Left out by the scan" ? 0 : count);
    }
    // One entry each, also once the counts are read again from the journal.
    QCOMPARE(show->count(), int(PickReport::outcomeCount) + 1);
}

// Whether widget, a label or a button, shows its whole text: a wrapped label within its
// height, a button's text within its margins, anything else within its width.
bool fits(const QWidget *widget)
{
    const auto *label = qobject_cast<const QLabel *>(widget);
    const auto *button = qobject_cast<const QAbstractButton *>(widget);
    if (!widget->isVisible() || (!label && !button))
        return true;
    if (label && label->wordWrap())
        return label->heightForWidth(label->width()) <= label->height();
    if (!button)
        return widget->width() >= widget->sizeHint().width();
    const QStyle *style = button->style();
    return button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width()
            + style->pixelMetric(QStyle::PM_ButtonMargin)
            + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth)
            <= button->width();
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT
    std::optional<ScratchFolder> temp;

private slots:
    void init() { QVERIFY(temp.emplace().current); }

    void memory_data()
    {
        // "@other" stands for an existing folder, "@before" for the one chosen before the scan;
        // the types end with the status text.
        // clang-format off
        addRows({"row~files~memory~dest~types",
            "checked wins; case matters; empty line clears~README a.jpg b.png c.txt~\n0:jpg\n1:jpg\n0:png\n1:gone\n1:TXT\n1:\n~~*|jpg*|png|txt!|Selected: 2 files",
            "folder there; memory files are no type~a.jpg sub/b.JPG .trovella sub/x.trovella x.TROVELLA~@other\n1:jpg\n~@other~jpg*|trovella!|Selected: 2 files",
            "folder gone~a.jpg~@other/gone\n1:jpg\n~@before~jpg*|Selected: 1 file"}, '~');
        // clang-format on
    }

    void memory()
    {
        QFETCH(QString, files);
        QFETCH(QString, memory);
        QFETCH(QString, dest);
        QTemporaryDir before, other, setup, tree;
        dest.replace("@before", before.path()).replace("@other", other.path());
        for (int i = 0; i < 300; ++i)
            makeTree(setup.path(), {QStringLiteral("f.t%1").arg(i)});
        writeFile(setup.filePath(".trovella"), before.path().toLocal8Bit() + '\n');
        makeTree(tree.path(), files.split(' '));
        writeFile(tree.filePath(".trovella"), memory.replace("@other", other.path()).toLocal8Bit());
        Trovella window;
        // The first item of the first fill lets events run: a scan queued then starts inside it.
        bool armed = true;
        connect(typeList(window)->model(), &QAbstractItemModel::rowsInserted, this, [&] {
            if (std::exchange(armed, false))
                QTimer::singleShot(0, &window, [&] { scan(window, tree.path()); });
        });
        scan(window, setup.path());
        QFETCH(QString, types);
        const QStringList expected {
                QStringList {tree.path(), dest, dest, dest.isEmpty() ? "-" : "Pick"}
                + types.split('|')};
        QCOMPARE(shown(window), expected);
        // Every file is there to pick but the memory files.
        QCOMPARE(window.files().size(), files.count(' ') + 1 - files.count("trovella"));
        // A folder that is not there changes nothing.
        scan(window, tree.filePath("a.jpg"));
        scan(window, tree.filePath("gone"));
        QCOMPARE(shown(window), expected);
    }

    void exitDuringWalk()
    {
        QTemporaryDir tree;
        makeLargeTree(tree.path(), 200, 1000);
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
        QCOMPARE(duringWalk.join(' '), "bnSourceFolder0 bnDesFolder0 bnPick0 bnExit1 Scanning");
        QVERIFY(statusText(window).startsWith("Selected: "));
        QVERIFY(window.files().size() < 200000);
        // A list cut short is not remembered.
        QCOMPARE(readFile(tree.filePath(".trovella")), "\n1:t1\n0:gone\n");
    }

    void remembered_data()
    {
        addRows({"row|end", "exit|exit", "rescan|rescan", "other|other folder", "SIGTERM|SIGTERM"});
    }

    // The choices made in one scan come back in the next scan of the folder, however the first
    // one ended; so do the folders chosen.
    void remembered()
    {
        QFETCH(QString, end);
        QTemporaryDir tree, destination, other;
        makeTree(tree.path(), {"a.jpg", "sub/b.png", "c.txt", "d.gz"});
        auto window = std::make_unique<Trovella>();
        // Centred on the screen, 800 x 800 offscreen.
        QCOMPARE(window->pos(), QPoint(60, 147));
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
    void groupSelection()
    {
        QVERIFY(widget<QComboBox>(std::make_unique<Trovella>().get(), "cbbFileTypes")->count() > 0);
        writeFile(storeFile, "=JPG;.png; gif;;tif\r\na(b=jpg\r\n");
        Trovella window;
        makeTree("t", {"a", "b.gif", "c.jpg", "d.png", "e.tif"});
        scanAndCheck(window, QDir::current().filePath("t"), {"", "gif", "jpg", "png"});
        Prompt::setNextAnswer(QMessageBox::Ok);
        chooseGroup(window, "(");
        const QStringList chosen {"*!", "gif!", "jpg!", "png!", "tif*!"};
        QCOMPARE(types(window), chosen);
        Prompt::setNextAnswer(QMessageBox::Ok);
        chooseGroup(window, "a(b");
        QCOMPARE(Prompt::lastText(), "no such type");
        QCOMPARE(types(window), chosen);
    }

    void groupEditor_data()
    {
        // The store holds "A=a1" and "B=b1"; the main window shows B. Steps and seen: see edit().
        // clang-format off
        addRows({"row~steps~seen~saved",
            "names~name:(x|name:x\ny|name:|choose:1|name:A|choose:0|name:X~A group name cannot hold \"=\", \"(\" or a line break.|A group name cannot hold \"=\", \"(\" or a line break.|A group needs a name.|There is a group named \"A\" already.|X,B|a1|||B(b1)~B=b1\r\nX=a1\r\n",
            "Cancel drops edits~new|name:X|cancel~A,B,X||||B(b1)~A=a1\r\nB=b1\r\n",
            "new twice, named; types as typed~new|new|keys:P|types:jpg;JPG; .png~A,B,New group,P|jpg;JPG; .png|Never matches a file type: \"JPG\", \" .png\"||B(b1)~A=a1\r\nB=b1\r\nNew group=\r\nP=jpg;JPG; .png\r\n",
            "failed save~name:X|fail~X,B|a1||X,B|The file type groups could not be saved to @: it is not a regular file|B(b1)~B=b1\r\nX=a1\r\n",
            "delete the group shown~choose:1|delete~A|a1|||A(a1)~A=a1\r\n",
            "delete every group~delete|delete~|-|||~"}, '~');
        // clang-format on
    }

    void groupEditor()
    {
        QFETCH(QString, steps);
        QFETCH(QString, seen);
        QFETCH(QString, saved);
        writeFile(storeFile, "A=a1\r\nB=b1\r\n");
        Trovella window;
        widget<QComboBox>(&window, "cbbFileTypes")->setCurrentIndex(1);
        makeTree("t", {"a.doc", "b.jpg", "c.txt"});
        scanAndCheck(window, QDir::current().filePath("t"), {"doc", "txt"});
        Prompt::setNextAnswer(QMessageBox::Ok);
        QCOMPARE(edit(window, steps.split('|')),
                 seen.replace("@", QDir::current().filePath(storeFile)).split('|'));
        QCOMPARE(readFile(storeFile), saved.toUtf8());
        // Nobody chose a group: the check marks stay the user's.
        QCOMPARE(types(window), QStringList({"doc*!", "jpg!", "txt*!"}));
        // The window holds what the file holds: OK without a change writes the same.
        edit(window, {});
        QCOMPARE(readFile(storeFile), saved.toUtf8());
    }

    void translated_data()
    {
        // Files: "name=language" compiles that language to name beside the program,
        // "installed=language" to where the package installs it. Then the desktop's language
        // and what the window shows: Pick, the language of the account of a pick and of the
        // type list's figures, the Details dialog's first column and Qt's own Cancel.
        // clang-format off
        addRows({"row|files|desktop|pick|account|details|qt",
                 "none||de_DE|Pick|en|Outcome|Cancel",
                 "first by name, case ignored|B.qm=zh_CN a.qm=de|en_US|Auswählen|de|Ergebnis|Abbrechen",
                 "beside the program before the desktop's|a.qm=zh_CN installed=de|de_DE|挑选|zh|结果|取消",
                 "installed, German desktop|installed=zh_CN installed=de|de_DE|Auswählen|de|Ergebnis|Abbrechen",
                 "installed, Chinese desktop|installed=de installed=zh_CN|zh_CN|挑选|zh|结果|取消",
                 "installed, French desktop|installed=de installed=fr installed=es|fr_FR|Récupérer|fr|Résultat|Annuler",
                 "installed, Spanish desktop|installed=de installed=fr installed=es|es_ES|Recoger|es|Resultado|Cancelar",
                 "installed, none of the desktop's language|installed=de|it_IT|Pick|en|Outcome|Cancel"});
        // clang-format on
    }

    // The translation chosen at start-up speaks for the whole run: the window, the account made
    // after a pick, the Details dialog and Qt's standard buttons; every label and button of the
    // window, the Details dialog and the group editor shows its whole text.
    void translated()
    {
        QFETCH(QString, files);
        QFETCH(QString, desktop);
        QFETCH(QString, account);
        const QDir appDir(QCoreApplication::applicationDirPath());
        const QString installed = appDir.filePath("../share/trovella/translations");
        const auto cleanUp = qScopeGuard([&] {
            removeTranslation();
            for (const QString &name : appDir.entryList({"*.qm"}))
                QFile::remove(appDir.filePath(name));
            QDir(installed).removeRecursively();
        });
        writeFile(appDir.filePath("0.txt"), {});
        for (const QString &file : files.split(' ', Qt::SkipEmptyParts)) {
            const QString language = file.section('=', 1);
            const QString ts = "/translations/trovella_" + language + ".ts";
            const QString qm = file.startsWith("installed=")
                    ? installed + "/trovella_" + language + ".qm"
                    : appDir.filePath(file.section('=', 0, 0));
            QDir().mkpath(installed);
            QCOMPARE(runQuietly(LRELEASE, {"-silent", TROVELLA_SOURCE_DIR + ts, "-qm", qm}), 0);
        }
        installTranslation(QLocale(desktop));
        QFile::remove(storeFile); // the built-in groups fill the box
        Trovella w;
        chooseDestination(w, temp->filePath("des"));
        makeTree(temp->filePath("src"), {"a.txt=x", "b.txt=x"});
        QVERIFY(scanAndCheck(w, temp->filePath("src"), {"*"}));
        pickFiles(w);
        QTEST(widget<QPushButton>(&w, "bnPick")->text(), "pick");
        // The account, and the figures of the type list once its sizes are in.
        const QMap<QString, QStringList> texts {
                {"en", {"Finished. Copied 2 files (2 bytes).", "2 files · 2 bytes"}},
                {"de", {"Fertig. 2 Dateien kopiert (2 Bytes).", "2 Dateien · 2 Bytes"}},
                {"zh", {"完成。已复制 2 个文件（2 字节）。", "2 个文件 · 2 字节"}},
                {"fr", {"Terminé. 2 fichiers copiés (2 octets).", "2 fichiers · 2 octets"}},
                {"es", {"Terminado. 2 archivos copiados (2 bytes).", "2 archivos · 2 bytes"}}};
        QCOMPARE(statusText(w), texts[account].value(0));
        QTRY_COMPARE(typeList(w)->item(0)->toolTip(), texts[account].value(1));
        QTEST(QCoreApplication::translate("QPlatformTheme", "Cancel"), "qt");
        for (QWidget *widget : w.centralWidget()->findChildren<QWidget *>())
            QVERIFY2(fits(widget), qPrintable(widget->property("text").toString()));

        widget<QPushButton>(&w, "bnPickDetails")->click();
        auto *dialog = w.findChild<QDialog *>("PickReportDialog");
        QTEST(widget<QTableView>(dialog, "tableFiles")
                      ->model()
                      ->headerData(0, Qt::Horizontal)
                      .toString(),
              "details");
        for (QWidget *widget : dialog->findChildren<QWidget *>())
            QVERIFY2(fits(widget), qPrintable(widget->property("text").toString()));

        // The editor's line under the types, with the longest list of what never matches.
        QStringList editor;
        whenModalOpens(&w, [&](QWidget *dialog) {
            widget<QPlainTextEdit>(dialog, "edTypes")
                    ->setPlainText("JPEG;.png; Raw photo;TIFF ;MP3;.tar.gz");
            for (QWidget *widget : dialog->findChildren<QWidget *>())
                if (!fits(widget))
                    editor << widget->property("text").toString();
            widget<QPushButton>(dialog, "bnCancel")->click();
        });
        widget<QPushButton>(&w, "bnEditFileTypeGroup")->click();
        QVERIFY2(editor.isEmpty(), qPrintable(editor.join('|')));
    }

    void advertStaysWhereItIs_data()
    {
        QTest::addColumn<QString>("script"); // "click" for a real click on the link
        for (const char *script :
             {"click", "document.links[0].click()",
              "window.open('/away') || location.assign('/away')",
              "document.head.innerHTML = '<meta http-equiv=refresh content=0;/away>'"})
            QTest::newRow(script) << QString(script);
    }

    // Only a real click leaves, once and through the signal; nothing else the page does takes
    // the strip anywhere.
    void advertStaysWhereItIs()
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

    void pick_data()
    {
        // clang-format off
        addRows({"row~setup~layout~types~selected~status~files",
            "types~~2009/a.JPG b.jpg x.tar.gz README notes.txt deep/y.gz deep/Makefile~jpg,gz,~Selected: 6 files, 6 bytes~Finished. Copied 6 files (6 bytes).~src/2009/a.JPG 1\nsrc/README 1\nsrc/b.jpg 1\nsrc/deep/Makefile 1\nsrc/deep/y.gz 1\nsrc/x.tar.gz 1",
            "existing~existing~a.txt b.txt c.txt ../des/src/b.txt#2~txt~Selected: 3 files, 3 bytes~Copied and verified 1 file (1 byte). 2 were already there (1 different).~src/a.txt 1\nsrc/b.txt 2\nsrc/c.txt 1",
            "Exit, checking~Exit, checking~a.txt b.txt c.txt~*~Selected: 40,003 files, 3 bytes~Nothing was copied.~",
            "Esc, checking~Esc, checking~a.txt b.txt c.txt~txt~Selected: 3 files, 3 bytes~Nothing was copied.~",
            "Esc~Esc~a.txt b.txt c.txt~txt~Selected: 3 files, 3 bytes~Stopped. Copied 1 file (1 byte). 2 were not reached.~src/.\\.txt 1",
            "close~close~a.txt b.txt c.txt~txt~Selected: 3 files, 3 bytes~Stopped. Copied 1 file (1 byte). 2 were not reached.~src/.\\.txt 1",
            "SIGTERM~SIGTERM~a.txt b.txt c.txt~txt~Selected: 3 files, 3 bytes~Stopped. Copied 1 file (1 byte). 2 were not reached.~src/.\\.txt 1"}, '~');
        // clang-format on
    }

    // Every checked file comes out with one outcome: the tree, the closing message, the saved
    // details and the memory of the source tell the same; the window is back as it was.
    void pick()
    {
        QFETCH(QString, setup);
        QFETCH(QString, layout);
        QFETCH(QString, types);
        QFETCH(QString, selected);
        QFETCH(QString, status);
        QFETCH(QString, files);
        const QString src = temp->filePath("src"), des = temp->filePath("des");
        // Files without a size hold one byte.
        for (const QString &entry : layout.split(' '))
            makeTree(src, {entry.contains(QRegularExpression("[>#]")) ? entry : entry + "=x"});
        if (setup == "existing")
            QCOMPARE(QProcess::execute("cp", {"-p", src + "/a.txt", des + "/src/a.txt"}), 0);
        // 40 000 files more: the check of the destination runs for longer than a frame and
        // lets events run, where Exit's click arrives.
        if (setup == "Exit, checking")
            makeLargeTree(src + "/many", 40, 1000);
        {
            Trovella window;
            chooseDestination(window, des);
            widget<QCheckBox>(&window, "cbVerifyCopies")->setChecked(setup == "existing");
            QVERIFY(scanAndCheck(window, src, types.split(',')));
            QTRY_COMPARE(statusText(window), selected);
            // Esc, Exit, closing the window or SIGTERM stops the pick after the file in hand, and
            // during the check of the destination before the first; the stop comes with the first
            // message of the copy, or of the check.
            const bool inCheck = setup.endsWith(", checking");
            const auto stop = [&, done = false](const QString &message) mutable {
                if (done || message.startsWith("Checking ") != inCheck)
                    return;
                done = true;
                // The memory names the folder the files go to before the first one is copied.
                QCOMPARE(readFile(src + "/.trovella").split('\n').first(), (des + "/src").toUtf8());
                // A change of the list, as a group applied would make, leaves Pick off.
                typeList(window)->item(0)->setCheckState(Qt::Unchecked);
                for (const char *name : {"bnPick", "cbbFileTypes", "bnEditFileTypeGroup"})
                    QVERIFY2(!enabled(window, name), name);
                for (const char *name : {"progressBar", "pickProgress"})
                    QCOMPARE(widget<QWidget>(&window, name)->isVisible(),
                             status != "Nothing was copied.");
                if (setup == "close")
                    window.close();
                else if (setup == "SIGTERM") // as at a logout, seen with the next events
                    quitOnTerminationSignals(), ::raise(SIGTERM), QCoreApplication::processEvents();
                else if (setup.startsWith("Exit")) // with the next events the pick lets run
                    QTimer::singleShot(0, widget<QPushButton>(&window, "bnExit"),
                                       &QPushButton::click);
                else if (setup.startsWith("Esc"))
                    emit window.findChild<QShortcut *>("stopPickShortcut")->activated();
            };
            connect(window.statusBar(), &QStatusBar::messageChanged, &window, stop);
            auto *bnPick = widget<QPushButton>(&window, "bnPick");
            bnPick->setFocus();
            QTest::keyClick(bnPick, Qt::Key_Space);

            QCOMPARE(statusText(window), status);
            QCOMPARE(window.focusWidget(), typeList(window));
            for (const char *name : {"bnSourceFolder", "bnDesFolder", "listFileTypes"})
                QVERIFY(enabled(window, name));
            for (const char *name : {"progressBar", "pickProgress"})
                QVERIFY(widget<QWidget>(&window, name)->isHidden());
            QCOMPARE(enabled(window, "bnViewPickResult"), status != "Nothing was copied.");
            const QString found = tree(des);
            matches(found, files);
            // Saved under a name without a suffix: the details get ".csv"; the dialog proposes
            // the source folder's name and the date in the destination.
            const QString csv = temp->filePath("details");
            if (auto *bnDetails = widget<QPushButton>(&window, "bnPickDetails");
                !bnDetails->isHidden()) {
                bnDetails->click();
                auto *dialog = window.findChild<QDialog *>("PickReportDialog");
                QCOMPARE(chooseFolder(*dialog, "bnSave", csv),
                         des + "/src-" + QDate::currentDate().toString(Qt::ISODate) + ".csv");
                checkDetails(dialog, types.split(','));
            }
            QCOMPARE(readFile(csv + ".csv").count("\nCopied,"),
                     window.lastPickReport().count(PickReport::Copied));

            // The account stays through changes of the check marks, and a second pick has its own.
            typeList(window)->item(0)->setCheckState(Qt::Unchecked);
            QCOMPARE(statusText(window), status);
            if (setup.isEmpty() && status.startsWith("Finished.")) {
                typeList(window)->item(0)->setCheckState(Qt::Checked);
                pickFiles(window);
                QCOMPARE(statusText(window),
                         QString("No file was copied. %1 were already there.")
                                 .arg(found.count('\n') + 1));
                QCOMPARE(tree(des), found);
                // Another source picked into the same destination gets a folder of its own.
                makeTree(temp->filePath("music"), {"m.txt=x"});
                QVERIFY(scanAndCheck(window, temp->filePath("music"), {"txt"}));
                pickFiles(window);
                QCOMPARE(statusText(window), "Finished. Copied 1 file (1 byte).");
                QCOMPARE(tree(des + "/music"), "m.txt 1");
            }
            chooseDestination(window, temp->filePath("other"));
            QCOMPARE(statusText(window), QString());
            chooseDestination(window, des);
        }
        // The memory names the folder the files went to, so the next pick goes there again.
        QCOMPARE(readFile(src + "/.trovella").split('\n').first(), (des + "/src").toUtf8());
        if (setup != "existing")
            return;
        // After a restart the box is still on, and the source's last pick can be undone: a No
        // removes nothing; during a Yes the dialog's buttons are off; the files that were there
        // before stay.
        Trovella window;
        QVERIFY(widget<QCheckBox>(&window, "cbVerifyCopies")->isChecked());
        scan(window, src);
        widget<QPushButton>(&window, "bnPickDetails")->click();
        auto *undo = widget<QPushButton>(&window, "bnUndo");
        QTRY_VERIFY(undo->isEnabled());
        Prompt::setNextAnswer(QMessageBox::No);
        undo->click();
        QVERIFY(Prompt::lastText().startsWith("Remove the file this pick") && undo->isEnabled());
        Prompt::setNextAnswer(QMessageBox::Yes);
        undo->click();
        QVERIFY(!enabled(window, "bnClose"));
        Prompt::setNextAnswer(QMessageBox::Ok);
        QTRY_COMPARE(Prompt::lastText(), "Removed 1 file.");
        QCOMPARE(tree(des), "src/a.txt 1\nsrc/b.txt 2");
        QVERIFY(enabled(window, "bnClose") && !undo->isEnabled());
    }

    // View Result opens the folder picked into, or says why it cannot.
    void viewResult()
    {
        const QString des = temp->filePath("50% #1? done");
        makeTree(temp->path(), {"src/a", "browser=#!/bin/sh\necho \"$1\" > out\n", "browser!0500"});
        Trovella window;
        chooseDestination(window, des);
        scan(window, temp->filePath("src"));
        pickFiles(window);
        for (const QString &command : {temp->filePath("browser %1"), QString("/no/browser")}) {
            WebThread::setCommandForTests(command);
            widget<QPushButton>(&window, "bnViewPickResult")->click();
            QTRY_COMPARE(WebThread::count(), 0);
        }
        QTRY_COMPARE(readFile("out"), QUrl::fromLocalFile(des + "/src").toString().toUtf8() + '\n');
        QCOMPARE(statusText(window), "No web browser could be started to show " + des + "/src.");
    }

    void leavesOutClutter_data()
    {
        // The boxes clicked; what the window says it left out; the jpg files selected; the
        // files copied; the account's rows of what the scan left out.
        // clang-format off
        addRows({"row~click~shown~selected~copied~account",
            "none~~Held back: 1 trash folder, 1 snapshot folder. Left out: 1 thumbnail cache, 1 Mac resource fork (4.1 kB), 1 Mac system file (6 bytes).~Selected: 3 files, 6 bytes~._y.jpg 4|a.jpg 1|photos/b.jpg 1~held back: snapshot folder #snapshot|held back: trash folder .Trash-1000|left out: Mac folder data .DS_Store|left out: Mac resource fork ._x.jpg|left out: thumbnail cache photos/@eaDir",
            "system files~cbIncludeSystemFiles~Held back: 1 trash folder, 1 snapshot folder.~Selected: 5 files, 4.1 kB~._x.jpg 4096|._y.jpg 4|a.jpg 1|photos/@eaDir/b.jpg/SYNOFILE_THUMB_M.jpg 1|photos/b.jpg 1~held back: snapshot folder #snapshot|held back: trash folder .Trash-1000",
            "both~cbIncludeSystemFiles cbIncludeHeldBack~~Selected: 7 files, 4.1 kB~#snapshot/2024/b.jpg 1|.Trash-1000/files/old.jpg 1|._x.jpg 4096|._y.jpg 4|a.jpg 1|photos/@eaDir/b.jpg/SYNOFILE_THUMB_M.jpg 1|photos/b.jpg 1~"}, '~');
        // clang-format on
    }

    // What the rules leave out is shown before the pick, counted and copied only once its box
    // is clicked, and named in the account; the boxes are remembered.
    void leavesOutClutter()
    {
        QFETCH(QString, click);
        QTest::failOnWarning(QRegularExpression("Could not write")); // the boxes are saved
        const QString src = temp->filePath("src"), des = temp->filePath("des");
        makeTree(src,
                 {"a.jpg=x", "._y.jpg=mine", ".DS_Store#6", "photos/b.jpg=x",
                  "photos/@eaDir/b.jpg/SYNOFILE_THUMB_M.jpg=x", ".Trash-1000/files/old.jpg=x"});
        writeFile(src + "/#snapshot/2024/b.jpg", "x");
        writeFile(src + "/._x.jpg", QByteArray("\x00\x05\x16\x07", 4).leftJustified(4096, 0));
        {
            Trovella window;
            chooseDestination(window, des);
            scan(window, src);
            for (const QString &box : click.split(' ', Qt::SkipEmptyParts))
                widget<QCheckBox>(&window, qPrintable(box))->click();
            // Its tooltip holds all of it; a line too short for the sizes per rule gives their
            // sum, and one too short for that ends in "…".
            QFETCH(QString, shown);
            auto *label = widget<QLabel>(&window, "labelLeftOut");
            QCOMPARE(label->toolTip().replace('\n', ' '), shown);
            const QRegularExpression tags("<[^>]*>"), sizes(" \\([^)]*\\)");
            QString visible = label->isVisible() ? label->text().remove(tags) : "";
            if (visible.endsWith(u'…'))
                QVERIFY2(shown.remove(sizes).startsWith(visible.remove(sizes).chopped(1)),
                         qPrintable(visible));
            else
                QCOMPARE(visible.remove(sizes), shown.remove(sizes));
            QVERIFY(scanAndCheck(window, src, {"jpg"}));
            QFETCH(QString, selected);
            QTRY_COMPARE(statusText(window), selected);
            const QString before = tree(src).remove(QRegularExpression("\n?\\.trovella \\d+"));
            pickFiles(window);
            QFETCH(QString, copied);
            QFETCH(QString, account);
            const QString leftOut = QString(" %1 were left out by the scan\\.")
                                            .arg(account.split('|', Qt::SkipEmptyParts).size());
            matches(statusText(window),
                    QString("Finished\\. Copied %1 files \\(.*\\)\\.%2")
                            .arg(copied.count('|') + 1)
                            .arg(account.isEmpty() ? "" : leftOut));
            // The line gives the progress bar its place back.
            QCOMPARE(label->isVisible(), !shown.isEmpty());
            QCOMPARE(tree(des + "/src"), copied.replace('|', '\n'));
            QStringList rows;
            for (const PickReport::Row &row : window.lastPickReport().rows())
                rows << row.reason + ' ' + QDir(src).relativeFilePath(row.source);
            rows.sort();
            QCOMPARE(rows.join('|'), account);
            // No rule touches the source.
            QCOMPARE(tree(src).remove(QRegularExpression("\n?\\.trovella \\d+")), before);
        }
        Trovella again;
        for (const char *box : {"cbIncludeSystemFiles", "cbIncludeHeldBack"})
            QCOMPARE(widget<QCheckBox>(&again, box)->isChecked(), click.contains(box));
    }

    // Folders and a file that cannot be read, names that are not UTF-8, a top folder that
    // cannot be written, as on a locked card: the scan says so, the account lists each and
    // says that the choices are not kept, and the rest is copied.
    void damagedSource()
    {
        const QString src = temp->filePath("src"), des = temp->filePath("des");
        makeTree(src,
                 {"a.txt", "locked.txt", "shut/b.txt", "closed/c.txt", "locked.txt!0", "shut!0",
                  "closed!0", "!0555"});
        const QByteArray root = QFile::encodeName(src);
        QVERIFY(::mkdir(root + "/\xe9t\xe9", 0755) == 0);
        for (const char *name : {"/\x80.bin", "/caf\xe9.txt", "/\xe9t\xe9/inner.txt"})
            touch(root + name);
        std::optional<WithoutRootRights> asUser(std::in_place);
        if (QFile(src + "/locked.txt").open(QIODevice::ReadOnly))
            QSKIP("cannot give up root's right to read every file here");
        for (const char *log :
             {"Left out .*/src/\\\\x80\\.bin: its name",
              "Left out .*/src/caf\\\\xe9\\.txt: its name",
              "Left out .*/src/\\\\xe9t\\\\xe9/inner\\.txt: its name",
              "Cannot read folder .*/src/shut: ", "Cannot read folder .*/src/closed: "})
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(log));

        Trovella window;
        chooseDestination(window, des);
        scan(window, src);
        QCOMPARE(
                statusText(window),
                "2 folders could not be read. 3 files have names that cannot be read and were left "
                "out.");
        QVERIFY(scanAndCheck(window, src, {"*"}));
        // Nothing could be remembered of the first scan: the type is still new.
        QCOMPARE(types(window), QStringList {"txt*!"});
        pickFiles(window);
        asUser.reset();
        matches(statusText(window),
                "Copied 1 file \\(0 bytes\\)\\. 1 could not be copied\\. 5 were left out by the "
                "scan\\. The choices for this folder could not be saved in .*/src/\\.trovella: "
                ".+\\.");
        QCOMPARE(entries(des, QDir::Files), QStringList {"src/a.txt"});
        QStringList reasons;
        for (const PickReport::Row &row : window.lastPickReport().rows())
            reasons << PickReport::outcomeText(row.outcome) + ": " + row.reason;
        reasons.sort();
        QCOMPARE(reasons,
                 QStringList {"Could not be copied: no permission to read it"}
                         + QStringList(2, "Left out by the scan: the folder could not be read")
                         + QStringList(3, "Left out by the scan: the name is not valid UTF-8"));
        // The temporary folder cannot remove names Qt cannot spell.
        QProcess::execute("rm", {"-rf", src});
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    tst_MainWindow tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_mainwindow.moc"
