#include "GuiTest.h"

#include "core/TypeMemory.h"
#include "groups/FileTypeGroupStore.h"

#include <QRegularExpression>

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>

// Root reads and writes everywhere; without these two rights in its effective set this
// thread, and the threads it starts, obey file modes. They come back at the end.
struct WithoutRootRights
{
    WithoutRootRights()
    {
        syscall(SYS_capget, &header, saved);
        __user_cap_data_struct reduced[2] {saved[0], saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header, reduced);
    }
    ~WithoutRootRights() { syscall(SYS_capset, &header, saved); }
    __user_cap_header_struct header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2] {};
};

// The work of a child process the tests kill or that dies writing; see main().
int runChild(const QString &kind, const QString &folder, const QString &destination)
{
    if (kind == "pick") {
        Trovella window;
        chooseDestination(window, destination);
        scanAndCheck(window, folder, {"*"});
        QObject::connect(widget<QStatusBar>(&window, "statusBar"), &QStatusBar::messageChanged,
                         [](const QString &message) {
                             if (message.startsWith("Creating: "))
                                 printf("c"), fflush(stdout);
                         });
        pick(window);
        return 0;
    }
    // A write that takes a file past 64 bytes now kills the process.
    const rlimit limit {64, 64};
    setrlimit(RLIMIT_FSIZE, &limit);
    QDir::setCurrent(folder);
    FileTypeGroupStore store;
    QSet<QString> many;
    for (int i = 0; i < 500; ++i) {
        many.insert(QString("type%1").arg(i));
        store.setTypes(QString("group%1").arg(i), "a;b;c");
    }
    return kind == ".trovella" ? TypeMemory::write(folder, "/elsewhere", many, {}) : store.save();
}

class tst_Faults : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(temp.emplace().current); }
    void damagedSource();
    void killedMidPick();
    void crashWhileWriting_data();
    void crashWhileWriting();
    void ownFilesOfOtherKinds_data();
    void ownFilesOfOtherKinds();

private:
    std::optional<ScratchFolder> temp;
};

// Folders and a file that cannot be read, names that are not UTF-8: the scan says so, the
// account lists each, and the rest is copied.
void tst_Faults::damagedSource()
{
    const QString src = temp->filePath("src");
    const QString des = temp->filePath("des");
    makeTree(src, {"a.txt", "locked.txt", "shut/b.txt", "closed/c.txt"});
    const QByteArray root = QFile::encodeName(src);
    QVERIFY(::mkdir(root + "/\xe9t\xe9", 0755) == 0);
    for (const char *name : {"/\xff\xfe.bin", "/caf\xe9.txt", "/\xe9t\xe9/inner.txt"})
        touch(root + name);
    for (const char *name : {"/locked.txt", "/shut", "/closed"})
        QVERIFY(QFile::setPermissions(src + name, {}));
    std::optional<WithoutRootRights> asUser(std::in_place);
    if (QFile(src + "/locked.txt").open(QIODevice::ReadOnly))
        QSKIP("cannot give up root's right to read every file here");
    for (const char *log :
         {"Left out .*/src/\\\\xff\\\\xfe\\.bin: its name",
          "Left out .*/src/caf\\\\xe9\\.txt: its name",
          "Left out .*/src/\\\\xe9t\\\\xe9/inner\\.txt: its name",
          "Cannot read folder .*/src/shut: ", "Cannot read folder .*/src/closed: "})
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(log));

    Trovella window;
    chooseDestination(window, des);
    scan(window, src);
    QCOMPARE(statusText(window),
             "2 folders could not be read. 3 files have names that cannot be read and were left "
             "out.");
    QVERIFY(scanAndCheck(window, src, {"*"}));
    QCOMPARE(typeTexts(window), QStringList {"txt"});
    pick(window);
    asUser.reset();
    QCOMPARE(statusText(window), "Copied 1 file (0 bytes). 1 could not be copied.");
    QCOMPARE(entries(des, QDir::Files), QStringList {"src/a.txt"});
    QStringList reasons;
    for (const PickReport::Row &row : window.lastPickReport().rows())
        reasons << PickReport::outcomeText(row.outcome) + ": " + row.reason;
    reasons.sort();
    QCOMPARE(reasons.join('\n'),
             "Could not be copied: no permission to read it\n"
             "Left out by the scan: the folder could not be read\n"
             "Left out by the scan: the folder could not be read\n"
             "Left out by the scan: the name is not valid UTF-8\n"
             "Left out by the scan: the name is not valid UTF-8\n"
             "Left out by the scan: the name is not valid UTF-8");
    // The temporary folder cannot remove names Qt cannot spell.
    QProcess::execute("rm", {"-rf", src});
}

