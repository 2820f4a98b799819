#include "GuiTest.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QSettings>
#include <QTextEdit>

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void form_data();
    void form();
    void windowProperties();
    void tabOrder();
    void buttonsReachTheirSlots_data();
    void buttonsReachTheirSlots();
    void settingsFile();
    void pickRule();

private:
    QTemporaryDir workDir;
    QString previousDir;
};

void tst_MainWindow::init()
{
    QVERIFY(workDir.isValid());
    previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workDir.path()));
    // No group store: the tests here are about the window, not the groups.
    writeFile("FileTypeGroup", {});
}

void tst_MainWindow::cleanup()
{
    QDir::setCurrent(previousDir);
    QDir(workDir.path()).removeRecursively();
    QDir().mkpath(workDir.path());
}

void tst_MainWindow::form_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");

    const auto row = [](const char *name, const char *className, const char *text = "",
                        bool enabled = true) {
        QTest::newRow(name) << QString(name) << QString(className) << QString(text) << enabled;
    };
    row("edSrcFolder", "QTextEdit");
    row("label", "QLabel", "Source Folder");
    row("label_2", "QLabel", "Destinate Folder");
    row("edDesFolder", "QTextEdit");
    row("bnSourceFolder", "QPushButton", "Browse");
    row("bnDesFolder", "QPushButton", "Browse");
    row("label_3", "QLabel", "File Types");
    row("bnPick", "QPushButton", "Pick", false);
    row("bnExit", "QPushButton", "Exit");
    row("listFileTypes", "QListWidget");
    row("webView", "QWebEngineView");
    row("bnViewPickResult", "QPushButton", "View Result", false);
    row("cbbFileTypes", "QComboBox");
    row("bnEditFileTypeGroup", "QPushButton", "Edit");
}

void tst_MainWindow::form()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, text);
    QFETCH(bool, enabled);

    Trovella w;
    auto *widget = w.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->font().pointSize(), 9);
    QCOMPARE(widget->isEnabled(), enabled);
    if (auto *button = qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->text(), text);
    if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), text);
    if (auto *edit = qobject_cast<QTextEdit *>(widget))
        QVERIFY(edit->isReadOnly());
}

void tst_MainWindow::windowProperties()
{
    Trovella w;
    QCOMPARE(w.objectName(), QStringLiteral("TrovellaClass"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Trovella"));
    QCOMPARE(w.size(), QSize(680, 506));
    QCOMPARE(w.minimumSize(), QSize(680, 506));
    QCOMPARE(w.maximumSize(), QSize(680, 506));
    QCOMPARE(w.iconSize(), QSize(32, 32));
    QVERIFY(!w.windowIcon().isNull());
    QVERIFY(w.windowIcon().availableSizes().size() >= 10);
    QVERIFY(widget<QProgressBar>(&w, "progressBar")->isHidden());
    QVERIFY(!widget<QProgressBar>(&w, "progressBar")->isTextVisible());
    auto *pick = widget<QPushButton>(&w, "bnPick");
    QVERIFY(pick->isDefault());
    QVERIFY(!widget<QPushButton>(&w, "bnViewPickResult")->isDefault());
    QVERIFY(widget<QListWidget>(&w, "listFileTypes")->isSortingEnabled());
    auto *groups = widget<QComboBox>(&w, "cbbFileTypes");
    QVERIFY(!groups->isEditable());
    QCOMPARE(groups->maxVisibleItems(), 20);
    QVERIFY(!w.menuWidget());
}

void tst_MainWindow::tabOrder()
{
    Trovella w;
    const QStringList chain
            = {"bnSourceFolder", "bnDesFolder", "cbbFileTypes",     "bnEditFileTypeGroup",
               "listFileTypes",  "bnPick",      "bnViewPickResult", "bnExit",
               "edDesFolder",    "webView",     "edSrcFolder"};
    for (int i = 0; i + 1 < chain.size(); ++i) {
        QWidget *from = w.findChild<QWidget *>(chain.at(i));
        QWidget *next = from->nextInFocusChain();
        // Labels, viewports, the web view's surface and the widgets outside the chain sit
        // between the stops; the chain is a ring.
        while (!chain.contains(next->objectName()))
            next = next->nextInFocusChain();
        QCOMPARE(next->objectName(), chain.at(i + 1));
    }
}

void tst_MainWindow::buttonsReachTheirSlots_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("dialogTitle");
    QTest::newRow("source") << QString("bnSourceFolder") << QString("Select Source Folder");
    QTest::newRow("destination") << QString("bnDesFolder") << QString("Select Destinate Folder");
    QTest::newRow("group editor") << QString("bnEditFileTypeGroup") << QString("EditFileTypeGroup");
}

void tst_MainWindow::buttonsReachTheirSlots()
{
    QFETCH(QString, button);
    QFETCH(QString, dialogTitle);
    Trovella w;
    w.show();
    auto title = std::make_shared<QString>();
    whenModalOpens(&w, [title](QWidget *modal) {
        *title = modal->windowTitle();
        modal->close();
    });
    QTimer::singleShot(0, w.findChild<QPushButton *>(button), &QPushButton::click);
    QTRY_VERIFY(!title->isEmpty());
    QCOMPARE(*title, dialogTitle);
}

void tst_MainWindow::settingsFile()
{
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
    QDir::setCurrent(workDir.path());
}

void tst_MainWindow::pickRule()
{
    QTemporaryDir source;
    QTemporaryDir destination;
    writeFile(source.filePath("a.jpg"), {});

    Trovella w;
    w.show();
    auto *pick = widget<QPushButton>(&w, "bnPick");
    auto *list = widget<QListWidget>(&w, "listFileTypes");

    // Destination alone leaves Pick off.
    chooseFolder(w, "bnDesFolder", destination.path());
    QCOMPARE(widget<QTextEdit>(&w, "edDesFolder")->toPlainText(), destination.path());
    QVERIFY(!pick->isEnabled());

    // The scan applies the rule: both folders set, so Pick is on with nothing checked.
    scan(w, source.path());
    QVERIFY(pick->isEnabled());
    QCOMPARE(list->count(), 1);

    // A changed item applies it too.
    pick->setEnabled(false);
    list->item(0)->setCheckState(Qt::Checked);
    QVERIFY(pick->isEnabled());

    // A cancelled destination dialog keeps everything.
    chooseFolder(w, "bnDesFolder", QString());
    QCOMPARE(w.destinationFolder(), destination.path());
    QVERIFY(pick->isEnabled());
}

TROVELLA_GUI_TEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
