#include "core/TestFiles.h"
#include "groups/FileTypeGroupStore.h"
#include "mainwindow/SmallFile.h"
#include "mainwindow/TypeMemory.h"

#include <QRegularExpression>
#include <QTemporaryDir>

using namespace TestFiles;

// Memory files and group stores that the program did not write.
class tst_BadInput : public QObject
{
    Q_OBJECT

private slots:
    void memoryFile_data();
    void memoryFile();
    void groupStore_data();
    void groupStore();
};

void tst_BadInput::memoryFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QStringList>("checked");

    const QByteArray tooLarge(SmallFile::maxSize + 1, 'x');
    QTest::newRow("larger than the limit") << tooLarge << false << QString() << QStringList();
    QTest::newRow("at the limit") << QByteArray("/d\n1:a\n").leftJustified(SmallFile::maxSize, '\n')
                                  << true << "/d" << QStringList {"a"};
    QTest::newRow("NUL bytes kept")
            << QByteArray("/d\0x\n1:a\0b\n", 11) << true << QString::fromLatin1("/d\0x", 4)
            << QStringList {QString::fromLatin1("a\0b", 3)};
    QTest::newRow("invalid UTF-8 replaced")
            << QByteArray("/d\xff\n1:\xc3\n") << true << QStringLiteral("/d\ufffd")
            << QStringList {QStringLiteral("\ufffd")};
    QTest::newRow("UTF-8 cut short at the end")
            << QByteArray("/d\n1:caf\xc3") << true << "/d" << QStringList {"caf\ufffd"};
    QTest::newRow("lone CR ends no line")
            << QByteArray("/d\r1:a\r") << true << "/d\r1:a" << QStringList();
}

void tst_BadInput::memoryFile()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    writeFile(dir.filePath(".trovella"), bytes);
    if (bytes.size() > SmallFile::maxSize)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Left .*/.trovella unread"));

    const TypeMemory::Content memory = TypeMemory::read(dir.path());
    QTEST(memory.found, "found");
    QTEST(memory.destinationLine, "destination");
    QTEST(memory.checked, "checked");
}

void tst_BadInput::groupStore_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("groups"); // name=types

    QTest::newRow("NUL bytes kept")
            << QByteArray("a\0=b\0\n", 6) << QStringList {QString::fromLatin1("a\0=b\0", 5)};
    QTest::newRow("invalid UTF-8 replaced")
            << QByteArray("\xff=\xc3\r\n") << QStringList {QStringLiteral("\ufffd=\ufffd")};
    QTest::newRow("lone CR") << QByteArray("a=b\rc=d\r") << QStringList {QStringLiteral("a=b\rc")};
    QTest::newRow("no equals sign") << QByteArray("abc\nd=e\n") << QStringList {"d=e"};
    QTest::newRow("long line") << "x=" + QByteArray(3 * 1024 * 1024, 'y')
                               << QStringList {"x=" + QString(3 * 1024 * 1024, 'y')};
    QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << QStringList();
}

void tst_BadInput::groupStore()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, groups);
    const QMap<QString, QString> parsed = FileTypeGroupStore::parse(bytes);
    QStringList found;
    for (auto it = parsed.cbegin(); it != parsed.cend(); ++it)
        found << it.key() + '=' + it.value();
    QCOMPARE(found, groups);
}

QTEST_GUILESS_MAIN(tst_BadInput)
#include "tst_badinput.moc"
