#include "ScratchFolder.h"
#include "companion/Downloader.h"
#include "groups/FileTypeGroupStore.h"

#include <QStringEncoder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <atomic>
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

// A web site on 127.0.0.1 that answers every request alike, on a thread of its own so
// a downloader that blocks the test's thread still gets its answer.
class LoopbackSite : public QObject
{
public:
    LoopbackSite()
    {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, &LoopbackSite::answer);
        moveToThread(&thread);
        server.moveToThread(&thread);
        thread.start();
    }
    ~LoopbackSite() override
    {
        thread.quit();
        thread.wait();
    }

    QUrl storeAddress() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/product/Trovella/Download/FileTypeGroup")
                            .arg(server.serverPort()));
    }

    std::atomic<int> requests {0};
    std::atomic<int> status {200};
    QByteArray body = "Pictures=jpg;png\r\nAudio=mp3\r\n";

private:
    void answer()
    {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n"))
                    return;
                socket->readAll();
                ++requests;
                const QByteArray content = status == 200 ? body : QByteArray("missing");
                socket->write("HTTP/1.1 " + QByteArray::number(status.load())
                              + " X\r\nContent-Length: " + QByteArray::number(content.size())
                              + "\r\nConnection: close\r\n\r\n" + content);
                socket->disconnectFromHost();
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    QThread thread;
    QTcpServer server;
};

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
    void multiLineListKeepsLaterGroups();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void fetchOnlyWhenMissing();
    void emptyStoreIsNotFetchedAgain();

private:
    std::unique_ptr<ScratchFolder> scratch;
};

void tst_FileTypeGroupStore::init()
{
    scratch = std::make_unique<ScratchFolder>();
    QVERIFY(scratch->isValid());
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

    QVERIFY(writeAll(FileTypeGroupStore::fileName(), file));
    FileTypeGroupStore store;
    store.setTypes(QStringLiteral("stale"), QStringLiteral("old"));
    store.load();
    QCOMPARE(pairs(store.groups()), groups);

    store.save();
    QCOMPARE(readAll(FileTypeGroupStore::fileName()), written);
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

    QVERIFY(writeAll(FileTypeGroupStore::fileName(),
                     "old=content\r\nlonger than anything written\r\n"));
    FileTypeGroupStore store = storeOf(groups);
    store.save();
    QCOMPARE(readAll(FileTypeGroupStore::fileName()), written);
    // What the editor typed stays as typed in memory.
    QCOMPARE(pairs(store.groups()), pairs(storeOf(groups).groups()));
}

void tst_FileTypeGroupStore::multiLineListKeepsLaterGroups()
{
    FileTypeGroupStore store = storeOf({"A=jpg\n\npng", "B=mp3", "C=txt"});
    store.save();
    FileTypeGroupStore loaded;
    loaded.load();
    QCOMPARE(pairs(loaded.groups()), (QStringList {"A=jpg;;png", "B=mp3", "C=txt"}));
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

    if (!scratch->mountTmpfs(mountOptions))
        QSKIP("cannot mount a tmpfs here (needs root)");

    const QByteArray old = "Pictures=jpg;png\r\n";
    QVERIFY(writeAll(FileTypeGroupStore::fileName(), old));
    if (remountReadOnly)
        QVERIFY(scratch->remount(QStringLiteral("ro")));

    FileTypeGroupStore store;
    for (int i = 0; i < 200; ++i)
        store.setTypes(QStringLiteral("Group%1").arg(i), QString(200, QLatin1Char('x')));
    QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(QStringLiteral("^Could not write .*/mnt/FileTypeGroup: .+")));
    store.save();
    QCOMPARE(readAll(FileTypeGroupStore::fileName()), old);
    QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden), QStringList {"FileTypeGroup"});
}

void tst_FileTypeGroupStore::fetchOnlyWhenMissing()
{
    LoopbackSite site;
    site.status = 404;
    FileTypeGroupStore::fetchIfMissing(site.storeAddress());
    if (site.requests == 0)
        QSKIP("Mv::Downloader sends no request in this build");
    // A failed download leaves no file, so the next start asks again.
    QCOMPARE(site.requests.load(), 1);
    QVERIFY(!QFile::exists(FileTypeGroupStore::fileName()));
    FileTypeGroupStore store;
    store.load();
    QVERIFY(store.groups().isEmpty());

    site.status = 200;
    FileTypeGroupStore::fetchIfMissing(site.storeAddress());
    QCOMPARE(site.requests.load(), 2);
    store.load();
    QCOMPARE(pairs(store.groups()), (QStringList {"Audio=mp3", "Pictures=jpg;png"}));

    FileTypeGroupStore::fetchIfMissing(site.storeAddress());
    QCOMPARE(site.requests.load(), 2);
}

void tst_FileTypeGroupStore::emptyStoreIsNotFetchedAgain()
{
    LoopbackSite site;
    FileTypeGroupStore store;
    store.save();
    QCOMPARE(QFileInfo(FileTypeGroupStore::fileName()).size(), 0);
    FileTypeGroupStore::fetchIfMissing(site.storeAddress());
    QCOMPARE(site.requests.load(), 0);
    store.load();
    QVERIFY(store.groups().isEmpty());
}

QTEST_GUILESS_MAIN(tst_FileTypeGroupStore)
#include "tst_filetypegroupstore.moc"
