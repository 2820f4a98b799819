#include "TestSupport.h"
#include "core/SmallFile.h"
#include "core/TypeMemory.h"

#include <QRegularExpression>
#include <QStringEncoder>

class tst_TypeMemory : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void write_data();
    void write();
    void failedWriteKeepsOldMemory_data();
    void failedWriteKeepsOldMemory();
};

void tst_TypeMemory::read_data()
{
    QTest::addColumn<QByteArray>("content"); // null: a FIFO
    QTest::addColumn<QString>("expected"); // the destination, then "|1:" or "|0:" per type
    const auto row = [](const char *name, const QByteArray &content, const QString &expected) {
        QTest::newRow(name) << content << expected;
    };
    row("LF", "/dest\n1:jpg\n1:png\n0:txt\n", "/dest|1:jpg|1:png|0:txt");
    row("CR LF", "/dest\r\n1:jpg\r\n0:txt\r\n", "/dest|1:jpg|0:txt");
    row("one CR taken off", "/dest\r\r\n1:a\r\r\n", "/dest\r|1:a\r");
    row("last line unended", "\n0:txt", "|0:txt");
    row("bare prefix is the empty type", "\n1:\n0:\n", "|1:|0:");
    row("nothing trimmed", " /dest \n 1:jpg\n1: jpg\n0:a b:c \n", " /dest |1: jpg|0:a b:c ");
    row("other lines ignored", "d\n\n1\n2:x\n10:y\n:1\n1:ok\n", "d|1:ok");
    row("first line never a type", "1:jpg\n0:png\n", "1:jpg|0:png");
    row("duplicates kept", "\n1:a\n1:a\n0:a\n", "|1:a|1:a|0:a");
    row("lone CR ends no line", "/d\r1:a\r", "/d\r1:a");
    row("empty file", "", "-");
    row("FIFO", QByteArray(), "-");
    row("larger than the limit", QByteArray(SmallFile::maxSize + 1, 'x'), "-");
    row("NUL bytes kept", QByteArray("/d\0x\n1:a\0b\n", 11),
        QString::fromLatin1("/d\0x|1:a\0b", 10));
    row("invalid UTF-8 replaced", "/d\xff\n1:\xc3\n", "/d\ufffd|1:\ufffd");
    QStringEncoder local(QStringConverter::System);
    row("local encoding", local(QStringLiteral("/d\u00e9st\n1:\u00e9t\u00e9\n")),
        "/d\u00e9st|1:\u00e9t\u00e9");
}

void tst_TypeMemory::read()
{
    QFETCH(QByteArray, content);
    TestTree dir;
    if (content.isNull())
        dir.make({".trovella|"});
    else
        writeFile(dir.filePath(".trovella"), content);
    if (content.isNull() || content.size() > SmallFile::maxSize)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Left .*/.trovella (unread|alone)"));
    const TypeMemory::Content memory = TypeMemory::read(dir.path());
    QString found = memory.found ? memory.destinationLine : "-";
    for (const QString &type : memory.checked)
        found += "|1:" + type;
    for (const QString &type : memory.unchecked)
        found += "|0:" + type;
    QTEST(found, "expected");
}

void tst_TypeMemory::write_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QStringList>("unchecked");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("checked first, sorted")
            << "/dest" << QStringList {"png", "jpg"} << QStringList {"txt", ""}
            << QByteArray("/dest\n1:jpg\n1:png\n0:\n0:txt\n");
    QTest::newRow("no type") << "/dest" << QStringList() << QStringList() << QByteArray("/dest\n");
    QTest::newRow("no destination")
            << "" << QStringList() << QStringList {"gz"} << QByteArray("\n0:gz\n");
    QTest::newRow("nothing escaped") << "a:b" << QStringList {" x", "1:y"} << QStringList()
                                     << QByteArray("a:b\n1: x\n1:1:y\n");
}

void tst_TypeMemory::write()
{
    QFETCH(QString, destination);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, unchecked);
    TestTree dir({".trovella=old\nlonger than the new one\n1:a\n1:b\n"});
    QVERIFY(TypeMemory::write(dir.path(), destination,
                              QSet<QString>(checked.cbegin(), checked.cend()),
                              QSet<QString>(unchecked.cbegin(), unchecked.cend())));
    QCOMPARE(dir.list(),
             {".trovella " + QString::number(readFile(dir.filePath(".trovella")).size())});
    QTEST(readFile(dir.filePath(".trovella")), "expected");
}

void tst_TypeMemory::failedWriteKeepsOldMemory_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("read-only file system") << true;
    QTest::newRow("full file system") << false;
}

void tst_TypeMemory::failedWriteKeepsOldMemory()
{
    QFETCH(bool, readOnly);
    TestTree dir;
    const Mount mount(dir.path(), "size=1m");
    if (!mount.mounted)
        QSKIP("cannot mount a tmpfs here (needs root)");
    dir.make({".trovella=/dest\n1:jpg\n0:txt\n"});
    if (readOnly) {
        QVERIFY(mount.remount("ro"));
    } else {
        QFile filler(dir.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) == 4096) { }
    }
    QSet<QString> many;
    for (int i = 0; i < 2000; ++i)
        many << QStringLiteral("type%1").arg(i);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("/.trovella"));
    QVERIFY(!TypeMemory::write(dir.path(), "/elsewhere", many, {}));
    QCOMPARE(dir.list().filter(".trovella"), {".trovella 18"});
}

QTEST_GUILESS_MAIN(tst_TypeMemory)
#include "tst_typememory.moc"
