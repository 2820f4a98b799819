#include "FileTypeGroupStore.h"

// Not built yet: reading and writing the group store file.
void FileTypeGroupStore::load() { groupMap.clear(); }

void FileTypeGroupStore::save() { }

QMap<QString, QString> FileTypeGroupStore::groups() const { return groupMap; }

void FileTypeGroupStore::rename(const QString &oldName, const QString &newName)
{
    const auto it = groupMap.constFind(oldName);
    if (it == groupMap.constEnd())
        return;
    const QString types = it.value();
    groupMap.erase(it);
    groupMap.insert(newName, types);
}

void FileTypeGroupStore::setTypes(const QString &name, const QString &types)
{
    groupMap.insert(name, types);
}
