#include "GuiTest.h"

#include "groups/EditFileTypeGroup.h"
#include "groups/FileTypeGroupStore.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
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

// Steps: "name:T" types T at the end of the name, "select" selects the whole name, "clear"
// empties it, "paste:T" pastes T over it, "choose:N" chooses entry N, "types:T" types T at
// the end of the list, "new" and "delete" press those buttons.
void edit(QWidget *dialog, const QStringList &steps)
{
    auto *name = widget<QComboBox>(dialog, "cbbGroupName");
    auto *types = widget<QPlainTextEdit>(dialog, "edTypes");
    for (const QString &step : steps) {
        const QString command = step.section(':', 0, 0);
        const QString argument = step.section(':', 1);
        if (command == "select" || command == "clear" || command == "paste")
            name->lineEdit()->selectAll();
        if (command == "clear") {
            QTest::keyClick(name->lineEdit(), Qt::Key_Backspace);
        } else if (command == "paste") {
            QGuiApplication::clipboard()->setText(argument);
            QTest::keyClick(name->lineEdit(), Qt::Key_V, Qt::ControlModifier);
        } else if (command == "name") {
            QTest::keyClicks(name->lineEdit(), argument);
        } else if (command == "choose") {
            name->setCurrentIndex(argument.toInt());
        } else if (command == "types") {
            types->moveCursor(QTextCursor::End);
            for (const QChar c : argument)
                c == '\n' ? QTest::keyClick(types, Qt::Key_Return) : QTest::keyClicks(types, c);
        } else if (command == "new" || command == "delete") {
            widget<QPushButton>(dialog, command == "new" ? "bnNew" : "bnDelete")->click();
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
    void editor_data();
    void editor();
    void failedSaveKeepsEdits();

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
    warningWatch.start();
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

    QTest::newRow("store order, empty name")
            << QByteArray("b=x\r\n=jpg\r\n") << QStringList {"(jpg)", "b(x)"};
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

    // The first entry is current from the start: choosing it applies it all the same.
    QTest::newRow("Pictures, current")
            << QByteArray("Pictures=jpg;png\r\n") << "Pictures(jpg;png)"
            << QStringList {"gif", "jpg", "png"} << QStringList {"jpg", "png"};
    QTest::newRow("case, dot and space matter")
            << QByteArray("A=x\r\nOdd=JPG;.png; gif\r\n") << "Odd(JPG;.png; gif)"
            << QStringList {"gif", "jpg", "png"} << QStringList {};
    QTest::newRow("empty list") << QByteArray("A=x\r\nEmpty=\r\n") << "Empty()"
                                << QStringList {"", "jpg"} << QStringList {""};
    QTest::newRow(";;") << QByteArray("A=x\r\nGap=jpg;;png\r\n") << "Gap(jpg;;png)"
                        << QStringList {"", "gif", "jpg"} << QStringList {"", "jpg"};
    QTest::newRow("empty name") << QByteArray("=jpg\r\n") << "(jpg)" << QStringList {"jpg", "png"}
                                << QStringList {"jpg"};
    QTest::newRow("entry text not used") << QByteArray("P=jpg\r\n") << "P(jpg)"
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
    fillTypes(typeList(window), types, checked);
    chooseGroup(window, entry);
    QCOMPARE(checkedTypes(typeList(window)), checked);
    QCOMPARE(warnings, QStringList {});
}

void tst_Groups::missingGroupWarnsAndChangesNothing()
{
    // The name is cut at its "(", so the group cannot be found.
    writeFile(storeFile, "a(b=jpg\r\nz=png\r\n");
    Trovella window;
    fillTypes(typeList(window), {"jpg", "png"}, {"jpg"});
    chooseGroup(window, "a(b");
    QCOMPARE(warnings, QStringList {"error: no such type"});
    QCOMPARE(checkedTypes(typeList(window)), QStringList {"png"});
}

void tst_Groups::editor_data()
{
    QTest::addColumn<QByteArray>("file"); // the main window shows its second group
    QTest::addColumn<QStringList>("steps"); // see edit()
    QTest::addColumn<QString>("finish"); // "ok", "cancel" or "close"
    QTest::addColumn<QStringList>("seen"); // names, types, name box tooltip, hint under types
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<QStringList>("entries"); // of the main window's box, its current first

    const QByteArray ab = "A=a1\r\nB=b1\r\n";
    const QStringList abEntries {"B(b1)", "A(a1)", "B(b1)"};
    QTest::newRow("Cancel drops a rename") << ab << QStringList {"select", "name:X"} << "cancel"
                                           << QStringList {"X,B", "a1", "", ""} << ab << abEntries;
    QTest::newRow("close drops a deletion") << ab << QStringList {"delete"} << "close"
                                            << QStringList {"B", "b1", "", ""} << ab << abEntries;
    QTest::newRow("rename") << ab << QStringList {"select", "name:X"} << "ok"
                            << QStringList {"X,B", "a1", "", ""} << QByteArray("B=b1\r\nX=a1\r\n")
                            << QStringList {"B(b1)", "B(b1)", "X(a1)"};
    QTest::newRow("rename onto another group")
            << QByteArray("Audio=mp3\r\nVideo=mp4\r\n")
            << QStringList {"choose:1", "select", "name:Audio"} << "ok"
            << QStringList {"Audio,Video", "mp4", "There is a group named \"Audio\" already.", ""}
            << QByteArray("Audio=mp3\r\nVideo=mp4\r\n")
            << QStringList {"Video(mp4)", "Audio(mp3)", "Video(mp4)"};
    const QString badName = "A group name cannot hold \"=\", \"(\" or a line break.";
    QTest::newRow("=") << ab << QStringList {"name:=x"} << "ok"
                       << QStringList {"A,B", "a1", badName, ""} << ab << abEntries;
    QTest::newRow("(") << ab << QStringList {"name:(x"} << "ok"
                       << QStringList {"A,B", "a1", badName, ""} << ab << abEntries;
    QTest::newRow("line break") << ab << QStringList {"paste:x\ny"} << "ok"
                                << QStringList {"A,B", "a1", badName, ""} << ab << abEntries;
    QTest::newRow("no name") << ab << QStringList {"clear"} << "ok"
                             << QStringList {"A,B", "a1", "A group needs a name.", ""} << ab
                             << abEntries;
    QTest::newRow("new") << ab << QStringList {"new", "name:Pics", "types:jpg"} << "ok"
                         << QStringList {"A,B,Pics", "jpg", "", ""}
                         << QByteArray("A=a1\r\nB=b1\r\nPics=jpg\r\n")
                         << QStringList {"B(b1)", "A(a1)", "B(b1)", "Pics(jpg)"};
    QTest::newRow("new twice") << ab << QStringList {"new", "new"} << "ok"
                               << QStringList {"A,B,New group,New group 2", "", "", ""}
                               << QByteArray("A=a1\r\nB=b1\r\nNew group=\r\nNew group 2=\r\n")
                               << QStringList {"B(b1)", "A(a1)", "B(b1)", "New group()",
                                               "New group 2()"};
    QTest::newRow("delete the group shown")
            << ab << QStringList {"choose:1", "delete"} << "ok" << QStringList {"A", "a1", "", ""}
            << QByteArray("A=a1\r\n") << QStringList {"A(a1)", "A(a1)"};
    QTest::newRow("delete all, then new")
            << ab << QStringList {"delete", "delete", "new", "name:P", "types:jpg"} << "ok"
            << QStringList {"P", "jpg", "", ""} << QByteArray("P=jpg\r\n")
            << QStringList {"P(jpg)", "P(jpg)"};
    QTest::newRow("types kept as typed")
            << ab << QStringList {"types:;JPG; .png;gif"} << "ok"
            << QStringList {"A,B", "a1;JPG; .png;gif", "",
                            R"(Never matches a file type: "JPG", " .png")"}
            << QByteArray("A=a1;JPG; .png;gif\r\nB=b1\r\n")
            << QStringList {"B(b1)", "A(a1;JPG; .png;gif)", "B(b1)"};
}

void tst_Groups::editor()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, steps);
    QFETCH(QString, finish);
    writeFile(storeFile, file);
    Trovella window;
    auto *box = widget<QComboBox>(&window, "cbbFileTypes");
    box->setCurrentIndex(1);
    fillTypes(typeList(window), {"doc", "jpg", "txt"}, {"jpg"});

    QStringList seen;
    openEditor(window, [&](QWidget *dialog) {
        edit(dialog, steps);
        auto *name = widget<QComboBox>(dialog, "cbbGroupName");
        seen << entries(name).join(',') << widget<QPlainTextEdit>(dialog, "edTypes")->toPlainText()
             << name->toolTip() << widget<QLabel>(dialog, "labelTypesHint")->text();
        if (finish == "close")
            dialog->close();
        else
            widget<QPushButton>(dialog, finish == "ok" ? "bnOK" : "bnCancel")->click();
    });
    QTEST(seen, "seen");
    QTEST(readFile(storeFile), "saved");
    QTEST(QStringList {box->currentText()} + entries(box), "entries");
    // Nobody chose a group: the check marks stay the user's.
    QCOMPARE(checkedTypes(typeList(window)), (QStringList {"doc", "txt"}));
    QCOMPARE(warnings, QStringList {});

    // The window holds what the file holds: OK without a change writes the same.
    openEditor(window, [](QWidget *dialog) { widget<QPushButton>(dialog, "bnOK")->click(); });
    QTEST(readFile(storeFile), "saved");
}

