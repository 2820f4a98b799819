#include "companion/DirWalker.h"
#include "companion/Downloader.h"
#include "core/FileType.h"
#include "core/SmallFile.h"
#include "core/TypeMemory.h"
#include "groups/FileTypeGroupStore.h"
#include "launcher/BrowserCommand.h"
#include "support/TestTree.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringEncoder>
#include <sys/resource.h>
#include <sys/wait.h>

// The files the program keeps of its own (the memory of each folder, the group store, the
// groups fetched from the web site) and the browser it starts.
class tst_OwnFiles : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestTree> temp;

private slots:
    void init() { QVERIFY(QDir::setCurrent((temp = std::make_unique<TestTree>())->path())); }
    void cleanup() { temp.reset(); }

    void readMemory_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: a FIFO
        QTest::addColumn<QString>("expected"); // the destination, then "|1:" or "|0:" per type
        const auto row = [](const char *name, const QByteArray &content, const QString &expected) {
            QTest::newRow(name) << content << expected;
        };
        row("LF", "/dest\n1:jpg\n1:png\n0:txt\n", "/dest|1:jpg|1:png|0:txt");
        row("one CR taken off", "/dest\r\r\n1:a\r\r\n", "/dest\r|1:a\r");
        row("last line unended", "\n0:txt", "|0:txt");
        row("bare prefix is the empty type", "\n1:\n0:\n", "|1:|0:");
        row("nothing trimmed", " /dest \n 1:jpg\n1: jpg\n0:a b:c \n", " /dest |1: jpg|0:a b:c ");
        row("other lines ignored", "d\n\n1\n2:x\n10:y\n:1\n1:ok\n", "d|1:ok");
        row("first line never a type", "1:jpg\n0:png\n", "1:jpg|0:png");
        row("duplicates kept", "\n1:a\n1:a\n0:a\n", "|1:a|1:a|0:a");
        row("lone CR ends no line", "/d\r1:a\r", "/d\r1:a");
        row("empty file", "", "-");
        row("FIFO", QByteArray(), "-");
        row("larger than the limit", QByteArray(SmallFile::maxSize + 1, 'x'), "-");
        row("NUL bytes kept", QByteArray("/d\0x\n1:a\0b\n", 11),
            QString::fromLatin1("/d\0x|1:a\0b", 10));
        row("invalid UTF-8 replaced", "/d\xff\n1:\xc3\n", "/d\ufffd|1:\ufffd");
        QStringEncoder local(QStringConverter::System);
        row("local encoding", local(QStringLiteral("/d\u00e9st\n1:\u00e9t\u00e9\n")),
            "/d\u00e9st|1:\u00e9t\u00e9");
    }
    void readMemory()
    {
        QFETCH(QByteArray, content);
        content.isNull() ? temp->make({".trovella|"}) : writeFile(".trovella", content);
        if (content.isNull() || content.size() > SmallFile::maxSize)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("Left .*/.trovella (unread|alone)"));
        const TypeMemory::Content memory = TypeMemory::read(temp->path());
        QString found = memory.found ? memory.destinationLine : "-";
        for (const QString &type : memory.checked)
            found += "|1:" + type;
        for (const QString &type : memory.unchecked)
            found += "|0:" + type;
        QTEST(found, "expected");
    }

    void writeMemory_data()
    {
        addRows({"row|destination|checked|unchecked|expected",
                 "checked first, sorted|/dest|png,jpg|txt,|/dest\n1:jpg\n1:png\n0:\n0:txt\n",
                 "no type|/dest|||/dest\n", "no destination|||gz|\n0:gz\n",
                 "nothing escaped|a:b| x,1:y||a:b\n1: x\n1:1:y\n"});
    }
    void writeMemory()
    {
        QFETCH(QString, destination);
        QFETCH(QString, checked);
        QFETCH(QString, unchecked);
        const auto set = [](const QString &types) {
            const QStringList list = types.split(',');
            return types.isEmpty() ? QSet<QString>() : QSet<QString>(list.cbegin(), list.cend());
        };
        temp->make({".trovella=old\nlonger than the new one\n1:a\n1:b\n"});
        QVERIFY(TypeMemory::write(temp->path(), destination, set(checked), set(unchecked)));
        QTEST(QString(readFile(".trovella")), "expected");
        QCOMPARE(temp->list(), {".trovella " + QString::number(readFile(".trovella").size())});
    }

    void ownFileWrites_data()
    {
        QStringList table {"row|file|kind"};
        for (const char *file : {".trovella", "FileTypeGroup"})
            for (const char *kind : {"read-only", "full", "crash", "link", "pipe", "locked folder"})
                table << QString("%1, %2|%1|%2").arg(file, kind);
        addRows(table);
    }
    // A write that fails, or a crash in the middle of one, leaves the old file whole and nothing
    // beside it; a link or a pipe in the file's place is neither written through nor waited
    // on; in a folder the user may not write to, a file the user may write is written.
    void ownFileWrites()
    {
        QFETCH(QString, file);
        QFETCH(QString, kind);
        const QString folder = temp->filePath("mnt");
        if (!temp->mount(Mount::Tmpfs, folder, "size=1m"))
            QSKIP(qPrintable(temp->skipReason));
        QVERIFY(QDir::setCurrent(folder));
        const bool memory = file == ".trovella";
        const QByteArray old = memory ? "/d\n1:jpg\n" : "Pictures=jpg;png\r\n";
        temp->make(kind == "link"           ? QStringList {"elsewhere=" + old, file + ">elsewhere"}
                           : kind == "pipe" ? QStringList {file + "|"}
                                            : QStringList {file + "=" + old},
                   "mnt");
        if (kind == "read-only")
            QVERIFY(temp->mounted->remount("ro"));
        QFile filler("filler");
        if (kind == "full" && filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(4096, 'x')) == 4096) { }
        std::optional<WithoutRootRights> asUser;
        if (kind == "locked folder"
            && QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner))
            asUser.emplace();
        if (asUser && QFile(folder + "/probe").open(QIODevice::WriteOnly))
            QSKIP("cannot give up root's right to write every folder here");
        QSet<QString> many;
        FileTypeGroupStore store;
        store.load();
        QCOMPARE(memory ? TypeMemory::read(folder).found : !store.groups().isEmpty(),
                 kind != "pipe");
        for (int i = 0; i < 2000; ++i)
            many << QString("type%1").arg(i), store.setTypes(QString("Group%1").arg(i), "x");
        const auto write = [&] {
            return memory ? TypeMemory::write(folder, "/new", many, {}) : store.save();
        };
        if (kind != "locked folder" && kind != "crash")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("/mnt/" + file));
        if (kind == "crash") {
            // A write that takes a file past 64 bytes kills the writer.
            const pid_t child = ::fork();
            if (child == 0) {
                const rlimit limit {64, 64};
                ::setrlimit(RLIMIT_FSIZE, &limit);
                ::_exit(write() ? 0 : 1);
            }
            int status = 0;
            QVERIFY(::waitpid(child, &status, 0) == child && WIFSIGNALED(status));
        } else {
            QCOMPARE(write(), kind == "locked folder");
        }
        asUser.reset();
        if (kind == "locked folder")
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QFileInfo(file).isSymLink(), kind == "link");
        if (kind == "locked folder")
            QVERIFY(readFile(file).startsWith(memory ? "/new" : "Group0=x"));
        else if (kind != "pipe")
            QCOMPARE(readFile(file), old);
        // A lock left by a dead writer is taken over by the next one.
        QCOMPARE(entries(".")
                         .join(' ')
                         .remove(' ' + file + ".lock")
                         .remove(QRegularExpression(" ?(elsewhere|filler)")),
                 file);
    }

    void groupsReadAndWrite_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: the groups are typed in, over an older file
        QTest::addColumn<QString>("groups");
        QTest::addColumn<QByteArray>("written");
        const auto row = [](const char *name, const QByteArray &file, const QString &groups,
                            const QByteArray &written) {
            QTest::newRow(name) << file << groups << written;
        };
        row("sorted by name", "b=x\r\nA=y\r\na=z\r\n", "A=y|a=z|b=x", "A=y\r\na=z\r\nb=x\r\n");
        row("LF read like CR LF", "b=x\nA=y\na=z", "A=y|a=z|b=x", "A=y\r\na=z\r\nb=x\r\n");
        row("empty line stops", "a=1\r\nb=2\r\n\r\nc=3\r\n", "a=1|b=2", "a=1\r\nb=2\r\n");
        row("empty first line", "\r\na=1\r\n", "", "");
        row("later fields ignored", "a=b=c\r\n", "a=b", "a=b\r\n");
        row("later line wins", "x=1\r\nx=2\r\n", "x=2", "x=2\r\n");
        row("spaces kept", "Pictures = jpg\r\n", "Pictures = jpg", "Pictures = jpg\r\n");
        row("empty name and list", "=jpg\r\nP=\r\n", "=jpg|P=", "=jpg\r\nP=\r\n");
        row("line without = skipped", "a=jpg\r\npng\r\nb=gif\r\n", "a=jpg|b=gif",
            "a=jpg\r\nb=gif\r\n");
        const QString accented = QStringLiteral("Bilder=j\u00e9pg;\u00fc");
        QStringEncoder local(QStringConverter::System);
        QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        row("local 8-bit", local(accented + "\r\n"), accented, local(accented + "\r\n"));
        row("UTF-16 with BOM", utf16(accented + "\r\nZip=zip\r\n"), accented + "|Zip=zip",
            local(accented + "\r\nZip=zip\r\n"));
        row("empty store", QByteArray(), "", "");
        row("typed Zip before audio", QByteArray(), "Zip=zip|audio=mp3",
            "Zip=zip\r\naudio=mp3\r\n");
        row("typed LF", QByteArray(), "P=jpg\npng", "P=jpg;png\r\n");
        row("typed CR LF and CR", QByteArray(), "P=jpg\r\npng\rgif", "P=jpg;png;gif\r\n");
        row("typed outer breaks dropped", QByteArray(), "P=\n\r\njpg\npng\n\n", "P=jpg;png\r\n");
        row("typed inner empty line kept", QByteArray(), "P=jpg\n\npng", "P=jpg;;png\r\n");
    }
    void groupsReadAndWrite()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, groups);
        writeFile(FileTypeGroupStore::fileName(),
                  file.isNull() ? "old=content\r\nlonger than anything written\r\n" : file);
        QMap<QString, QString> expected; // as typed
        for (const QString &group : groups.split('|', Qt::SkipEmptyParts))
            expected[group.section('=', 0, 0)] = group.section('=', 1);
        FileTypeGroupStore store;
        store.setTypes("stale", "old");
        store.load();
        if (file.isNull()) {
            store.remove("old");
            for (auto it = expected.cbegin(); it != expected.cend(); ++it)
                store.setTypes(it.key(), it.value());
        }
        QVERIFY(store.save());
        QTEST(readFile(FileTypeGroupStore::fileName()), "written");
        QCOMPARE(store.groups(), expected);
    }

    void groupsFetched_data()
    {
        // Where the store is asked for, and what the site answers there: a page, or "store",
        // "404" and "cut short" (a store, but not found, or cut short), "stall" (nothing),
        // "refused" (a closed port), "garbage", "moved" (to the store under another name).
        addRows({"row|path|answer", "not found|/d/FileTypeGroup|404",
                 "time-out|/d/FileTypeGroup|stall", "refused|/d/FileTypeGroup|refused",
                 "body cut short|/d/FileTypeGroup|cut short",
                 "login page|/d/FileTypeGroup|<html><a href=\"x?a=b\">Log in</a></html>\r\n",
                 "a page after a group|/d/FileTypeGroup|a=b\r\n<p>\r\n",
                 "garbage|/d/FileTypeGroup|garbage", "no file name|/|store",
                 "redirect keeps the first name|/d/FileTypeGroup|moved",
                 "success|/d/FileTypeGroup|store"});
    }
    // A store is fetched only while there is none, and only a whole one is kept; nothing else
    // is left behind, so the next start asks again.
    void groupsFetched()
    {
        QFETCH(QString, path);
        QFETCH(QString, answer);
        const QByteArray store = "Pictures=jpg;png\r\nAudio=mp3\r\n";
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage += char((i * 131 + 7) % 256);
        const QHash<QString, QByteArray> replies {
                {"404", HttpServer::reply("404 Not Found", store)},
                {"stall", {}}, // accepted, never answered
                {"cut short", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nA=b\r\n"},
                {"garbage", HttpServer::reply("200 OK", garbage)},
                {"moved", "HTTP/1.1 302 Found\r\nLocation: /final\r\nContent-Length: 0\r\n\r\n"},
                {"store", HttpServer::reply("200 OK", store)}};
        HttpServer site;
        site.replies[path.toUtf8()]
                = replies.value(answer, HttpServer::reply("200 OK", answer.toUtf8()));
        site.replies["/final"] = replies["store"];
        if (answer == "refused")
            site.close();
        const bool stored = path != "/" && (answer == "store" || answer == "moved");
        if (!stored)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(" failed: .+"));
        FileTypeGroupStore::fetchIfMissing(site.url(path));
        QCOMPARE(listTree("."), stored ? QStringList {"FileTypeGroup 29"} : QStringList());
        if (!stored)
            return;
        const qsizetype asked = site.requested.size();
        FileTypeGroupStore::fetchIfMissing(site.url(path));
        QCOMPARE(site.requested.size(), asked);
        FileTypeGroupStore groups;
        groups.load();
        QCOMPARE(groups.groups(),
                 (QMap<QString, QString> {{"Audio", "mp3"}, {"Pictures", "jpg;png"}}));
    }

    void launchBrowser_data()
    {
        // "%", "#", "?" and a blank must all reach the browser intact. No command: the user's own.
        addRows({"row|command|launch", "none||,{url}",
                 "quoted with %1|\"/a b/browser\" %1|/a b/browser,{url}",
                 "%1 twice|\"/a b/browser\" --first %1 --second %1|/a "
                 "b/browser,--first,%1,--second,"
                 "{url}",
                 "no %1|/browser --flag|/browser,--flag,{url}"});
    }
    void launchBrowser()
    {
        QFETCH(QString, command);
        QFETCH(QString, launch);
        const BrowserLaunch made = browserLaunch(command, QUrl::fromLocalFile("/tmp/a b/50%#?"));
        QCOMPARE((QStringList {made.program} + made.arguments).join(','),
                 launch.replace("{url}", "file:///tmp/a b/50%25%23%3F"));
    }
};

QTEST_GUILESS_MAIN(tst_OwnFiles)
#include "tst_ownfiles.moc"
