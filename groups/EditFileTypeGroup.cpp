#include "EditFileTypeGroup.h"

#include "app/Translation.h"

EditFileTypeGroup::EditFileTypeGroup(FileTypeGroupStore *store, QWidget *parent,
                                     Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , store(store)
{
    ui.setupUi(this);
    // Qt 6 has no currentIndexChanged(QString): hand the slot the text of the new entry.
    // Connected before the names go in, so the first name added shows its group.
    connect(ui.cbbGroupName, &QComboBox::currentIndexChanged, this,
            [this](int index) { selChanged(ui.cbbGroupName->itemText(index)); });
    setFixedSize(width(), height());

    const QMap<QString, QString> groups = store->groups();
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        ui.cbbGroupName->addItem(it.key());

    applyTranslation([this] { ui.retranslateUi(this); });
}

EditFileTypeGroup::~EditFileTypeGroup()
{
    // The widgets outlive this class while the base tears them down, and losing focus then
    // makes the name box choose the entry matching its text: keep that away from the slots.
    disconnect(ui.cbbGroupName, nullptr, this, nullptr);
    disconnect(ui.edTypes, nullptr, this, nullptr);
}

void EditFileTypeGroup::selChanged(QString sel)
{
    currentGroupName = sel;
    ui.edTypes->setPlainText(store->groups().value(sel));
}

void EditFileTypeGroup::txtEdited(QString txt)
{
    if (txt.isEmpty() || store->groups().contains(txt))
        return;
    store->rename(currentGroupName, txt);
    const int index = ui.cbbGroupName->findText(currentGroupName,
                                                Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        ui.cbbGroupName->setItemText(index, txt);
    currentGroupName = txt;
}

void EditFileTypeGroup::txtEditedTypes()
{
    store->setTypes(ui.cbbGroupName->currentText(), ui.edTypes->toPlainText());
}