void tst_Groups::failedSaveKeepsEdits()
{
    writeFile(storeFile, "A=a1\r\n");
    Trovella window;
    // The box answers and records the warning; the dialog is answered here.
    warningWatch.stop();
    QVERIFY(QFile::remove(storeFile) && QDir().mkdir(storeFile));
    QString message;
    QStringList names;
    openEditor(window, [&](QWidget *dialog) {
        edit(dialog, {"select", "name:X"});
        whenModalOpens(&window, [&](QWidget *box) {
            message = box->windowTitle() + ": " + qobject_cast<QMessageBox *>(box)->text();
            whenModalOpens(&window, [&](QWidget *again) {
                names = entries(widget<QComboBox>(again, "cbbGroupName"));
                QDir().rmdir(storeFile);
                widget<QPushButton>(again, "bnOK")->click();
            });
            qobject_cast<QMessageBox *>(box)->button(QMessageBox::Ok)->click();
        });
        widget<QPushButton>(dialog, "bnOK")->click();
    });
    QCOMPARE(message,
             "error: The file type groups could not be saved to "
                     + QDir::current().absoluteFilePath(storeFile) + ": it is not a regular file");
    QCOMPARE(names, QStringList {"X"});
    QCOMPARE(readFile(storeFile), QByteArray("X=a1\r\n"));
    QCOMPARE(entries(widget<QComboBox>(&window, "cbbFileTypes")), QStringList {"X(a1)"});
}

TROVELLA_GUI_TEST_MAIN(tst_Groups)
#include "tst_groups.moc"
