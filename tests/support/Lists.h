#pragma once

// File lists as a scan makes them, for the tests of what reads them.

#include "core/FileList.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <numeric>

// The files at these paths relative to root, in this order.
inline FileList fileListOf(const QString &root, const QStringList &paths)
{
    FileList files(root);
    QHash<QString, FileList::Folder> folders;
    FileList::Batch batch;
    for (const QString &path : paths) {
        FileList::Folder folder = FileList::top;
        const QStringList parts = path.split('/', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            const QString way = parts.mid(0, i + 1).join('/');
            if (!folders.contains(way)) {
                const QByteArray name = QFile::encodeName(parts.at(i));
                folders.insert(way, files.addFolder(folder, name.constData(), size_t(name.size())));
            }
            folder = folders.value(way);
        }
        const QByteArray name = QFile::encodeName(parts.last());
        batch.add(folder, name.constData(), size_t(name.size()),
                  files.typeOfName(name.constData(), size_t(name.size())));
    }
    files.append(std::move(batch));
    return files;
}

// The paths of the list's files relative to its root, in its order.
inline QStringList pathsOf(const FileList &files)
{
    QStringList paths;
    for (qsizetype i = 0; i < files.size(); ++i)
        paths << QDir(files.root()).relativeFilePath(files.path(i));
    return paths;
}

// The indexes of every file of the list.
inline QList<qsizetype> allOf(const FileList &files)
{
    QList<qsizetype> indexes(files.size());
    std::iota(indexes.begin(), indexes.end(), 0);
    return indexes;
}
