#include "GuiTest.h"

#include "core/SmallFile.h"
#include "core/TypeMemory.h"
#include "groups/FileTypeGroupStore.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>

#include <cstdio>
#include <cstring>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>

namespace {

// Root reads every file whatever its mode. Without the two overriding rights in its
// effective set, the calling thread, and every thread it starts later, such as the walk's,
// obeys file modes like any user; the rights stay permitted and come back afterwards.
class WithoutRootReads
{
public:
    WithoutRootReads()
    {
        if (syscall(SYS_capget, &header, saved) != 0)
            return;
        std::memcpy(reduced, saved, sizeof saved);
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        active = syscall(SYS_capset, &header, reduced) == 0;
    }
    ~WithoutRootReads()
    {
        if (active)
            syscall(SYS_capset, &header, saved);
    }
    Q_DISABLE_COPY(WithoutRootReads)

    // Whether a file of mode 000 is really out of reach now.
    static bool locksOut(const QString &lockedFile)
    {
        const int fd = ::open(QFile::encodeName(lockedFile).constData(), O_RDONLY);
        if (fd >= 0)
            ::close(fd);
        return fd < 0;
    }

private:
    __user_cap_header_struct header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2] {};
    __user_cap_data_struct reduced[2] {};
    bool active = false;
};

// Writes size bytes of pattern, repeated, without holding them all in memory.
void writeRepeated(const QString &path, const QByteArray &pattern, qint64 size)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray chunk;
    while (chunk.size() < 1024 * 1024)
        chunk += pattern;
    for (qint64 left = size; left > 0; left -= chunk.size())
        QVERIFY(file.write(chunk.constData(), qMin<qint64>(left, chunk.size())) > 0);
}

long maxResidentKiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The work of a child process; see main().
int runChild(const QStringList &arguments)
{
    const QString kind = arguments.value(0);
    const QString folder = arguments.value(1);
    if (kind == QLatin1String("pick")) {
        // Picks everything from source to destination and says when the copy is under way.
        Trovella window;
        chooseDestination(window, arguments.value(2));
        scanAndCheck(window, folder, {"*"});
        int creating = 0;
        QObject::connect(widget<QStatusBar>(&window, "statusBar"), &QStatusBar::messageChanged,
                         [&creating](const QString &message) {
                             if (message.startsWith(QLatin1String("Creating: "))
                                 && ++creating == 50) {
                                 if (::write(STDOUT_FILENO, "copying\n", 8) != 8)
                                     qWarning("Could not tell the copy has begun");
                             }
                         });
        pick(window);
        return 0;
    }
    // Any write that takes a file past a few bytes now kills the process, as a crash in the
    // middle of writing would.
    const rlimit limit {64, 64};
    setrlimit(RLIMIT_FSIZE, &limit);
    QDir::setCurrent(folder);
    if (kind == QLatin1String("memory")) {
        QSet<QString> many;
        for (int i = 0; i < 2000; ++i)
            many.insert(QStringLiteral("type%1").arg(i));
        TypeMemory::write(folder, QStringLiteral("/elsewhere"), many, {});
    } else if (kind == QLatin1String("settings")) {
        QSettings settings(QStringLiteral("Trovella.ini"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("SourceFolder"), QString(4096, QLatin1Char('x')));
        settings.sync();
    } else if (kind == QLatin1String("groups")) {
        FileTypeGroupStore store;
        for (int i = 0; i < 500; ++i)
            store.setTypes(QStringLiteral("group%1").arg(i), QStringLiteral("a;b;c"));
        store.save();
    }
    return 0;
}
} // namespace

class tst_Faults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void unreadableSource();
    void undecodableNames();
    void links();
    void interruptedPick();
    void crashWhileWriting_data();
    void crashWhileWriting();
    void fullDiskKeepsSettings();
    void hostileFilesAtStart_data();
    void hostileFilesAtStart();
    void ownFilesOfOtherKinds_data();
    void ownFilesOfOtherKinds();

