#include "TestSupport.h"
#include "groups/FileTypeGroupStore.h"

#include <QRegularExpression>
#include <QStringEncoder>

#include <memory>

namespace {

QByteArray local8Bit(const QString &text)
{
    QStringEncoder encoder(QStringConverter::System);
    return encoder(text);
}

FileTypeGroupStore storeOf(const QStringList &groups)
{
    FileTypeGroupStore store;
    for (const QString &group : groups)
        store.setTypes(group.section(QLatin1Char('='), 0, 0), group.section(QLatin1Char('='), 1));
    return store;
}

} // namespace

class tst_FileTypeGroupStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readAndWriteBack_data();
    void readAndWriteBack();
    void write_data();
    void write();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void fetchOnlyWhenMissing();

private:
    std::unique_ptr<ScratchFolder> scratch;
};

void tst_FileTypeGroupStore::init()
{
    scratch = std::make_unique<ScratchFolder>();
    QVERIFY(scratch->current);
}

void tst_FileTypeGroupStore::cleanup() { scratch.reset(); }

void tst_FileTypeGroupStore::readAndWriteBack_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("sorted by name")
            << QByteArray("b=x\r\nA=y\r\na=z\r\n") << QStringList {"A=y", "a=z", "b=x"}
            << QByteArray("A=y\r\na=z\r\nb=x\r\n");
    QTest::newRow("LF read like CR LF")
            << QByteArray("b=x\nA=y\na=z") << QStringList {"A=y", "a=z", "b=x"}
            << QByteArray("A=y\r\na=z\r\nb=x\r\n");
    QTest::newRow("empty line stops") << QByteArray("a=1\r\nb=2\r\n\r\nc=3\r\n")
                                      << QStringList {"a=1", "b=2"} << QByteArray("a=1\r\nb=2\r\n");
    QTest::newRow("empty first line")
            << QByteArray("\r\na=1\r\n") << QStringList {} << QByteArray();
    QTest::newRow("later fields ignored")
            << QByteArray("a=b=c\r\n") << QStringList {"a=b"} << QByteArray("a=b\r\n");
    QTest::newRow("later line wins")
            << QByteArray("x=1\r\nx=2\r\n") << QStringList {"x=2"} << QByteArray("x=2\r\n");
    QTest::newRow("spaces kept") << QByteArray("Pictures = jpg\r\n")
                                 << QStringList {"Pictures = jpg"}
                                 << QByteArray("Pictures = jpg\r\n");
    QTest::newRow("empty name and list")
            << QByteArray("=jpg\r\nP=\r\n") << QStringList {"=jpg", "P="}
            << QByteArray("=jpg\r\nP=\r\n");
    QTest::newRow("line without = skipped")
            << QByteArray("a=jpg\r\npng\r\nb=gif\r\n") << QStringList {"a=jpg", "b=gif"}
            << QByteArray("a=jpg\r\nb=gif\r\n");
    const QString accented = QStringLiteral("Bilder=j\u00e9pg;\u00fc\r\n");
    QTest::newRow("local 8-bit") << local8Bit(accented) << QStringList {accented.trimmed()}
                                 << local8Bit(accented);
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QTest::newRow("UTF-16 with BOM") << QByteArray(utf16(accented + QStringLiteral("Zip=zip\r\n")))
                                     << QStringList {accented.trimmed(), "Zip=zip"}
                                     << local8Bit(accented + QStringLiteral("Zip=zip\r\n"));
}

void tst_FileTypeGroupStore::readAndWriteBack()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, groups);
    QFETCH(QByteArray, written);

    writeFile(FileTypeGroupStore::fileName(), file);
    FileTypeGroupStore store;
    store.setTypes(QStringLiteral("stale"), QStringLiteral("old"));
    store.load();
    QCOMPARE(pairs(store.groups()), groups);

    store.save();
    QCOMPARE(readFile(FileTypeGroupStore::fileName()), written);
}

