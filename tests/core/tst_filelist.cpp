#include "companion/DirWalker.h"
#include "support/Lists.h"
#include "support/TestTree.h"

// The list a walk fills: every file at its own path, once, under its type, also after files
// are taken out of it.
class tst_FileList : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestTree> temp;

private slots:
    void init() { temp = std::make_unique<TestTree>(); }

    void keepsEveryFile_data()
    {
        // No layout: 40 folders of 1000 files, more than a thread hands over at once.
        addRows({"row|threads|layout|types|removed",
                 "one name in three folders|1|a/x.jpg,b/x.JPG,a/b/x.jpg,a/b/y.png|jpg 3,png 1|png",
                 "names beyond ASCII|1|Été/ÄVI.Jpg,日本/語.md,Été/b.md|jpg 1,md 2|jpg",
                 "files in the top folder|8|top.txt,.hidden,sub/deep.txt|txt 2,hidden 1|txt",
                 "many threads and batches|8||t0 800,t49 800,t7 800|t7"});
    }
    void keepsEveryFile()
    {
        QFETCH(QString, layout);
        QFETCH(QString, removed);
        const QString root = temp->filePath("tree");
        if (layout.isEmpty())
            makeLargeTree(root, 40, 1000);
        else
            temp->make(layout.split(','), "tree");
        QFETCH(QString, threads);
        Mv::DirWalker walker(root, threads.toInt());
        FileList files;
        QVERIFY(walker.run(files));
        QStringList expected = entries(root, QDir::Files);
        QStringList listed = pathsOf(files);
        listed.sort();
        QCOMPARE(listed, expected);
        QFETCH(QString, types);
        for (const QString &type : types.split(','))
            QCOMPARE(files.count(files.findType(type.section(' ', 0, 0))),
                     type.section(' ', 1).toLongLong());

        QList<qsizetype> out;
        for (qsizetype i = 0; i < files.size(); ++i) {
            if (files.type(i) == files.findType(removed))
                out << i;
        }
        files.remove(out);
        expected.removeIf(
                [&](const QString &path) { return QFileInfo(path).suffix().toLower() == removed; });
        listed = pathsOf(files);
        listed.sort();
        QCOMPARE(listed, expected);
        QCOMPARE(files.count(files.findType(removed)), 0);
    }
};

QTEST_GUILESS_MAIN(tst_FileList)
#include "tst_filelist.moc"
