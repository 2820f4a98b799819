#pragma once

#include <QFileInfo>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>

// The part of a file name after its last dot, as QFileInfo::suffix() gives it, as a view
// into path: empty for a name without a dot, the rest of the name for a dot-file.
QStringView fileSuffix(const QString &path);

// The type of a file: its lower-cased suffix.
QString fileType(const QFileInfo &file);

// Gathers the distinct types of many files from their suffixes, copying each distinct
// suffix once.
class FileTypeSet
{
public:
    void add(QStringView suffix);
    QSet<QString> types() const;

private:
    // Keys view the strings in suffixes, which keep their data where it is.
    QSet<QStringView> seen;
    QList<QString> suffixes;
};
