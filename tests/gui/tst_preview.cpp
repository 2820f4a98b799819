#include "GuiTest.h"

#include "mainwindow/TypeItemDelegate.h"

#include <QComboBox>
#include <QLocale>
#include <QRegularExpression>

namespace {

QListWidgetItem *typeItem(Trovella &window, const QString &type)
{
    const QList<QListWidgetItem *> found = typeList(window)->findItems(type, Qt::MatchExactly);
    return found.size() == 1 ? found.first() : nullptr;
}

bool sized(Trovella &window)
{
    QListWidget *list = typeList(window);
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem *item = list->item(row);
        if (item->data(TypeItemDelegate::SizedFilesRole) != item->data(TypeItemDelegate::FilesRole))
            return false;
    }
    return true;
}

// jpg: 3 files of 1000 bytes; txt: 2 of 500; gz: 1 of 7000.
void writeSmallTree(const QString &root)
{
    for (const char *name : {"a.jpg", "deep/b.JPG", "deep/er/c.Jpg"})
        writeFile(root + '/' + name, QByteArray(1000, 'j'));
    for (const char *name : {"x.txt", "deep/y.txt"})
        writeFile(root + '/' + name, QByteArray(500, 't'));
    writeFile(root + "/z.tar.gz", QByteArray(7000, 'z'));
}
} // namespace

class tst_Preview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void figuresBesideTheTypes();
    void summary_data();
    void summary();
    void tooLittleSpace_data();
    void tooLittleSpace();
    void namesAStickCannotStore_data();
    void namesAStickCannotStore();

private:
    std::optional<ScratchFolder> temp;
};

void tst_Preview::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_Preview::init()
{
    temp.emplace();
    QVERIFY(temp->current);
}

void tst_Preview::figuresBesideTheTypes()
{
    const QString src = temp->filePath("src");
    // Counts and sizes known from the plan of the tree, not from a walk of it.
    QMap<QString, QPair<qint64, qint64>> expected;
    for (int i = 0; i < 90; ++i) {
        const QString type = QStringList {"jpg", "png", "", "mp3"}.at(i % 4);
        const QString name
                = QString("d%1/f%2%3")
                          .arg(i % 7)
                          .arg(i)
                          .arg(type.isEmpty() ? QString()
                                              : (i % 3 ? "." + type : "." + type.toUpper()));
        writeFile(src + '/' + name, QByteArray(i * 101, 'x'));
        expected[type].first += 1;
        expected[type].second += i * 101;
    }

    Trovella window;
    QVERIFY(scanAndCheck(window, src, {}));
    QCOMPARE(typeList(window)->count(), expected.size());
    QTRY_VERIFY(sized(window));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        QListWidgetItem *item = typeItem(window, it.key());
        QVERIFY2(item, qPrintable(it.key()));
        QCOMPARE(item->data(TypeItemDelegate::FilesRole).toLongLong(), it->first);
        QCOMPARE(item->data(TypeItemDelegate::BytesRole).toLongLong(), it->second);
    }
    // 22 mp3 files of 101 * (3 + 7 + ... + 87) = 99990 bytes.
    QCOMPARE(typeItem(window, "mp3")->toolTip(), QString("22 files · 97.6 kB"));
}

void tst_Preview::summary_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");

    QTest::newRow("after the scan") << QString("scan") << QString("Selected: 1 file, 6.8 kB");
    QTest::newRow("check pattern") << QString("pattern") << QString("Selected: 3 files, 7.8 kB");
    QTest::newRow("group") << QString("group") << QString("Selected: 5 files, 3.9 kB");
    QTest::newRow("rescan") << QString("rescan") << QString("Selected: 5 files, 16.6 kB");
}

void tst_Preview::summary()
{
    QFETCH(QString, change);
    QFETCH(QString, message);
    const QString src = temp->filePath("src");
    writeSmallTree(src);
    writeFile(src + "/.trovella", "\r\n1:gz\r\n0:jpg\r\n0:txt\r\n");
    writeFile(temp->filePath("FileTypeGroup"), "A=gz\r\nPictures and text=jpg;txt\r\n");

    Trovella window;
    QVERIFY(scanAndCheck(window, src, {}));
    if (change == "pattern") {
        typeItem(window, "jpg")->setCheckState(Qt::Checked);
        typeItem(window, "txt")->setCheckState(Qt::Checked);
        typeItem(window, "jpg")->setCheckState(Qt::Unchecked);
    } else if (change == "group") {
        chooseGroup(window, "Pictures and text");
    } else if (change == "rescan") {
        typeItem(window, "jpg")->setCheckState(Qt::Checked);
        writeFile(src + "/new.gz", QByteArray(7000, 'n'));
        // The states stay as they were left; the figures count the new file.
        QVERIFY(scanAndCheck(window, src, {}));
    }
    QTRY_COMPARE(statusText(window), message);
}