private:
    std::unique_ptr<ScratchFolder> temp;
};

void tst_Faults::init()
{
    temp = std::make_unique<ScratchFolder>();
    QVERIFY(temp->current);
}

void tst_Faults::cleanup() { temp.reset(); }

// A file and two folders that cannot be read: the folders are counted after the scan, the
// file is reported by the pick, and the rest is copied.
void tst_Faults::unreadableSource()
{
    const QString src = temp->filePath("src");
    const QString des = temp->filePath("des");
    writeFile(src + "/a.txt", "a");
    writeFile(src + "/locked.txt", "secret");
    writeFile(src + "/shut/b.txt", "b");
    writeFile(src + "/closed/c.txt", "c");
    QDir().mkpath(des);
    for (const char *name : {"/locked.txt", "/shut", "/closed"})
        QVERIFY(QFile::setPermissions(src + name, {}));
    const auto reopen = qScopeGuard([&] {
        for (const char *name : {"/shut", "/closed"})
            QFile::setPermissions(src + name,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    const WithoutRootReads asUser;
    if (!WithoutRootReads::locksOut(src + "/locked.txt"))
        QSKIP("cannot give up root's right to read every file here");

    Trovella window;
    chooseDestination(window, des);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot read folder .*/src/shut: "));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot read folder .*/src/closed: "));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("Scan of .*src: 2 folders could not be read\\.$"));
    scan(window, src);
    QCOMPARE(statusText(window), QStringLiteral("2 folders could not be read."));
    scanAndCheck(window, src, {"*"});
    QCOMPARE(typeTexts(window), QStringList {"txt"});

    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("Could not copy .*src/locked.txt .*: Permission"));
    pick(window);
    QCOMPARE(statusText(window), QStringLiteral("Copied 1 file (1 byte). 1 could not be copied."));
    QCOMPARE(entries(des, QDir::Files), QStringList {"src/a.txt"});
    // The folders the scan could not read are in the account too.
    QStringList reasons;
    for (const PickReport::Row &row : window.lastPickReport().rows())
        reasons << PickReport::outcomeText(row.outcome) + ": " + row.reason;
    reasons.sort();
    QCOMPARE(reasons,
             (QStringList {"Could not be copied: no permission to read it",
                           "Left out by the scan: the folder could not be read",
                           "Left out by the scan: the folder could not be read"}));
}

// Names that are not valid UTF-8, and a file in a folder whose name is not.
void tst_Faults::undecodableNames()
{
    const QString src = temp->filePath("src");
    writeFile(src + "/a.txt", "a");
    const QByteArray root = QFile::encodeName(src);
    const QByteArrayList odd {root + "/\xff\xfe.bin", root + "/caf\xe9.txt", root + "/\xe9t\xe9",
                              root + "/\xe9t\xe9/inner.txt"};
    touch(odd[0]);
    touch(odd[1]);
    QVERIFY(::mkdir(odd[2].constData(), 0755) == 0);
    touch(odd[3]);
    // The temporary folder cannot remove names it cannot read.
    const auto removeOdd = qScopeGuard([odd] {
        for (int i = 3; i >= 0; --i)
            ::remove(odd[i].constData());
    });

    Trovella window;
    for (const char *name :
         {"\\\\xff\\\\xfe\\.bin", "caf\\\\xe9\\.txt", "\\\\xe9t\\\\xe9/inner\\.txt"})
        QTest::ignoreMessage(
                QtWarningMsg,
                QRegularExpression(QString("Left out .*/src/%1: its name is").arg(name)));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Scan of .*: 3 files have names"));
    scan(window, src);
    QCOMPARE(statusText(window),
             QStringLiteral("3 files have names that cannot be read and were left out."));
    QCOMPARE(typeTexts(window), QStringList {"txt"});
}

