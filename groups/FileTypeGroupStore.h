#pragma once

#include <QMap>
#include <QString>

class QUrl;

// The named file type groups: group name to its types joined by ";", ordered by name.
class FileTypeGroupStore
{
public:
    // The group store file, relative to the working directory.
    static QString fileName();

    void load();
    // False, with the reason in error, when the file could not be written.
    bool save(QString *error = nullptr);
    QMap<QString, QString> groups() const;
    void rename(const QString &oldName, const QString &newName);
    void setTypes(const QString &name, const QString &types);
    void remove(const QString &name);

    // Downloads the group store file from address when there is none yet.
    static void fetchIfMissing(const QUrl &address);
    // A type list as the file holds it: line breaks typed in the editor become ";".
    static QString oneLine(const QString &types);
    // The groups that the group store file's bytes hold, as load() reads them.
    static QMap<QString, QString> parse(const QByteArray &bytes);
    // Whether bytes read as a group store: lines of name=types, no markup, no control
    // characters, at least one group.
    static bool isGroupStore(const QByteArray &bytes);

private:
    QMap<QString, QString> groupMap;
};
