#include "GuiTest.h"
#include "mainwindow/AdvertPage.h"
#include "mainwindow/Trovella.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QWebEngineView>

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
    void linksAreReported_data();
    void linksAreReported();

private:
    // Chooses folder in the next folder dialog and returns the folder it opened at.
    QString chooseInNextFolderDialog(QObject *owner, const QString &folder);

    QTemporaryDir workDir;
    QString previousDir;
};

void tst_MainWindow::init()
{
    QVERIFY(workDir.isValid());
    previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workDir.path()));
    // No group store: the tests here are about the window, not the groups.
    QFile store(QStringLiteral("FileTypeGroup"));
    QVERIFY(store.open(QIODevice::WriteOnly));
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
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");

    const int def = -1;
    QTest::newRow("edSrcFolder") << "edSrcFolder"
                                 << "QTextEdit" << QRect(100, 120, 481, 31) << 9 << "" << true;
    QTest::newRow("label") << "label"
                           << "QLabel" << QRect(10, 120, 111, 21) << 9 << "Source Folder" << true;
    QTest::newRow("label_2") << "label_2"
                             << "QLabel" << QRect(10, 160, 91, 21) << 9 << "Destinate Folder"
                             << true;
    QTest::newRow("edDesFolder") << "edDesFolder"
                                 << "QTextEdit" << QRect(100, 160, 481, 31) << 9 << "" << true;
    QTest::newRow("bnSourceFolder")
            << "bnSourceFolder"
            << "QPushButton" << QRect(590, 120, 75, 31) << 9 << "Browse" << true;
    QTest::newRow("bnDesFolder") << "bnDesFolder"
                                 << "QPushButton" << QRect(590, 160, 75, 31) << 9 << "Browse"
                                 << true;
    QTest::newRow("label_3") << "label_3"
                             << "QLabel" << QRect(10, 200, 81, 21) << 9 << "File Types" << true;
    QTest::newRow("bnPick") << "bnPick"
                            << "QPushButton" << QRect(270, 430, 121, 31) << 9 << "Pick" << false;
    QTest::newRow("bnExit") << "bnExit"
                            << "QPushButton" << QRect(540, 430, 121, 31) << 9 << "Exit" << true;
    QTest::newRow("listFileTypes") << "listFileTypes"
                                   << "QListWidget" << QRect(100, 240, 561, 181) << 9 << "" << true;
    QTest::newRow("webView") << "webView"
                             << "QWebEngineView" << QRect(0, 0, 681, 111) << 9 << "" << true;
    QTest::newRow("progressBar") << "progressBar"
                                 << "QProgressBar" << QRect(0, 470, 681, 16) << def << "" << true;
    QTest::newRow("bnViewPickResult")
            << "bnViewPickResult"
            << "QPushButton" << QRect(400, 430, 121, 31) << 9 << "View Result" << false;
    QTest::newRow("cbbFileTypes") << "cbbFileTypes"
                                  << "QComboBox" << QRect(100, 200, 481, 31) << 9 << "" << true;
    QTest::newRow("bnEditFileTypeGroup")
            << "bnEditFileTypeGroup"
            << "QPushButton" << QRect(590, 200, 75, 31) << 9 << "Edit" << true;
}

void tst_MainWindow::form()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(int, pointSize);
    QFETCH(QString, text);
    QFETCH(bool, enabled);

    Trovella w;
    auto *widget = w.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), QStringLiteral("centralWidget"));
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->geometry(), geometry);
    if (pointSize > 0)
        QCOMPARE(widget->font().pointSize(), pointSize);
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
    QVERIFY(widget<QStatusBar>(&w, "statusBar"));
    QVERIFY(!w.menuWidget());
}

