#pragma once

#include "FileList.h"

#include <functional>

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// What a pick is about to do to its destination, found out before the first copy.
struct PickPlan
{
    // Selected files whose target name is taken already; they are left alone.
    qsizetype existing = 0;
    // Bytes the files still to copy take, rounded up to whole blocks of the destination.
    qint64 bytesNeeded = 0;
    // The bytes of those files as they are.
    qint64 bytesToCopy = 0;
    // Free bytes on the destination's file system; -1 when unknown.
    qint64 bytesFree = -1;
    QByteArray fileSystemType;
    // Targets the destination cannot name, as paths relative to it, in selection order.
    QStringList unstorableNames;
    // Those files, by their index in the list.
    QSet<qsizetype> unstorable;
    // False when the user declined or the check was stopped.
    bool go = true;

    bool lacksSpace() const { return bytesFree >= 0 && bytesNeeded > bytesFree; }
    bool needsConsent() const { return lacksSpace() || !unstorable.isEmpty(); }
};

namespace PickPreflight {

// Whether a file system of this type (as QStorageInfo names it) keeps the naming limits of
// FAT and NTFS, and treats names that differ only by case as one.
bool limitsNames(const QByteArray &fileSystemType);

// Whether such a file system can hold name as one path component.
bool isStorableName(const QString &name);

// The indexes of the relative paths that would meet an earlier one on a file system that
// ignores case: some component differs from another in the same folder only by case.
QSet<qsizetype> caseCollisions(const QStringList &relativePaths);

// At most one stat per selected file, the files of files at the indexes of selection, plus
// one read of each target folder that exists. goOn is called for every selected file, so that
// a window can handle events; when it returns false the check stops and its plan does not go.
PickPlan check(const FileList &files, const QList<qsizetype> &selection,
               const QString &destinationFolder, const std::function<bool()> &goOn = {});

} // namespace PickPreflight
