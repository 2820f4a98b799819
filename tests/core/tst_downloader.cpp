#include "TestSupport.h"
#include "companion/Downloader.h"

#include <QRegularExpression>

class tst_Downloader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void download_data();
    void download();

private:
    std::unique_ptr<ScratchFolder> work;
};

void tst_Downloader::init()
{
    work = std::make_unique<ScratchFolder>();
    QVERIFY(work->current);
}

void tst_Downloader::cleanup() { work.reset(); }

void tst_Downloader::download_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("closedPort");
    QTest::addColumn<QByteArray>("existing"); // what stands at the name before; null: nothing
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("expected"); // null: no file afterwards

    const QByteArray none;
    QTest::newRow("success") << QString("/file.txt") << false << none << QString("file.txt")
                             << QByteArray("the body\r\nof the file\n");
    QTest::newRow("redirect keeps the first name")
            << QString("/moved.txt") << false << none << QString("moved.txt")
            << QByteArray("where it went");
    QTest::newRow("404") << QString("/missing.txt") << false << none << QString("missing.txt")
                         << none;
    QTest::newRow("404 over an existing file")
            << QString("/missing.txt") << false << QByteArray("old") << QString("missing.txt")
            << QByteArray("old");
    QTest::newRow("time-out") << QString("/stall.txt") << false << none << QString("stall.txt")
                              << none;
    QTest::newRow("time-out over an existing file")
            << QString("/stall.txt") << false << QByteArray("old") << QString("stall.txt")
            << QByteArray("old");
    QTest::newRow("refused") << QString("/file.txt") << true << none << QString("file.txt") << none;
    QTest::newRow("refused over an existing file")
            << QString("/file.txt") << true << QByteArray("old") << QString("file.txt")
            << QByteArray("old");
    QTest::newRow("body cut short")
            << QString("/short.txt") << false << none << QString("short.txt") << none;
}

void tst_Downloader::download()
{
    QFETCH(QString, path);
    QFETCH(bool, closedPort);
    QFETCH(QByteArray, existing);
    QFETCH(QString, name);
    QFETCH(QByteArray, expected);

    HttpServer server;
    QVERIFY(server.isListening());
    server.replies["/file.txt"] = HttpServer::reply("200 OK", "the body\r\nof the file\n");
    server.replies["/missing.txt"] = HttpServer::reply("404 Not Found", "no such page");
    server.replies["/moved.txt"] = "HTTP/1.1 302 Found\r\nLocation: /final.bin\r\n"
                                   "Content-Length: 0\r\n\r\n";
    server.replies["/final.bin"] = HttpServer::reply("200 OK", "where it went");
    server.replies["/short.txt"] = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly ten b";
    server.replies["/stall.txt"] = {}; // accepted, never answered
    const QUrl url = server.url(path);
    if (closedPort)
        server.close();
    if (!existing.isNull())
        writeFile(name, existing);
    const bool fails = expected.isNull() || expected == existing;
    if (fails)
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QRegularExpression::escape(url.toString())
                                                + QStringLiteral(" failed: .+")));
    {
        Mv::Downloader downloader(true);
        downloader.setTimeout(300);
        downloader.doDownload(url);
    }

    QCOMPARE(QFile::exists(name), !expected.isNull());
    QCOMPARE(readFile(name), expected);
    // No temporary file left behind either.
    const QStringList left = QDir::current().entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, expected.isNull() ? QStringList() : QStringList {name});
}

QTEST_GUILESS_MAIN(tst_Downloader)
#include "tst_downloader.moc"
