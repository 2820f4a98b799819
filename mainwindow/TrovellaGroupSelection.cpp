#include "Trovella.h"

#include "Prompt.h"

void Trovella::fileTypeGroupSelected(QString groupSel)
{
    if (groupSel.isEmpty())
        return;
    const QString name = groupSel.left(groupSel.indexOf(QLatin1Char('(')));
    const QMap<QString, QString> groups = fileTypeGroups.groups();
    const auto group = groups.constFind(name);
    if (group == groups.constEnd()) {
        Prompt::warning(this, tr("error"), tr("no such type"));
        return;
    }
    // Read as the file will hold it, so a list typed over several lines selects alike
    // before and after it is saved.
    const QStringList pieces = FileTypeGroupStore::oneLine(group.value()).split(QLatin1Char(';'));
    const QSet<QString> types(pieces.cbegin(), pieces.cend());
    for (int row = 0; row < ui.listFileTypes->count(); ++row) {
        QListWidgetItem *item = ui.listFileTypes->item(row);
        item->setCheckState(types.contains(item->text()) ? Qt::Checked : Qt::Unchecked);
    }
}