// The process is killed in the middle of a pick: every name in the destination holds a
// whole file, and the next pick completes the copy.
void tst_Faults::killedMidPick()
{
    const QString src = temp->filePath("src");
    const QString des = temp->filePath("des");
    for (int i = 0; i < 600; ++i)
        writeFile(QString("%1/d%2/f%3.bin").arg(src).arg(i % 7).arg(i),
                  QByteArray(64 * 1024 + i, 'a' + i % 26));
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--child", "pick", src, des});
    while (child.bytesAvailable() < 50 && child.waitForReadyRead(60000)) { }
    child.kill();
    QVERIFY(child.waitForFinished());

    const QStringList left = entries(des, QDir::Files);
    QVERIFY(left.size() < 600);
    for (const QString &name : left)
        QCOMPARE(readFile(des + '/' + name), readFile(temp->filePath(name)));
    Trovella window;
    chooseDestination(window, des);
    QVERIFY(scanAndCheck(window, src, {"*"}));
    pick(window);
    QCOMPARE(window.lastPickReport().count(PickReport::Same), left.size());
    QCOMPARE(entries(des + "/src", QDir::Files), entries(src, QDir::Files));
    for (const QString &name : entries(src, QDir::Files))
        QCOMPARE(readFile(des + "/src/" + name), readFile(src + '/' + name));
}

void tst_Faults::crashWhileWriting_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("old");
    QTest::newRow("memory file") << ".trovella" << QByteArray("/d\n1:jpg\n0:txt\n");
    QTest::newRow("group store") << "FileTypeGroup" << QByteArray("Pictures=jpg;png\r\n");
}

// A crash in the middle of writing leaves the previous file whole and nothing beside it.
void tst_Faults::crashWhileWriting()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, old);
    writeFile(temp->filePath("work/" + name), old);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--child", name, temp->filePath("work")});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(readFile(temp->filePath("work/" + name)), old);
    // A lock left by a dead process is taken over by the next writer.
    QStringList left = entries(temp->filePath("work"));
    left.removeOne(name + ".lock");
    QCOMPARE(left, QStringList {name});
}

void tst_Faults::ownFilesOfOtherKinds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    for (const char *name : {".trovella", "FileTypeGroup"})
        for (const char *kind : {"link", "pipe", "locked folder"})
            QTest::newRow(qPrintable(QString("%1 %2").arg(name, kind))) << name << kind;
}

// A memory file or group store that is a link or a pipe is neither written through nor
// waited on; in a folder the user may not write to, a file the user may write is written.
void tst_Faults::ownFilesOfOtherKinds()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    const QString folder = temp->path();
    const QString path = folder + '/' + name;
    const bool memory = name == ".trovella";
    const QByteArray old = memory ? "/d\n1:jpg\n" : "Pictures=jpg\r\n";
    const QString elsewhere = temp->filePath("elsewhere");
    if (kind == "link") {
        writeFile(elsewhere, old);
        QVERIFY(QFile::link(elsewhere, path));
    } else if (kind == "pipe") {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
    } else {
        writeFile(path, old);
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }
    std::optional<WithoutRootRights> asUser;
    if (kind == "locked folder")
        asUser.emplace();
    if (asUser && QFile(folder + "/probe").open(QIODevice::WriteOnly))
        QSKIP("cannot give up root's right to write every folder here");
    const QRegularExpression refused("Left .*/" + QRegularExpression::escape(name)
                                     + " alone: it is not a regular file");
    if (kind == "pipe")
        QTest::ignoreMessage(QtWarningMsg, refused);
    FileTypeGroupStore store;
    store.load();
    QCOMPARE(memory ? TypeMemory::read(folder).found : !store.groups().isEmpty(), kind != "pipe");
    if (kind != "locked folder")
        QTest::ignoreMessage(QtWarningMsg, refused);
    store.setTypes("Audio", "mp3");
    memory ? TypeMemory::write(folder, "/new", {"png"}, {}) : store.save();
    asUser.reset();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(QFileInfo(path).isSymLink(), kind == "link");
    QCOMPARE(QFileInfo(path).isFile() && readFile(path).startsWith(memory ? "/new" : "Audio=mp3"),
             kind == "locked folder");
    QCOMPARE(readFile(elsewhere), kind == "link" ? old : "");
}

// Re-invoked with "--child kind folder [destination]" the executable does one piece of work
// that the tests watch from outside; otherwise it runs the tests.
int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc > 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(app.arguments().at(2), app.arguments().at(3), app.arguments().value(4));
    tst_Faults tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_faults.moc"
