#include "Trovella.h"

#include "app/Site.h"
#include "groups/EditFileTypeGroup.h"

void Trovella::loadFileTypeGroups()
{
    FileTypeGroupStore::fetchIfMissing(Site::fileTypeGroupStore());
    fileTypeGroups.load();
    // Clearing reports an empty entry, which selects nothing; the first entry added
    // becomes current and applies its group.
    ui.cbbFileTypes->clear();
    const QMap<QString, QString> groups = fileTypeGroups.groups();
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        ui.cbbFileTypes->addItem(it.key() + QLatin1Char('(') + it.value() + QLatin1Char(')'));
}

void Trovella::editFileTypeGroup()
{
    EditFileTypeGroup dialog(&fileTypeGroups, this);
    dialog.setModal(true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    fileTypeGroups.save();
    loadFileTypeGroups();
}
