#include "Trovella.h"

#include "Prompt.h"
#include "core/Site.h"
#include "groups/EditFileTypeGroup.h"

#include <QDir>

void Trovella::loadFileTypeGroups()
{
    // The entries follow the store's order, so the current one names the group shown.
    const QString shown = fileTypeGroups.groups().keys().value(ui.cbbFileTypes->currentIndex());
    FileTypeGroupStore::fetchIfMissing(Site::fileTypeGroupStore());
    fileTypeGroups.load();
    // Filling the box applies no group: the check marks are the user's until a group is chosen.
    ui.cbbFileTypes->clear();
    const QMap<QString, QString> groups = fileTypeGroups.groups();
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        ui.cbbFileTypes->addItem(it.key() + QLatin1Char('(') + it.value() + QLatin1Char(')'));
    const int index = int(groups.keys().indexOf(shown));
    if (index > 0)
        ui.cbbFileTypes->setCurrentIndex(index);
}

void Trovella::editFileTypeGroup()
{
    // The dialog edits a copy: Cancel and the close control drop it.
    EditFileTypeGroup dialog(fileTypeGroups, this);
    dialog.setModal(true);
    while (dialog.exec() == QDialog::Accepted) {
        QString error;
        if (dialog.groups().save(&error)) {
            loadFileTypeGroups();
            return;
        }
        // The edits stay in the dialog, open again, so OK can be pressed once this is fixed.
        Prompt::warning(
                this, tr("error"),
                tr("The file type groups could not be saved to %1: %2")
                        .arg(QDir::current().absoluteFilePath(FileTypeGroupStore::fileName()),
                             error));
    }
}
