#include "app/Site.h"
#include "companion/Downloader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

// A small HTTP server on 127.0.0.1 with one fixed answer per path.
class HttpServer : public QTcpServer
{
public:
    HttpServer()
    {
        answers["/file.txt"] = answer("200 OK", "the body\r\nof the file\n");
        answers["/missing.txt"] = answer("404 Not Found", "no such page");
        answers["/moved.txt"] = "HTTP/1.1 302 Found\r\nLocation: /final.bin\r\n"
                                "Content-Length: 0\r\n\r\n";
        answers["/final.bin"] = answer("200 OK", "where it went");
        answers["/short.txt"] = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly ten b";
        answers["/stall.txt"] = {}; // accepted, never answered
        connect(this, &QTcpServer::newConnection, this, &HttpServer::serve);
        listen(QHostAddress::LocalHost);
    }

    QUrl url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
    }

private:
    static QByteArray answer(const QByteArray &status, const QByteArray &body)
    {
        return "HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size())
                + "\r\nConnection: close\r\n\r\n" + body;
    }

    void serve()
    {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                request += socket->readAll();
                if (!request.contains("\r\n\r\n"))
                    return;
                const QByteArray path = request.split(' ').value(1);
                request.clear();
                const QByteArray reply = answers.value(path);
                if (reply.isEmpty())
                    return;
                socket->write(reply);
                socket->disconnectFromHost();
            });
        }
    }

    QHash<QByteArray, QByteArray> answers;
    QByteArray request;
};

class tst_Downloader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void download_data();
    void download();
    void builtInGroupStore();

private:
    QTemporaryDir *work = nullptr;
};

void tst_Downloader::init()
{
    work = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(work->path()));
}

void tst_Downloader::cleanup()
{
    QDir::setCurrent(QDir::rootPath());
    delete work;
}

void tst_Downloader::download_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("closedPort");
    QTest::addColumn<QByteArray>("existing"); // what stands at the name before; null: nothing
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("expected"); // null: no file afterwards

    const QByteArray none;
    QTest::newRow("success") << "/file.txt" << false << none << "file.txt"
                             << QByteArray("the body\r\nof the file\n");
    QTest::newRow("redirect keeps the first name")
            << "/moved.txt" << false << none << "moved.txt" << QByteArray("where it went");
    QTest::newRow("404") << "/missing.txt" << false << none << "missing.txt" << none;
    QTest::newRow("404 over an existing file")
            << "/missing.txt" << false << QByteArray("old") << "missing.txt" << QByteArray("old");
    QTest::newRow("time-out") << "/stall.txt" << false << none << "stall.txt" << none;
    QTest::newRow("time-out over an existing file")
            << "/stall.txt" << false << QByteArray("old") << "stall.txt" << QByteArray("old");
    QTest::newRow("refused") << "/file.txt" << true << none << "file.txt" << none;
    QTest::newRow("refused over an existing file")
            << "/file.txt" << true << QByteArray("old") << "file.txt" << QByteArray("old");
    QTest::newRow("body cut short") << "/short.txt" << false << none << "short.txt" << none;
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
    const QUrl url = server.url(path);
    if (closedPort)
        server.close();
    if (!existing.isNull()) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(existing);
    }
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

    QFile file(name);
    if (expected.isNull()) {
        QVERIFY(!file.exists());
    } else {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expected);
    }
    // No temporary file left behind either.
    const QStringList left = QDir::current().entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, expected.isNull() ? QStringList() : QStringList {name});
}

void tst_Downloader::builtInGroupStore()
{
    const QUrl url = Site::fileTypeGroupStore();
    if (url.scheme() != QLatin1String("qrc"))
        QSKIP("built against an external site");
    {
        Mv::Downloader downloader(true);
        downloader.doDownload(url);
    }
    QFile stored(QStringLiteral("FileTypeGroup"));
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QFile original(QLatin1Char(':') + url.path());
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), original.readAll());
}

QTEST_GUILESS_MAIN(tst_Downloader)
#include "tst_downloader.moc"
