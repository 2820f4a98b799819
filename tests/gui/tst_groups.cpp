#include "GuiTest.h"

#include "groups/EditFileTypeGroup.h"
#include "groups/FileTypeGroupStore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const QString storeFile = QStringLiteral("FileTypeGroup");

QStringList entries(QComboBox *box)
{
    QStringList result;
    for (int i = 0; i < box->count(); ++i)
        result << box->itemText(i);
    return result;
}

// Types on the list with the opposite of the state expected, so each must be set.
void fillTypes(QListWidget *list, const QStringList &types, const QStringList &expectedChecked)
{
    list->clear();
    for (const QString &type : types) {
        auto *item = new QListWidgetItem(type, list);
        item->setCheckState(expectedChecked.contains(type) ? Qt::Unchecked : Qt::Checked);
    }
}

QStringList checkedTypes(QListWidget *list)
{
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->checkState() == Qt::Checked)
            result << list->item(row)->text();
    result.sort();
    return result;
}

// Steps: "name:T" types T at the end of the name, "select" selects the whole name,
// "clear" empties it, "choose:N" chooses entry N, "types:T" types T at the end of the list.
void edit(QWidget *dialog, const QStringList &steps)
{
    auto *name = widget<QComboBox>(dialog, "cbbGroupName");
    auto *types = widget<QPlainTextEdit>(dialog, "edTypes");
    for (const QString &step : steps) {
        const QString command = step.section(':', 0, 0);
        const QString argument = step.section(':', 1);
        if (command == QLatin1String("select")) {
            name->lineEdit()->selectAll();
        } else if (command == QLatin1String("clear")) {
            name->lineEdit()->selectAll();
            QTest::keyClick(name->lineEdit(), Qt::Key_Backspace);
        } else if (command == QLatin1String("name")) {
            QTest::keyClicks(name->lineEdit(), argument);
        } else if (command == QLatin1String("choose")) {
            name->setCurrentIndex(argument.toInt());
        } else {
            types->moveCursor(QTextCursor::End);
            for (const QChar c : argument)
                c == '\n' ? QTest::keyClick(types, Qt::Key_Return) : QTest::keyClicks(types, c);
        }
    }
}

} // namespace

class tst_Groups : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startUpFillsBox_data();
    void startUpFillsBox();
    void missingStoreIsDownloaded();
    void failedDownloadIsRetriedNextStart();
    void selection_data();
    void selection();
    void missingGroupWarnsAndChangesNothing();
    void currentEntryAgainAppliesNothing();
    void editor_data();
    void editor();
    void editorOk_data();
    void editorOk();
    void editorCancelKeepsEditsInMemoryOnly();

private:
    void answerWarnings();
    void openEditor(Trovella &window, const std::function<void(QWidget *)> &answer);

    std::unique_ptr<ScratchFolder> scratch;
    QTimer warningWatch;
    // "title: text" of every warning box seen since the test began.
    QStringList warnings;
};

void tst_Groups::initTestCase()
{
    // Message boxes are answered here; any other modal window is the test's to drive.
    warningWatch.setInterval(20);
    connect(&warningWatch, &QTimer::timeout, this, &tst_Groups::answerWarnings);
    warningWatch.start();
}

void tst_Groups::answerWarnings()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return;
    const bool asked = qobject_cast<Trovella *>(box->parentWidget())
            && box->icon() == QMessageBox::Warning && box->standardButtons() == QMessageBox::Ok;
    warnings << box->windowTitle() + QLatin1String(": ") + box->text()
                    + (asked ? QString() : QStringLiteral(" (wrong parent, icon or buttons)"));
    box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
}

void tst_Groups::init()
{
    warnings.clear();
    scratch = std::make_unique<ScratchFolder>();
    QVERIFY(scratch->current);
}

void tst_Groups::cleanup() { scratch.reset(); }

void tst_Groups::openEditor(Trovella &window, const std::function<void(QWidget *)> &answer)
{
    whenModalOpens(&window, answer);
    widget<QPushButton>(&window, "bnEditFileTypeGroup")->click();
}

void tst_Groups::startUpFillsBox_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("sorted by name")
            << QByteArray("b=x\r\nA=y\r\na=z\r\n") << QStringList {"A(y)", "a(z)", "b(x)"};
    QTest::newRow("empty name") << QByteArray("=jpg\r\n") << QStringList {"(jpg)"};
    QTest::newRow("third line empty")
            << QByteArray("a=1\nb=2\n\nc=3\n") << QStringList {"a(1)", "b(2)"};
    QTest::newRow("empty store not downloaded") << QByteArray() << QStringList {};
}

void tst_Groups::startUpFillsBox()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);

    writeFile(storeFile, file);
    Trovella window;
    auto *box = widget<QComboBox>(&window, "cbbFileTypes");
    QCOMPARE(entries(box), expected);
    QCOMPARE(box->currentIndex(), expected.isEmpty() ? -1 : 0);
    QCOMPARE(readFile(storeFile), file);
    QCOMPARE(warnings, QStringList {});
}

