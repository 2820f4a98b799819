#include "FileList.h"

#include <QFile>

#include <cstring>

void FileList::Batch::add(Folder folder, const char *name, size_t length, Type type)
{
    records.push_back({folder, quint32(names.size()), type});
    names.insert(names.end(), name, name + length + 1);
}

FileList::FileList(const QString &root)
    : d(std::make_shared<Data>())
{
    d->root = root;
    d->encodedRoot = QFile::encodeName(root);
    d->folders.push_back({top, 0});
    d->folderNames.push_back(0);
}

void FileList::detach()
{
    if (d.use_count() > 1)
        d = std::make_shared<Data>(*d);
}

FileList::Folder FileList::addFolder(Folder parent, const char *name, size_t length)
{
    detach();
    d->folders.push_back({parent, quint32(d->folderNames.size())});
    d->folderNames.insert(d->folderNames.end(), name, name + length + 1);
    return Folder(d->folders.size() - 1);
}

FileList::Type FileList::typeOfSuffix(const char *suffix, size_t length)
{
    detach();
    const QByteArray spelling(suffix, qsizetype(length));
    auto known = d->spelled.constFind(spelling);
    if (known != d->spelled.constEnd())
        return *known;
    // "JPG" and "jpg" are one type.
    const QString type = QFile::decodeName(spelling).toLower();
    auto found = d->typeIndex.constFind(type);
    if (found == d->typeIndex.constEnd()) {
        found = d->typeIndex.insert(type, Type(d->types.size()));
        d->types.append(type);
        d->counts.push_back(0);
    }
    return *d->spelled.insert(spelling, *found);
}

FileList::Type FileList::typeOfName(const char *name, size_t length)
{
    size_t dot = length;
    while (dot > 0 && name[dot - 1] != '.')
        --dot;
    return dot == 0 ? typeOfSuffix(name + length, 0) : typeOfSuffix(name + dot, length - dot);
}

void FileList::append(Batch &&batch)
{
    if (batch.isEmpty())
        return;
    detach();
    for (const Record &record : batch.records)
        ++d->counts[record.type];
    // The list lives as long as the window shows it: no room to spare in it.
    if (batch.records.capacity() - batch.records.size() > batch.records.size() / 8)
        batch.records.shrink_to_fit();
    if (batch.names.capacity() - batch.names.size() > batch.names.size() / 8)
        batch.names.shrink_to_fit();
    d->ends.push_back(size() + batch.size());
    d->chunks.push_back(std::move(batch));
    batch = Batch();
}

void FileList::remove(QList<qsizetype> indexes)
{
    if (indexes.isEmpty())
        return;
    detach();
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    // From the last, so that the chunks' starts hold until every file is gone.
    for (auto it = indexes.crbegin(); it != indexes.crend(); ++it) {
        const size_t chunk = chunkOf(*it);
        auto &records = d->chunks[chunk].records;
        const auto at = records.begin() + (*it - startOf(chunk));
        --d->counts[at->type];
        records.erase(at);
    }
    qsizetype end = 0;
    for (size_t chunk = 0; chunk < d->chunks.size(); ++chunk)
        d->ends[chunk] = end += qsizetype(d->chunks[chunk].records.size());
}

FileList::Footprint FileList::footprint() const
{
    Footprint bytes;
    for (const Batch &chunk : d->chunks) {
        bytes.records += qint64(chunk.records.capacity() * sizeof(Record));
        bytes.names += qint64(chunk.names.capacity());
    }
    bytes.folders = qint64(d->folders.capacity() * sizeof(FolderEntry) + d->folderNames.capacity());
    bytes.folderCount = qsizetype(d->folders.size());
    return bytes;
}

const FileList::Record &FileList::record(qsizetype index) const
{
    const size_t chunk = chunkOf(index);
    return d->chunks[chunk].records[size_t(index - startOf(chunk))];
}

const char *FileList::name(qsizetype index) const
{
    const size_t chunk = chunkOf(index);
    const Batch &batch = d->chunks[chunk];
    return batch.names.data() + batch.records[size_t(index - startOf(chunk))].name;
}

QString FileList::fileName(qsizetype index) const { return QFile::decodeName(name(index)); }

void FileList::appendRelative(QByteArray &path, Folder folder) const
{
    if (folder == top)
        return;
    const FolderEntry &entry = d->folders[folder];
    appendRelative(path, entry.parent);
    if (entry.parent != top)
        path += '/';
    path += d->folderNames.data() + entry.name;
}

QByteArray FileList::relativeFolderPath(Folder folder) const
{
    QByteArray path;
    appendRelative(path, folder);
    return path;
}

QByteArray FileList::folderPath(Folder folder) const
{
    QByteArray path = d->encodedRoot;
    if (folder != top) {
        if (!path.endsWith('/'))
            path += '/';
        appendRelative(path, folder);
    }
    return path;
}

QString FileList::path(qsizetype index) const
{
    QByteArray path = folderPath(folder(index));
    if (!path.endsWith('/'))
        path += '/';
    return QFile::decodeName(path + name(index));
}

QString FileList::relativePath(qsizetype index) const
{
    QByteArray path = relativeFolderPath(folder(index));
    if (!path.isEmpty())
        path += '/';
    return QFile::decodeName(path + name(index));
}
