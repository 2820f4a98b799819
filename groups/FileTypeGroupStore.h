#pragma once

#include <QMap>
#include <QString>

// The named file type groups: group name to its types joined by ";", ordered by name.
class FileTypeGroupStore
{
public:
    void load();
    void save();
    QMap<QString, QString> groups() const;
    void rename(const QString &oldName, const QString &newName);
    void setTypes(const QString &name, const QString &types);

    // The groups that the group store file's bytes hold, as load() reads them.
    static QMap<QString, QString> parse(const QByteArray &bytes);

private:
    QMap<QString, QString> groupMap;
};