void tst_Groups::missingStoreIsDownloaded()
{
    Trovella window;
    FileTypeGroupStore builtIn;
    builtIn.load();
    QVERIFY(!builtIn.groups().isEmpty());
    auto *box = widget<QComboBox>(&window, "cbbFileTypes");
    QCOMPARE(box->count(), builtIn.groups().size());
    QCOMPARE(box->currentText(),
             builtIn.groups().firstKey() + '(' + builtIn.groups().first() + ')');
}

void tst_Groups::failedDownloadIsRetriedNextStart()
{
    const Mount mount(scratch->filePath("mnt"), "size=1m");
    if (!mount.mounted)
        QSKIP("cannot mount a tmpfs here (needs root)");
    QVERIFY(mount.remount("ro"));
    QVERIFY(QDir::setCurrent(scratch->filePath("mnt")));
    {
        // The download has nowhere to store the file.
        Trovella window;
        QCOMPARE(widget<QComboBox>(&window, "cbbFileTypes")->count(), 0);
    }
    QVERIFY(mount.remount("rw"));
    Trovella window;
    QVERIFY(QFile::exists(storeFile));
    QVERIFY(widget<QComboBox>(&window, "cbbFileTypes")->count() > 0);
    QCOMPARE(warnings, QStringList {});
}

void tst_Groups::selection_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QStringList>("checked");

    // "~" sorts last, so the group under test is never the entry current at start-up.
    const QByteArray filler = "~other=gif\r\n";
    QTest::newRow("Pictures") << "Pictures=jpg;png\r\n" + filler << "Pictures(jpg;png)"
                              << QStringList {"gif", "jpg", "png"} << QStringList {"jpg", "png"};
    QTest::newRow("case, dot and space matter")
            << "Odd=JPG;.png; gif\r\n" + filler << "Odd(JPG;.png; gif)"
            << QStringList {"gif", "jpg", "png"} << QStringList {};
    QTest::newRow("empty list") << "Empty=\r\n" + filler << "Empty()" << QStringList {"", "jpg"}
                                << QStringList {""};
    QTest::newRow(";;") << "Gap=jpg;;png\r\n" + filler << "Gap(jpg;;png)"
                        << QStringList {"", "gif", "jpg"} << QStringList {"", "jpg"};
    QTest::newRow("empty name") << "=jpg\r\n" + filler << "(jpg)" << QStringList {"jpg", "png"}
                                << QStringList {"jpg"};
    QTest::newRow("entry text not used") << "P=jpg\r\n" + filler << "P(jpg)"
                                         << QStringList {"jpg", "P(jpg)"} << QStringList {"jpg"};
}

void tst_Groups::selection()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, entry);
    QFETCH(QStringList, types);
    QFETCH(QStringList, checked);

    writeFile(storeFile, file);
    Trovella window;
    auto *box = widget<QComboBox>(&window, "cbbFileTypes");
    auto *list = widget<QListWidget>(&window, "listFileTypes");
    box->setCurrentIndex(box->findText(QStringLiteral("~other(gif)")));
    fillTypes(list, types, checked);

    const int index = box->findText(entry);
    QVERIFY(index >= 0);
    box->setCurrentIndex(index);
    QCOMPARE(checkedTypes(list), checked);
    QCOMPARE(warnings, QStringList {});
}

void tst_Groups::missingGroupWarnsAndChangesNothing()
{
    // The name is cut at its "(", so the group cannot be found.
    writeFile(storeFile, "a(b=jpg\r\nz=png\r\n");
    Trovella window;
    QCOMPARE(warnings, QStringList {"error: no such type"});
    auto *box = widget<QComboBox>(&window, "cbbFileTypes");
    auto *list = widget<QListWidget>(&window, "listFileTypes");
    box->setCurrentIndex(1);
    fillTypes(list, {"jpg", "png"}, {"jpg"});

    box->setCurrentIndex(0);
    QCOMPARE(warnings, (QStringList {"error: no such type", "error: no such type"}));
    QCOMPARE(checkedTypes(list), QStringList {"png"});
    QCOMPARE(box->currentIndex(), 0);
}

void tst_Groups::currentEntryAgainAppliesNothing()
{
    writeFile(storeFile, "Pictures=jpg\r\n");
    Trovella window;
    auto *box = widget<QComboBox>(&window, "cbbFileTypes");
    auto *list = widget<QListWidget>(&window, "listFileTypes");
    fillTypes(list, {"jpg", "png"}, {"jpg"});
    box->setCurrentIndex(0);
    QCOMPARE(checkedTypes(list), QStringList {"png"});
}

