#pragma once

#include "FileList.h"

#include <QDir>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>

// The name of a folder text: what follows its last separator ("/", and on Windows also
// "\"). A text ending in a separator has an empty name; a text without one is its own name.
QString folderName(const QString &folder);

// Where a pick from srcFolder into desFolder puts its files: desFolder itself when both
// folders bear the same name, otherwise a folder named after srcFolder inside desFolder,
// joined with the separator the destination text is written in. desFolder stays the folder
// the user chose: each pick derives its own target from it.
QString pickDestination(const QString &srcFolder, const QString &desFolder);

// The indexes of the files whose type is one of types, in the order of files. keepResponsive,
// when given, is called every few thousand files.
QList<qsizetype> pickSelection(const FileList &files, const QSet<QString> &types,
                               const std::function<void()> &keepResponsive = {});

// Where a pick puts each file: below its target folder, at the file's path relative to the
// source folder.
class PickTargets
{
public:
    explicit PickTargets(const QString &targetFolder)
        : target(targetFolder)
    { }
    QString targetOfRelative(const QString &relative) const
    {
        return target.absoluteFilePath(relative);
    }

private:
    QDir target;
};
