#include "TestSupport.h"
#include "groups/FileTypeGroupStore.h"

#include <QRegularExpression>
#include <QStringEncoder>

class tst_FileTypeGroupStore : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY((scratch = std::make_unique<ScratchFolder>())->current); }
    void cleanup() { scratch.reset(); }
    void readAndWrite_data();
    void readAndWrite();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void fetchOnlyWhenMissing();

private:
    std::unique_ptr<ScratchFolder> scratch;
};

void tst_FileTypeGroupStore::readAndWrite_data()
{
    QTest::addColumn<QByteArray>("file"); // null: the groups are typed in, over an older file
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QByteArray>("written");
    const auto row
            = [](const char *name, const QByteArray &file, const QString &groups,
                 const QByteArray &written) { QTest::newRow(name) << file << groups << written; };
    row("sorted by name", "b=x\r\nA=y\r\na=z\r\n", "A=y|a=z|b=x", "A=y\r\na=z\r\nb=x\r\n");
    row("LF read like CR LF", "b=x\nA=y\na=z", "A=y|a=z|b=x", "A=y\r\na=z\r\nb=x\r\n");
    row("empty line stops", "a=1\r\nb=2\r\n\r\nc=3\r\n", "a=1|b=2", "a=1\r\nb=2\r\n");
    row("empty first line", "\r\na=1\r\n", "", "");
    row("later fields ignored", "a=b=c\r\n", "a=b", "a=b\r\n");
    row("later line wins", "x=1\r\nx=2\r\n", "x=2", "x=2\r\n");
    row("spaces kept", "Pictures = jpg\r\n", "Pictures = jpg", "Pictures = jpg\r\n");
    row("empty name and list", "=jpg\r\nP=\r\n", "=jpg|P=", "=jpg\r\nP=\r\n");
    row("line without = skipped", "a=jpg\r\npng\r\nb=gif\r\n", "a=jpg|b=gif", "a=jpg\r\nb=gif\r\n");
    const QString accented = QStringLiteral("Bilder=j\u00e9pg;\u00fc");
    QStringEncoder local(QStringConverter::System);
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    row("local 8-bit", local(accented + "\r\n"), accented, local(accented + "\r\n"));
    row("UTF-16 with BOM", utf16(accented + "\r\nZip=zip\r\n"), accented + "|Zip=zip",
        local(accented + "\r\nZip=zip\r\n"));
    row("empty store", QByteArray(), "", "");
    row("typed Zip before audio", QByteArray(), "Zip=zip|audio=mp3", "Zip=zip\r\naudio=mp3\r\n");
    row("typed LF", QByteArray(), "P=jpg\npng", "P=jpg;png\r\n");
    row("typed CR LF and CR", QByteArray(), "P=jpg\r\npng\rgif", "P=jpg;png;gif\r\n");
    row("typed outer breaks dropped", QByteArray(), "P=\n\r\njpg\npng\n\n", "P=jpg;png\r\n");
    row("typed inner empty line kept", QByteArray(), "P=jpg\n\npng", "P=jpg;;png\r\n");
}

void tst_FileTypeGroupStore::readAndWrite()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, groups);
    writeFile(FileTypeGroupStore::fileName(),
              file.isNull() ? "old=content\r\nlonger than anything written\r\n" : file);
    FileTypeGroupStore store;
    store.setTypes("stale", "old");
    store.load();
    if (file.isNull()) {
        store.remove("old");
        for (const QString &group : groups.split('|', Qt::SkipEmptyParts))
            store.setTypes(group.section('=', 0, 0), group.section('=', 1));
    }
    QVERIFY(store.save());
    QTEST(readFile(FileTypeGroupStore::fileName()), "written");
    QCOMPARE(pairs(store.groups()), groups.split('|', Qt::SkipEmptyParts)); // as typed
}

void tst_FileTypeGroupStore::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("options");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("read-only folder") << "size=1m" << true;
    // Too small for the new store, not for the old: a write in place would lose the old one.
    QTest::newRow("disk full") << "size=16k" << false;
}

void tst_FileTypeGroupStore::failedWriteKeepsOldFile()
{
    QFETCH(QString, options);
    const Mount mount(scratch->filePath("mnt"), options);
    if (!mount.mounted)
        QSKIP("cannot mount a tmpfs here (needs root)");
    QVERIFY(QDir::setCurrent(scratch->filePath("mnt")));
    writeFile(FileTypeGroupStore::fileName(), "Pictures=jpg;png\r\n");
    QFETCH(bool, readOnly);
    if (readOnly)
        QVERIFY(mount.remount("ro"));
    FileTypeGroupStore store;
    for (int i = 0; i < 200; ++i)
        store.setTypes(QStringLiteral("Group%1").arg(i), QString(200, 'x'));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^Could not write .*/mnt/FileTypeGroup: .+"));
    QString error;
    QVERIFY(!store.save(&error) && !error.isEmpty());
    QCOMPARE(listTree("."), {"FileTypeGroup 18"});
    QCOMPARE(readFile(FileTypeGroupStore::fileName()), "Pictures=jpg;png\r\n");
}

void tst_FileTypeGroupStore::fetchOnlyWhenMissing()
{
    HttpServer site;
    const QByteArray path = "/product/Trovella/Download/FileTypeGroup";
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 131 + 7) % 256);
    // A failed download, a network's login page or garbage leave no file: the next start asks
    // again.
    const QList<QByteArray> bodies {"<html><a href=\"x?a=b\">Log in</a></html>\r\n",
                                    "a=b\r\n<p>\r\n", garbage};
    site.replies[path] = HttpServer::reply("404 Not Found", "missing");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(" failed: "));
    FileTypeGroupStore::fetchIfMissing(site.url(path));
    for (const QByteArray &body : bodies) {
        site.replies[path] = HttpServer::reply("200 OK", body);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(" failed: the answer is not "));
        FileTypeGroupStore::fetchIfMissing(site.url(path));
    }
    QCOMPARE(listTree("."), QStringList());
    site.replies[path] = HttpServer::reply("200 OK", "Pictures=jpg;png\r\nAudio=mp3\r\n");
    FileTypeGroupStore::fetchIfMissing(site.url(path));
    FileTypeGroupStore::fetchIfMissing(site.url(path));
    QCOMPARE(site.requested.size(), 5);
    FileTypeGroupStore store;
    store.load();
    QCOMPARE(pairs(store.groups()), QStringList({"Audio=mp3", "Pictures=jpg;png"}));
}

QTEST_GUILESS_MAIN(tst_FileTypeGroupStore)
#include "tst_filetypegroupstore.moc"