void tst_Groups::editor_data()
{
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QStringList>("steps"); // see edit()
    QTest::addColumn<QStringList>("expectedGroups");
    QTest::addColumn<QStringList>("expectedNames");
    QTest::addColumn<QString>("expectedTypes");

    const QStringList ab {"A=a1", "B=b1"};
    QTest::newRow("opens on the first")
            << ab << QStringList {} << ab << QStringList {"A", "B"} << "a1";
    QTest::newRow("choose B") << ab << QStringList {"choose:1"} << ab << QStringList {"A", "B"}
                              << "b1";
    QTest::newRow("rename to X") << ab << QStringList {"select", "name:X"}
                                 << QStringList {"B=b1", "X=a1"} << QStringList {"X", "B"} << "a1";
    QTest::newRow("rename on to XY")
            << ab << QStringList {"select", "name:XY"} << QStringList {"B=b1", "XY=a1"}
            << QStringList {"XY", "B"} << "a1";
    QTest::newRow("B over A edits B")
            << ab << QStringList {"select", "name:B", "types:2"} << QStringList {"A=a1", "B=a12"}
            << QStringList {"A", "B"} << "a12";
    QTest::newRow("empty name creates group")
            << ab << QStringList {"clear", "types:2"} << QStringList {"=a12", "A=a1", "B=b1"}
            << QStringList {"A", "B"} << "a12";
    QTest::newRow("empty store") << QStringList {} << QStringList {"name:P", "types:jpg"}
                                 << QStringList {"P=jpg"} << QStringList {} << "jpg";
    QTest::newRow("two lines kept in memory")
            << ab << QStringList {"types:\n2"} << QStringList {"A=a1\n2", "B=b1"}
            << QStringList {"A", "B"} << "a1\n2";
}

void tst_Groups::editor()
{
    QFETCH(QStringList, groups);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expectedGroups);
    QFETCH(QStringList, expectedNames);
    QFETCH(QString, expectedTypes);

    FileTypeGroupStore store;
    for (const QString &group : groups)
        store.setTypes(group.section('=', 0, 0), group.section('=', 1));
    EditFileTypeGroup dialog(&store);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    edit(&dialog, steps);
    QCOMPARE(pairs(store.groups()), expectedGroups);
    QCOMPARE(entries(widget<QComboBox>(&dialog, "cbbGroupName")), expectedNames);
    QCOMPARE(widget<QPlainTextEdit>(&dialog, "edTypes")->toPlainText(), expectedTypes);
}

void tst_Groups::editorOk_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("steps"); // see edit()
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("checked"); // of jpg and png, by the first group

    QTest::newRow("new group in an empty store")
            << QByteArray() << QStringList {"name:P", "types:jpg"} << QByteArray("P=jpg\r\n")
            << QStringList {"P(jpg)"} << QStringList {"jpg"};
    QTest::newRow("no changes rewrites the same bytes")
            << QByteArray("A=jpg\r\nB=png\r\n") << QStringList {}
            << QByteArray("A=jpg\r\nB=png\r\n") << QStringList {"A(jpg)", "B(png)"}
            << QStringList {"jpg"};
    // Typed over several lines, with an empty one: saved on one line, every group kept.
    QTest::newRow("multi-line list")
            << QByteArray("A=jpg\r\nB=mp3\r\nC=txt\r\n") << QStringList {"types:\n\npng"}
            << QByteArray("A=jpg;;png\r\nB=mp3\r\nC=txt\r\n")
            << QStringList {"A(jpg;;png)", "B(mp3)", "C(txt)"} << QStringList {"jpg", "png"};
}

void tst_Groups::editorOk()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, steps);
    writeFile(storeFile, file);
    Trovella window;
    auto *box = widget<QComboBox>(&window, "cbbFileTypes");
    box->setCurrentIndex(1);
    fillTypes(typeList(window), {"jpg", "png"}, {"jpg"});
    QFile::remove(storeFile);

    openEditor(window, [steps](QWidget *dialog) {
        edit(dialog, steps);
        widget<QPushButton>(dialog, "bnOK")->click();
    });
    QTEST(readFile(storeFile), "saved");
    QTEST(entries(box), "entries");
    QCOMPARE(box->currentIndex(), 0);
    QTEST(checkedTypes(typeList(window)), "checked");
}

void tst_Groups::editorCancelKeepsEditsInMemoryOnly()
{
    const QByteArray file = "A=a1\r\nB=b1\r\n";
    writeFile(storeFile, file);
    Trovella window;
    auto *box = widget<QComboBox>(&window, "cbbFileTypes");
    openEditor(window, [](QWidget *dialog) {
        auto *name = widget<QComboBox>(dialog, "cbbGroupName");
        name->lineEdit()->selectAll();
        QTest::keyClicks(name->lineEdit(), QStringLiteral("X"));
        widget<QPushButton>(dialog, "bnCancel")->click();
    });
    QCOMPARE(readFile(storeFile), file);
    QCOMPARE(entries(box), (QStringList {"A(a1)", "B(b1)"}));

    box->setCurrentIndex(1);
    box->setCurrentIndex(0);
    QCOMPARE(warnings, QStringList {"error: no such type"});

    QStringList names;
    openEditor(window, [&names](QWidget *dialog) {
        names = entries(widget<QComboBox>(dialog, "cbbGroupName"));
        widget<QPushButton>(dialog, "bnCancel")->click();
    });
    QCOMPARE(names, (QStringList {"B", "X"}));
}

TROVELLA_GUI_TEST_MAIN(tst_Groups)
#include "tst_groups.moc"