// A loop, a link to a folder outside, a dangling link and a link to a file, scanned and picked.
void tst_Faults::links()
{
    const QString src = temp->filePath("src");
    const QString des = temp->filePath("des");
    writeFile(src + "/a.txt", "A");
    writeFile(temp->filePath("outside/secret.txt"), "secret");
    makeTree(src,
             {"sub/up>..", "sub/self>self", "out>" + temp->filePath("outside"),
              "gone.txt>nowhere.txt", "link.txt>a.txt"});

    Trovella window;
    chooseDestination(window, des);
    scanAndCheck(window, src, {"*"});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Could not copy .*src/gone.txt "));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Could not copy .*src/sub/self "));
    pick(window);

    QCOMPARE(statusText(window),
             QStringLiteral("Copied 2 files (2 bytes). 2 could not be copied."));
    QCOMPARE(entries(des), (QStringList {"src", "src/a.txt", "src/link.txt"}));
    QVERIFY(!QFileInfo(des + "/src/link.txt").isSymLink());
    QCOMPARE(readFile(des + "/src/link.txt"), "A");
}

// The process is killed in the middle of a pick: every name in the destination holds a
// whole file, nothing else is left there, and the next pick completes the copy.
void tst_Faults::interruptedPick()
{
    const QString src = temp->filePath("src");
    const QString des = temp->filePath("des");
    const int count = 600;
    for (int i = 0; i < count; ++i)
        writeFile(QStringLiteral("%1/d%2/f%3.bin").arg(src).arg(i % 7).arg(i),
                  QByteArray(64 * 1024 + i, char('a' + i % 26)));

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {"--child", "pick", src, des});
    QVERIFY(child.waitForStarted());
    QByteArray said;
    while (!said.contains("copying\n") && child.waitForReadyRead(60000))
        said += child.readAllStandardOutput();
    QVERIFY2(said.contains("copying\n"), "the child never got to copy");
    child.kill();
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    const QStringList left = entries(des, QDir::Files);
    QVERIFY2(left.size() < count, "the pick ended before it was killed");
    for (const QString &name : left) {
        QVERIFY2(name.startsWith("src/") && name.endsWith(".bin"), qPrintable(name));
        QCOMPARE(readFile(des + '/' + name), readFile(src + name.mid(3)));
    }

    Trovella window;
    window.show();
    scan(window, des);
    if (!left.isEmpty())
        QCOMPARE(typeTexts(window), QStringList {"bin"});
    chooseDestination(window, des);
    scanAndCheck(window, src, {"*"});
    pick(window);
    QCOMPARE(window.lastPickReport().count(PickReport::Same), left.size());
    QCOMPARE(window.lastPickReport().count(PickReport::Copied), count - left.size());
    QCOMPARE(entries(des + "/src", QDir::Files), entries(src, QDir::Files));
    for (const QString &name : entries(src, QDir::Files))
        QCOMPARE(readFile(des + "/src/" + name), readFile(src + '/' + name));
}

void tst_Faults::crashWhileWriting_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("old");
    QTest::newRow("memory file") << QString("memory") << QString(".trovella")
                                 << QByteArray("/d\n1:jpg\n0:txt\n");
    QTest::newRow("settings") << QString("settings") << QString("Trovella.ini")
                              << QByteArray("[General]\nSourceFolder=/old\n");
    QTest::newRow("group store") << QString("groups") << QString("FileTypeGroup")
                                 << QByteArray("Pictures=jpg;png\r\n");
}

// A crash in the middle of writing leaves the previous file whole and nothing beside it.
void tst_Faults::crashWhileWriting()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QByteArray, old);
    const QString folder = temp->filePath("work");
    writeFile(folder + '/' + name, old);

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {"--child", kind, folder});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    QCOMPARE(readFile(folder + '/' + name), old);
    // A lock left by a dead process is taken over by the next writer.
    QStringList left = entries(folder);
    left.removeOne(name + ".lock");
    QCOMPARE(left, QStringList {name});
}