void tst_MainWindow::tabOrder()
{
    Trovella w;
    const QStringList chain
            = {"bnSourceFolder", "bnDesFolder", "listFileTypes", "bnPick",     "bnViewPickResult",
               "bnExit",         "edDesFolder", "webView",       "edSrcFolder"};
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

QString tst_MainWindow::chooseInNextFolderDialog(QObject *owner, const QString &folder)
{
    auto opened = std::make_shared<QString>();
    whenModalOpens(owner, [folder, opened](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        *opened = dialog->directory().absolutePath() + QLatin1Char('|') + dialog->windowTitle();
        if (folder.isEmpty()) {
            dialog->reject();
        } else {
            dialog->setDirectory(folder);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    (void)QTest::qWaitFor(
            [opened] { return !opened->isEmpty() && !QApplication::activeModalWidget(); }, 10000);
    return *opened;
}

void tst_MainWindow::buttonsReachTheirSlots_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("dialogTitle");
    QTest::newRow("source") << "bnSourceFolder"
                            << "Select Source Folder";
    QTest::newRow("destination") << "bnDesFolder"
                                 << "Select Destinate Folder";
    QTest::newRow("group editor") << "bnEditFileTypeGroup"
                                  << "EditFileTypeGroup";
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
    const QString rootPath = QDir::rootPath();
    {
        Trovella w;
        w.show();
        QTimer::singleShot(0, &w, [&w] { QMetaObject::invokeMethod(&w, "browseSrcFolder"); });
        const QString first = chooseInNextFolderDialog(&w, chosen.path());
        QCOMPARE(first.section(QLatin1Char('|'), 0, 0), QDir(rootPath).absolutePath());
        QCOMPARE(first.section(QLatin1Char('|'), 1), QStringLiteral("Select Source Folder"));
    }
    QSettings settings(QStringLiteral("Trovella.ini"), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("SourceFolder")).toString(), chosen.path());
    {
        // A new window opens the dialog where the last one left it; a cancel changes nothing.
        Trovella w;
        w.show();
        QTimer::singleShot(0, &w, [&w] { QMetaObject::invokeMethod(&w, "browseSrcFolder"); });
        QCOMPARE(chooseInNextFolderDialog(&w, QString()).section(QLatin1Char('|'), 0, 0),
                 chosen.path());
    }
    {
        // Another working directory knows nothing of it.
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        QFile(QStringLiteral("FileTypeGroup")).open(QIODevice::WriteOnly);
        Trovella w;
        w.show();
        QTimer::singleShot(0, &w, [&w] { QMetaObject::invokeMethod(&w, "browseSrcFolder"); });
        QCOMPARE(chooseInNextFolderDialog(&w, QString()).section(QLatin1Char('|'), 0, 0),
                 QDir(rootPath).absolutePath());
        QVERIFY(!QFile::exists(QStringLiteral("Trovella.ini")));
        QDir::setCurrent(workDir.path());
    }
}

void tst_MainWindow::pickRule()
{
    QTemporaryDir source;
    QTemporaryDir destination;
    QFile file(source.filePath(QStringLiteral("a.jpg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    Trovella w;
    w.show();
    auto *pick = widget<QPushButton>(&w, "bnPick");
    auto *list = widget<QListWidget>(&w, "listFileTypes");

    // Destination alone leaves Pick off.
    QTimer::singleShot(0, &w, [&w] { QMetaObject::invokeMethod(&w, "browseDesFolder"); });
    QCOMPARE(chooseInNextFolderDialog(&w, destination.path()).section(QLatin1Char('|'), 0, 0),
             QDir(QDir::rootPath()).absolutePath());
    QCOMPARE(w.destinationFolder(), destination.path());
    QCOMPARE(widget<QTextEdit>(&w, "edDesFolder")->toPlainText(), destination.path());
    QVERIFY(!pick->isEnabled());

    // The scan applies the rule: both folders set, so Pick is on with nothing checked.
    QMetaObject::invokeMethod(&w, "setSrcFolder", Q_ARG(QString, source.path()));
    QCOMPARE(w.sourceFolder(), source.path());
    QVERIFY(pick->isEnabled());
    QCOMPARE(list->count(), 1);

    // A changed item applies it too.
    pick->setEnabled(false);
    list->item(0)->setCheckState(Qt::Checked);
    QVERIFY(pick->isEnabled());

    // A cancelled destination dialog keeps everything.
    QTimer::singleShot(0, &w, [&w] { QMetaObject::invokeMethod(&w, "browseDesFolder"); });
    chooseInNextFolderDialog(&w, QString());
    QCOMPARE(w.destinationFolder(), destination.path());
    QVERIFY(pick->isEnabled());
}

void tst_MainWindow::linksAreReported_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QUrl>("expected");
    QTest::newRow("same window") << R"(<a id="l" href="https://trovella.example/news">news</a>)"
                                 << QUrl(QStringLiteral("https://trovella.example/news"));
    QTest::newRow("new window")
            << R"(<a id="l" href="https://trovella.example/new" target="_blank">new</a>)"
            << QUrl(QStringLiteral("https://trovella.example/new"));
}

void tst_MainWindow::linksAreReported()
{
    QFETCH(QString, html);
    QFETCH(QUrl, expected);
    QWebEngineView view;
    auto *page = new AdvertPage(&view);
    view.setPage(page);
    view.resize(400, 100);
    view.show();
    QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
    QSignalSpy clicked(page, &AdvertPage::linkClicked);
    // The link fills the view, so a real click anywhere lands on it.
    page->setHtml(QStringLiteral("<style>a{display:block;position:fixed;inset:0}</style>") + html,
                  QUrl(QStringLiteral("qrc:/site/")));
    QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 1, 30000);
    QWidget *surface = view.focusProxy();
    QVERIFY(surface);
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(200, 50));
    QTRY_COMPARE_WITH_TIMEOUT(clicked.size(), 1, 10000);
    QCOMPARE(clicked.at(0).at(0).toUrl(), expected);
    // The strip itself stays where it was.
    QCOMPARE(page->url(), QUrl(QStringLiteral("qrc:/site/")));
}

TROVELLA_GUI_TEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
