#include "core/PickRules.h"

#include <QTest>

class tst_PickRules : public QObject
{
    Q_OBJECT

private slots:
    void destination_data();
    void destination();
    void selection_data();
    void selection();
};

void tst_PickRules::destination_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *name, const char *source, const char *destination,
                        const char *expected) {
        QTest::newRow(name) << QString(source) << QString(destination) << QString(expected);
    };
    row("named after the source", "/home/u/Photos", "/mnt/Backup", "/mnt/Backup/Photos");
    row("same name", "/home/u/Photos", "/mnt/Archive/Photos", "/mnt/Archive/Photos");
    row("names differ in case", "/home/u/photos", "/mnt/Photos", "/mnt/Photos/photos");
    row("source is the root", "/", "/mnt/Backup", "/mnt/Backup/");
    row("source ends in a separator", "/home/u/Photos/", "/mnt/Backup", "/mnt/Backup/");
    row("no separator at all", "Photos", "Backup", "Backup/Photos");
#ifdef Q_OS_WIN
    row("backslashes", "C:\\Photos", "D:\\Backup", "D:\\Backup\\Photos");
    row("backslash source", "C:\\Photos", "D:/Backup", "D:/Backup/Photos");
#else
    row("backslash in a name", "/home/u/my\\Photos", "/mnt/back\\up", "/mnt/back\\up/my\\Photos");
    row("backslash in the same name", "/a/x\\y", "/b/x\\y", "/b/x\\y");
#endif
}

void tst_PickRules::destination()
{
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(QString, expected);
    QCOMPARE(pickDestination(source, destination), expected);
}

void tst_PickRules::selection_data()
{
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("not an inner suffix") << QStringList {"tar"} << QStringList {};
    QTest::newRow("leading dot") << QStringList {"profile"} << QStringList {".profile"};
    QTest::newRow("item text is not lower-cased") << QStringList {"JPG"} << QStringList {};
    QTest::newRow("in list order")
            << QStringList {"gz", "jpg"} << QStringList {"2009/a.JPG", "archive.tar.gz", "b.jpg"};
}

void tst_PickRules::selection()
{
    QFETCH(QStringList, types);
    QFETCH(QStringList, expected);

    const QStringList names {"2009/a.JPG", "archive.tar.gz", "README", ".profile", "b.jpg", "x."};
    QList<QFileInfo> files;
    for (const QString &name : names)
        files.append(QFileInfo(QStringLiteral("/src/") + name));

    QStringList picked;
    const QSet<QString> typeSet(types.cbegin(), types.cend());
    for (const QFileInfo &file : pickSelection(files, typeSet))
        picked.append(file.filePath().mid(5));
    QCOMPARE(picked, expected);
}

QTEST_GUILESS_MAIN(tst_PickRules)
#include "tst_pickrules.moc"
