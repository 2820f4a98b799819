#include "TestSupport.h"
#include "companion/Downloader.h"

#include <QRegularExpression>

class tst_Downloader : public QObject
{
    Q_OBJECT

private slots:
    void download_data();
    void download();
};

void tst_Downloader::download_data()
{
    QTest::addColumn<QString>("path"); // on a closed port when it ends in "!"
    QTest::addColumn<QByteArray>("existing"); // what stands at the name before; null: nothing
    QTest::addColumn<QByteArray>("expected"); // null: no file afterwards
    for (const QByteArray &existing : {QByteArray(), QByteArray("old")}) {
        const QByteArray over = existing.isNull() ? "" : " over an existing file";
        QTest::newRow("404" + over) << "/missing.txt" << existing << existing;
        QTest::newRow("time-out" + over) << "/stall.txt" << existing << existing;
        QTest::newRow("refused" + over) << "/file.txt!" << existing << existing;
        QTest::newRow("body cut short" + over) << "/short.txt" << existing << existing;
    }
    QTest::newRow("success") << "/file.txt" << QByteArray()
                             << QByteArray("the body\r\nof the file\n");
    QTest::newRow("redirect keeps the first name")
            << "/moved.txt" << QByteArray() << QByteArray("where it went");
}

void tst_Downloader::download()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, existing);
    QFETCH(QByteArray, expected);
    ScratchFolder work;
    QVERIFY(work.current);
    HttpServer server;
    server.replies["/file.txt"] = HttpServer::reply("200 OK", "the body\r\nof the file\n");
    server.replies["/missing.txt"] = HttpServer::reply("404 Not Found", "no such page");
    server.replies["/moved.txt"]
            = "HTTP/1.1 302 Found\r\nLocation: /final.bin\r\nContent-Length: 0\r\n\r\n";
    server.replies["/final.bin"] = HttpServer::reply("200 OK", "where it went");
    server.replies["/short.txt"] = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly ten b";
    server.replies["/stall.txt"] = {}; // accepted, never answered
    const bool refused = path.endsWith('!');
    const QUrl url = server.url(path.remove('!'));
    const QString name = path.mid(1);
    if (refused)
        server.close();
    if (!existing.isNull())
        writeFile(name, existing);
    if (expected == existing)
        QTest::ignoreMessage(
                QtWarningMsg,
                QRegularExpression(QRegularExpression::escape(url.toString()) + " failed: .+"));
    {
        Mv::Downloader downloader(true);
        downloader.setTimeout(300);
        downloader.doDownload(url);
    }
    // No temporary file left behind either.
    QCOMPARE(listTree("."),
             expected.isNull() ? QStringList()
                               : QStringList {name + ' ' + QString::number(expected.size())});
    QCOMPARE(readFile(name), expected);
}

QTEST_GUILESS_MAIN(tst_Downloader)
#include "tst_downloader.moc"