void tst_FileTypeGroupStore::write_data()
{
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("empty store") << QStringList {} << QByteArray();
    QTest::newRow("Zip before audio")
            << QStringList {"audio=mp3", "Zip=zip"} << QByteArray("Zip=zip\r\naudio=mp3\r\n");
    QTest::newRow("LF typed") << QStringList {"P=jpg\npng"} << QByteArray("P=jpg;png\r\n");
    QTest::newRow("CR LF and CR typed")
            << QStringList {"P=jpg\r\npng\rgif"} << QByteArray("P=jpg;png;gif\r\n");
    QTest::newRow("outer breaks dropped")
            << QStringList {"P=\n\r\njpg\npng\n\n"} << QByteArray("P=jpg;png\r\n");
    QTest::newRow("inner empty line kept as ;;")
            << QStringList {"P=jpg\n\npng"} << QByteArray("P=jpg;;png\r\n");
}

void tst_FileTypeGroupStore::write()
{
    QFETCH(QStringList, groups);
    QFETCH(QByteArray, written);

    writeFile(FileTypeGroupStore::fileName(), "old=content\r\nlonger than anything written\r\n");
    FileTypeGroupStore store = storeOf(groups);
    store.save();
    QCOMPARE(readFile(FileTypeGroupStore::fileName()), written);
    // What the editor typed stays as typed in memory.
    QCOMPARE(pairs(store.groups()), pairs(storeOf(groups).groups()));
}

void tst_FileTypeGroupStore::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("mountOptions");
    QTest::addColumn<bool>("remountReadOnly");

    QTest::newRow("read-only folder") << QStringLiteral("size=1m") << true;
    // Too small for the new store but not for the old one: a write in place would
    // already have truncated the old file when the disk fills up.
    QTest::newRow("disk full") << QStringLiteral("size=16k") << false;
}

void tst_FileTypeGroupStore::failedWriteKeepsOldFile()
{
    QFETCH(QString, mountOptions);
    QFETCH(bool, remountReadOnly);

    const Mount mount(scratch->filePath("mnt"), mountOptions);
    if (!mount.mounted)
        QSKIP("cannot mount a tmpfs here (needs root)");
    QVERIFY(QDir::setCurrent(scratch->filePath("mnt")));

    const QByteArray old = "Pictures=jpg;png\r\n";
    writeFile(FileTypeGroupStore::fileName(), old);
    if (remountReadOnly)
        QVERIFY(mount.remount("ro"));

    FileTypeGroupStore store;
    for (int i = 0; i < 200; ++i)
        store.setTypes(QStringLiteral("Group%1").arg(i), QString(200, QLatin1Char('x')));
    QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(QStringLiteral("^Could not write .*/mnt/FileTypeGroup: .+")));
    QString error;
    QVERIFY(!store.save(&error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(FileTypeGroupStore::fileName()), old);
    QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden), QStringList {"FileTypeGroup"});
}

void tst_FileTypeGroupStore::fetchOnlyWhenMissing()
{
    HttpServer site;
    const QByteArray path = "/product/Trovella/Download/FileTypeGroup";
    site.replies[path] = HttpServer::reply("404 Not Found", "missing");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(" failed: "));
    FileTypeGroupStore::fetchIfMissing(site.url(path));
    // A failed download leaves no file, so the next start asks again.
    QCOMPARE(site.requested.size(), 1);
    QVERIFY(!QFile::exists(FileTypeGroupStore::fileName()));

    site.replies[path] = HttpServer::reply("200 OK", "Pictures=jpg;png\r\nAudio=mp3\r\n");
    FileTypeGroupStore::fetchIfMissing(site.url(path));
    QCOMPARE(site.requested.size(), 2);
    FileTypeGroupStore store;
    store.load();
    QCOMPARE(pairs(store.groups()), (QStringList {"Audio=mp3", "Pictures=jpg;png"}));

    FileTypeGroupStore::fetchIfMissing(site.url(path));
    QCOMPARE(site.requested.size(), 2);

    // A network's login page or garbage is not stored, so the next start asks again.
    QVERIFY(QFile::remove(FileTypeGroupStore::fileName()));
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 131 + 7) % 256);
    for (const QByteArray &body : {QByteArray("<html><a href=\"x?a=b\">Log in</a></html>\r\n"),
                                   QByteArray("a=b\r\n<p>\r\n"), garbage}) {
        site.replies[path] = HttpServer::reply("200 OK", body);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(" failed: the answer is not "));
        FileTypeGroupStore::fetchIfMissing(site.url(path));
        QVERIFY(!QFile::exists(FileTypeGroupStore::fileName()));
    }
    QCOMPARE(site.requested.size(), 5);
}

QTEST_GUILESS_MAIN(tst_FileTypeGroupStore)
#include "tst_filetypegroupstore.moc"
