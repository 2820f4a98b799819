#include "TestSupport.h"
#include "core/SmallFile.h"
#include "core/TypeMemory.h"

#include <QRegularExpression>
#include <QStringConverter>

namespace {
#ifdef Q_OS_WIN
const QByteArray lineEnd("\r\n");
#else
const QByteArray lineEnd("\n");
#endif

QByteArray lines(const QList<QByteArray> &content)
{
    QByteArray bytes;
    for (const QByteArray &line : content)
        bytes += line + lineEnd;
    return bytes;
}

} // namespace

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
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QStringList>("unchecked");

    const QStringList none;
    QTest::newRow("LF") << QByteArray("/dest\n1:jpg\n1:png\n0:txt\n") << true << "/dest"
                        << QStringList {"jpg", "png"} << QStringList {"txt"};
    QTest::newRow("CR LF") << QByteArray("/dest\r\n1:jpg\r\n0:txt\r\n") << true << "/dest"
                           << QStringList {"jpg"} << QStringList {"txt"};
    QTest::newRow("one CR taken off") << QByteArray("/dest\r\r\n1:a\r\r\n") << true << "/dest\r"
                                      << QStringList {"a\r"} << none;
    QTest::newRow("last line unended")
            << QByteArray("\n0:txt") << true << "" << none << QStringList {"txt"};
    QTest::newRow("bare prefix is the empty type")
            << QByteArray("\n1:\n0:\n") << true << "" << QStringList {""} << QStringList {""};
    QTest::newRow("nothing trimmed") << QByteArray(" /dest \n 1:jpg\n1: jpg\n0:a b:c \n") << true
                                     << " /dest " << QStringList {" jpg"} << QStringList {"a b:c "};
    QTest::newRow("other lines ignored") << QByteArray("d\n\n1\n2:x\n10:y\n:1\n1:ok\n") << true
                                         << "d" << QStringList {"ok"} << none;
    QTest::newRow("first line never a type")
            << QByteArray("1:jpg\n0:png\n") << true << "1:jpg" << none << QStringList {"png"};
    QTest::newRow("duplicates kept") << QByteArray("\n1:a\n1:a\n0:a\n") << true << ""
                                     << QStringList {"a", "a"} << QStringList {"a"};
    QTest::newRow("empty file") << QByteArray() << false << "" << none << none;
    QStringEncoder local(QStringConverter::System);
    QTest::newRow("local encoding")
            << QByteArray(local(QStringLiteral("/d\u00e9st\n1:\u00e9t\u00e9\n"))) << true
            << QStringLiteral("/d\u00e9st") << QStringList {QStringLiteral("\u00e9t\u00e9")}
            << none;
    // Files the program did not write.
    QTest::newRow("larger than the limit")
            << QByteArray(SmallFile::maxSize + 1, 'x') << false << "" << none << none;
    QTest::newRow("NUL bytes kept")
            << QByteArray("/d\0x\n1:a\0b\n", 11) << true << QString::fromLatin1("/d\0x", 4)
            << QStringList {QString::fromLatin1("a\0b", 3)} << none;
    QTest::newRow("invalid UTF-8 replaced")
            << QByteArray("/d\xff\n1:\xc3\n") << true << QStringLiteral("/d\ufffd")
            << QStringList {QStringLiteral("\ufffd")} << none;
    QTest::newRow("lone CR ends no line")
            << QByteArray("/d\r1:a\r") << true << "/d\r1:a" << none << none;
}

void tst_TypeMemory::read()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    writeFile(dir.filePath(".trovella"), content);
    if (content.size() > SmallFile::maxSize)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Left .*/.trovella unread"));

    const TypeMemory::Content memory = TypeMemory::read(dir.path());
    QTEST(memory.found, "found");
    QTEST(memory.destinationLine, "destination");
    QTEST(memory.checked, "checked");
    QTEST(memory.unchecked, "unchecked");
}

void tst_TypeMemory::write_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QStringList>("unchecked");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("checked before unchecked")
            << "/dest" << QStringList {"png", "jpg"} << QStringList {"txt", ""}
            << lines({"/dest", "1:jpg", "1:png", "0:", "0:txt"});
    QTest::newRow("empty list") << "/dest" << QStringList() << QStringList() << lines({"/dest"});
    QTest::newRow("no destination")
            << "" << QStringList() << QStringList {"gz"} << lines({"", "0:gz"});
    QTest::newRow("nothing escaped") << "a:b" << QStringList {" x", "1:y"} << QStringList()
                                     << lines({"a:b", "1: x", "1:1:y"});
}

void tst_TypeMemory::write()
{
    QFETCH(QString, destination);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, unchecked);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    writeFile(dir.filePath(".trovella"), "old\nlonger than the new one\n1:a\n1:b\n");

    QVERIFY(TypeMemory::write(dir.path(), destination,
                              QSet<QString>(checked.cbegin(), checked.cend()),
                              QSet<QString>(unchecked.cbegin(), unchecked.cend())));
    QCOMPARE(readFile(dir.filePath(".trovella")), expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), {".trovella"});
}

void tst_TypeMemory::failedWriteKeepsOldMemory_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("read-only filesystem") << true;
    QTest::newRow("full filesystem") << false;
}

void tst_TypeMemory::failedWriteKeepsOldMemory()
{
    QFETCH(bool, readOnly);
    QTemporaryDir dir;
    const Mount mount(dir.path(), "size=1m");
    if (!mount.mounted)
        QSKIP("cannot mount a tmpfs here (needs root)");
    const QByteArray old = lines({"/dest", "1:jpg", "0:txt"});
    const QString memoryPath = dir.filePath(".trovella");
    writeFile(memoryPath, old);

    if (readOnly) {
        QVERIFY(mount.remount("ro"));
    } else {
        QFile filler(dir.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) { }
    }

    QSet<QString> many;
    for (int i = 0; i < 2000; ++i)
        many.insert(QStringLiteral("type%1").arg(i));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(memoryPath)));
    QVERIFY(!TypeMemory::write(dir.path(), QStringLiteral("/elsewhere"), many, {}));

    QCOMPARE(readFile(memoryPath), old);
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    left.removeOne(QStringLiteral("filler"));
    QCOMPARE(left, {".trovella"});
}

QTEST_GUILESS_MAIN(tst_TypeMemory)
#include "tst_typememory.moc"
