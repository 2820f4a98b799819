#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <mutex>

// The folders a copier puts files in: each made with its missing parents as needed, and tried
// once, its failure remembered. Any thread.
class Folders
{
public:
    // The folder path lies in: what comes before its last "/".
    static QString of(const QString &path);

    // Makes folder and its missing parents; returns 0 or the errno of the failure.
    int make(const QString &folder);
    // Whether folder was made here: no name in it can stand in a copy's way but the copy's own.
    bool madeHere(const QString &folder);
    // The folders made since the last call, parents first.
    QStringList takeNew();

private:
    std::mutex lock;
    QHash<QString, int> tried;
    QSet<QString> made;
    QStringList fresh;
};
