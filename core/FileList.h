#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <vector>

// The files a scan found below one folder, held compactly for trees of millions of files:
// every folder once, as its parent and its name, and every file as a small record and the bytes
// of its name. Types are numbers into a table of lower-cased suffixes. A copy shares the files
// with the original, so another thread can read them while the window keeps the list; a
// change made to a shared list leaves the other copies as they were.
class FileList
{
public:
    using Folder = quint32;
    using Type = quint32;
    // The folder the list was made for.
    static constexpr Folder top = 0;
    static constexpr Type noType = ~Type(0);

    struct Record
    {
        Folder folder;
        // Where the name starts among the bytes of its batch, which end it with a 0.
        quint32 name;
        Type type;
    };

    // Files gathered by one thread, handed to the list as a whole.
    class Batch
    {
    public:
        void add(Folder folder, const char *name, size_t length, Type type);
        qsizetype size() const { return qsizetype(records.size()); }
        bool isEmpty() const { return records.empty(); }

    private:
        friend class FileList;
        std::vector<Record> records;
        std::vector<char> names;
    };

    FileList()
        : FileList(QString())
    { }
    explicit FileList(const QString &root);

    // Building. None of these may run on two threads at once.
    Folder addFolder(Folder parent, const char *name, size_t length);
    // The type of a suffix as spelt in a name, added to the table when new.
    Type typeOfSuffix(const char *suffix, size_t length);
    // The same for a whole name: what follows its last dot, nothing when it has none.
    Type typeOfName(const char *name, size_t length);
    // The batch's files get the next indexes, in the batch's order.
    void append(Batch &&batch);
    // Drops the files at these indexes; the later files move up.
    void remove(QList<qsizetype> indexes);

    QString root() const { return d->root; }
    qsizetype size() const { return d->ends.empty() ? 0 : d->ends.back(); }
    bool isEmpty() const { return size() == 0; }

    Folder folder(qsizetype index) const { return record(index).folder; }
    Type type(qsizetype index) const { return record(index).type; }
    // The name's bytes, ending in a 0.
    const char *name(qsizetype index) const;
    QString fileName(qsizetype index) const;
    // The absolute path as the root was given, and relative to the root.
    QString path(qsizetype index) const;
    QString relativePath(qsizetype index) const;
    // A folder's path in the file system's bytes, and its path relative to the root.
    QByteArray folderPath(Folder folder) const;
    QByteArray relativeFolderPath(Folder folder) const;

    // The distinct types, in the order they were first met, and how many files each has.
    const QStringList &types() const { return d->types; }
    Type findType(const QString &type) const { return d->typeIndex.value(type, noType); }
    qsizetype count(Type type) const { return d->counts.at(type); }

    // The bytes the list holds, by what holds them.
    struct Footprint
    {
        qint64 records = 0;
        qint64 names = 0;
        qint64 folders = 0;
        qsizetype folderCount = 0;
    };
    Footprint footprint() const;

    // Calls visit(index, record, name) for the files from first on, in order, while it returns
    // true; name is the file's bytes, ending in a 0.
    template<typename Visit> void forEach(Visit visit, qsizetype first = 0) const
    {
        const auto &chunks = d->chunks;
        size_t chunk = chunkOf(first);
        qsizetype index = first;
        for (; chunk < chunks.size(); ++chunk) {
            const auto &records = chunks[chunk].records;
            const char *names = chunks[chunk].names.data();
            for (size_t i = size_t(index - startOf(chunk)); i < records.size(); ++i, ++index) {
                if (!visit(index, records[i], names + records[i].name))
                    return;
            }
        }
    }

private:
    struct FolderEntry
    {
        Folder parent;
        quint32 name;
    };
    struct Data
    {
        QString root;
        QByteArray encodedRoot;
        std::vector<FolderEntry> folders;
        std::vector<char> folderNames;
        std::vector<Batch> chunks;
        // The index after each chunk's last file.
        std::vector<qsizetype> ends;
        QStringList types;
        std::vector<qsizetype> counts;
        QHash<QString, Type> typeIndex;
        QHash<QByteArray, Type> spelled;
    };

    void detach();
    size_t chunkOf(qsizetype index) const
    {
        return size_t(std::upper_bound(d->ends.cbegin(), d->ends.cend(), index) - d->ends.cbegin());
    }
    qsizetype startOf(size_t chunk) const { return chunk == 0 ? 0 : d->ends[chunk - 1]; }
    const Record &record(qsizetype index) const;
    void appendRelative(QByteArray &path, Folder folder) const;

    std::shared_ptr<Data> d;
};