void tst_Preview::tooLittleSpace_data()
{
    QTest::addColumn<bool>("agree");
    QTest::newRow("No") << false;
    QTest::newRow("Yes") << true;
}

void tst_Preview::tooLittleSpace()
{
    QFETCH(bool, agree);
    const QString src = temp->filePath("src");
    const QString des = temp->filePath("des");
    for (const char *name : {"a.bin", "b/b.bin", "c.bin"})
        writeFile(src + '/' + name, QByteArray(400000, *name));
    Mount mount(des, QStringLiteral("size=1m"));
    if (!mount.mounted)
        QSKIP("cannot mount a tmpfs here (needs root)");

    Trovella window;
    chooseDestination(window, des);
    QVERIFY(scanAndCheck(window, src, {"bin"}));
    answerNextQuestion(agree ? QMessageBox::Yes : QMessageBox::No);
    if (agree)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Could not copy .*: No space left"));
    pick(window);
    const QString question = Prompt::lastText();

    QVERIFY2(question.contains(QRegularExpression("^1\\.1 MB are needed and 1\\.0 MB are free\\.")),
             qPrintable(question));
    QVERIFY(question.endsWith("Pick anyway?"));
    for (const char *name : {"bnSourceFolder", "bnDesFolder", "listFileTypes"})
        QVERIFY2(enabled(window, name), name);
    if (!agree) {
        QCOMPARE(entries(des), QStringList());
        QCOMPARE(statusText(window), QString("Nothing was copied."));
        QVERIFY(!enabled(window, "bnViewPickResult"));
        return;
    }
    QCOMPARE(statusText(window), QString("Copied 2 files (781.3 kB). 1 could not be copied."));
    QVERIFY(enabled(window, "bnViewPickResult"));
}

void tst_Preview::namesAStickCannotStore_data()
{
    QTest::addColumn<bool>("ntfs");
    QTest::newRow("FAT") << false;
    // ntfs-3g stores what Windows cannot open, and tells case apart.
    QTest::newRow("NTFS") << true;
}

void tst_Preview::namesAStickCannotStore()
{
    QFETCH(bool, ntfs);
    const QString src = temp->filePath("src");
    const QString des = temp->filePath("stick");
    // Dir and dir are one folder on FAT; nothing there collides.
    for (const char *name : {"Ab.txt", "ab.txt", "d/a:b.txt", "ok.txt", "Dir/x.txt", "dir/y.txt"})
        writeFile(src + '/' + name, name);
    DiskImage disk(temp->filePath("stick.img"), des, ntfs ? DiskImage::Ntfs : DiskImage::Fat);
    if (!disk.mounted())
        QSKIP(qPrintable(disk.reason));
    Trovella window;
    chooseDestination(window, des);
    QVERIFY(scanAndCheck(window, src, {"txt"}));
    answerNextQuestion(QMessageBox::Yes);
    if (!ntfs) {
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("Could not copy .*src/d/a:b.txt to "
                                                ".*: the destination cannot store"));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("Could not copy .*src/[aA]b.txt to "
                                                ".*: the destination cannot store"));
    }
    pick(window);
    const QString question = Prompt::lastText();

    if (ntfs) {
        QCOMPARE(question, QString());
        QCOMPARE(statusText(window), QString("Finished."));
        QCOMPARE(entries(des + "/src", QDir::Files).size(), 6);
        QCOMPARE(readFile(des + "/src/d/a:b.txt"), "d/a:b.txt");
        return;
    }
    // Which of the two spellings goes first follows the walk; the other is the one refused.
    QVERIFY2(question.contains("cannot store") && question.contains("\n    d/a:b.txt")
                     && (question.contains("\n    ab.txt") != question.contains("\n    Ab.txt"))
                     && !question.contains("x.txt") && !question.contains("y.txt"),
             qPrintable(question));
    QVERIFY(!question.contains("are needed"));
    QCOMPARE(statusText(window), QString("Copied 4 files (30 bytes). 2 could not be copied."));
    QCOMPARE(entries(des + "/src", QDir::Files).size(), 4);
    QCOMPARE(readFile(des + "/src/ok.txt"), "ok.txt");
}

TROVELLA_GUI_TEST_MAIN(tst_Preview)
#include "tst_preview.moc"