// Trovella.ini on a full disk: the folder is still scanned, the old settings stay whole.
void tst_Faults::fullDiskKeepsSettings()
{
    const QString work = temp->filePath("work");
    const QString src = temp->filePath("src");
    writeFile(src + "/a.txt", "a");
    Mount mount(work, "size=64k");
    if (!mount.mounted)
        QSKIP("cannot mount a tmpfs here (needs root)");
    const QByteArray old = "[General]\nSourceFolder=/old\n";
    writeFile(work + "/Trovella.ini", old);
    // No group store to fetch: the disk is full for that too.
    writeFile(work + "/FileTypeGroup", "");
    {
        QFile filler(work + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) { }
    }
    QVERIFY(QDir::setCurrent(work));

    Trovella window;
    window.show();
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("Could not write Trovella.ini in .*/work"));
    chooseFolder(window, "bnSourceFolder", src);
    QCOMPARE(typeTexts(window), QStringList {"txt"});
    QCOMPARE(readFile(work + "/Trovella.ini"), old);
    QCOMPARE(entries(work), (QStringList {"FileTypeGroup", "Trovella.ini", "filler"}));
}

void tst_Faults::hostileFilesAtStart_data()
{
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<qint64>("size");
    const qint64 mib = 1024 * 1024;
    QTest::newRow("50 MB of lines") << QByteArray("1:x\r\n=y\n") << 50 * mib;
    QTest::newRow("one 10 MB line") << QByteArray("abcdefgh") << 10 * mib;
    QTest::newRow("NUL bytes, invalid UTF-8, lone CR")
            << QByteArray("a=\0b\n1:\0\n\xff\xfe=\xc3\n1:\xe9\xa0\na=b\r1:c\r", 27) << 3 * mib;
}

// Damaged or foreign memory and group store files: start-up and the scan complete, and
// memory stays bounded.
void tst_Faults::hostileFilesAtStart()
{
    QFETCH(QByteArray, pattern);
    QFETCH(qint64, size);
    const QString src = temp->filePath("src");
    writeFile(src + "/a.txt", "a");
    writeRepeated(temp->filePath("FileTypeGroup"), pattern, size);
    writeRepeated(src + "/.trovella", pattern, size);
    const long before = maxResidentKiB();

    Trovella window;
    window.show();
    scan(window, src);
    QCOMPARE(typeTexts(window), QStringList {"txt"});
    // Whatever the files' size, what is read of them is bounded.
    QVERIFY2(maxResidentKiB() - before < 32 * SmallFile::maxSize / 1024,
             qPrintable(QString::number(maxResidentKiB() - before)));
}

void tst_Faults::ownFilesOfOtherKinds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    for (const char *name : {".trovella", "FileTypeGroup"}) {
        for (const char *kind : {"link", "pipe", "locked folder"})
            QTest::newRow(qPrintable(QString("%1 %2").arg(name, kind))) << name << kind;
    }
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
    const auto reopen = qScopeGuard([&] {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    std::optional<WithoutRootReads> asUser;
    if (kind == "locked folder") {
        asUser.emplace();
        if (QFile(folder + "/probe").open(QIODevice::WriteOnly))
            QSKIP("cannot give up root's right to write every folder here");
    }
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
    if (memory)
        TypeMemory::write(folder, "/new", {"png"}, {});
    else
        store.save();
    QCOMPARE(QFileInfo(path).isSymLink(), kind == "link");
    if (kind == "pipe")
        QVERIFY(!QFileInfo(path).isFile());
    else
        QCOMPARE(readFile(path).startsWith(memory ? "/new" : "Audio=mp3"), kind == "locked folder");
    if (kind == "link")
        QCOMPARE(readFile(elsewhere), old);
}

// Re-invoked with "--child kind ..." the executable does one piece of work that the tests
// watch from outside; otherwise it runs the tests.
int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--child") == 0)
        return runChild(app.arguments().mid(2));
    tst_Faults tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_faults.moc"
