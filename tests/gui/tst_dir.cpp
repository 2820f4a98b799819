#include "GuiTest.h"

#include "companion/Dir.h"

#include <QRegularExpression>
#include <QThread>

#include <atomic>

namespace {

// Holds the walker inside its warning about an undecodable name until the GUI thread lets
// it go, so the walk is certainly running while the test looks at the status bar.
std::atomic<bool> walkerHeld {false};
std::atomic<bool> releaseWalker {false};
QtMessageHandler previousHandler = nullptr;

void holdingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (QThread::currentThread() != qApp->thread() && message.contains(QLatin1String("\\xff"))) {
        walkerHeld = true;
        // Let go on its own after a while, for the case that quits without a word.
        for (int i = 0; i < 2000 && !releaseWalker; ++i)
            QThread::msleep(1);
        return;
    }
    previousHandler(type, context, message);
}

} // namespace

class tst_Dir : public QObject
{
    Q_OBJECT

private slots:
    void cancelWithoutWalkHasNoEffect();
    void unreadableFolderFails();
    void interruptedWalk_data();
    void interruptedWalk();
};

void tst_Dir::cancelWithoutWalkHasNoEffect()
{
    QTemporaryDir tree;
    touch(QFile::encodeName(tree.filePath(QStringLiteral("a.txt"))));
    touch(QFile::encodeName(tree.filePath(QStringLiteral(".b"))));
    Mv::Dir::Cancel();
    QStatusBar status;
    QList<QFileInfo> files {QFileInfo(QStringLiteral("kept"))};
    QVERIFY(Mv::Dir::GetAllFiles(tree.path(), files, &status));
    QCOMPARE(files.size(), 3);
    QCOMPARE(files.first().filePath(), QStringLiteral("kept"));
    QVERIFY(!Mv::Dir::lastReport().cancelled);
    QVERIFY(status.currentMessage().isEmpty());
}

void tst_Dir::unreadableFolderFails()
{
    const QString missing = QDir::tempPath() + QStringLiteral("/no-such-folder-for-tst_dir");
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("Cannot read folder .*") + missing));
    QList<QFileInfo> files;
    QVERIFY(!Mv::Dir::GetAllFiles(missing, files, nullptr));
    QVERIFY(files.isEmpty());
    QCOMPARE(Mv::Dir::lastReport().unreadableFolders, 1);
    QVERIFY(!Mv::Dir::lastReport().cancelled);
}

enum class Interruption { Cancel, NestedWalk, ApplicationQuits };
Q_DECLARE_METATYPE(Interruption)

void tst_Dir::interruptedWalk_data()
{
    QTest::addColumn<Interruption>("interruption");
    QTest::newRow("Cancel") << Interruption::Cancel;
    QTest::newRow("nested walk refused") << Interruption::NestedWalk;
    // Last: once the application has been told to quit, no later event loop runs.
    QTest::newRow("application quits") << Interruption::ApplicationQuits;
}

// The walk lists the 50 files at the top first, then meets the undecodable name below and
// is held there; the status bar must show the count meanwhile.
void tst_Dir::interruptedWalk()
{
    QFETCH(Interruption, interruption);
    QTemporaryDir tree;
    const QByteArray root = QFile::encodeName(tree.path());
    for (int i = 0; i < 50; ++i)
        touch(root + "/f" + QByteArray::number(i) + ".txt");
    QVERIFY(QDir(tree.path()).mkdir(QStringLiteral("z")));
    touch(root + "/z/\xff.txt");

    QStatusBar status;
    QStringList messages;
    bool nestedResult = true;
    connect(&status, &QStatusBar::messageChanged, this, [&](const QString &message) {
        messages << message;
        if (message != QLatin1String("Scanning: 50 files") || !walkerHeld)
            return;
        switch (interruption) {
        case Interruption::Cancel:
            Mv::Dir::Cancel();
            break;
        case Interruption::NestedWalk: {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("another scan is still running"));
            QList<QFileInfo> other;
            nestedResult = Mv::Dir::GetAllFiles(tree.path(), other, &status);
            Mv::Dir::Cancel();
            break;
        }
        case Interruption::ApplicationQuits:
            QCoreApplication::exit(0);
            return;
        }
        releaseWalker = true;
    });

    walkerHeld = false;
    releaseWalker = false;
    previousHandler = qInstallMessageHandler(holdingHandler);
    QList<QFileInfo> files;
    const bool ok = Mv::Dir::GetAllFiles(tree.path(), files, &status);
    qInstallMessageHandler(previousHandler);
    // Qt cannot see the name, so QTemporaryDir would leave it behind.
    QVERIFY(unlink((root + "/z/\xff.txt").constData()) == 0);

    QVERIFY(!ok);
    QVERIFY(Mv::Dir::lastReport().cancelled);
    if (interruption == Interruption::NestedWalk)
        QVERIFY(!nestedResult);
    QCOMPARE(files.size(), 50);
    QVERIFY(messages.contains(QLatin1String("Scanning: 50 files")));
    // A few updates, not one per file; the count is gone once the walk has returned.
    QVERIFY(messages.size() <= 4);
    QVERIFY(status.currentMessage().isEmpty());
}

TROVELLA_GUI_TEST_MAIN(tst_Dir)
#include "tst_dir.moc"
