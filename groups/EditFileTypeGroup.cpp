#include "EditFileTypeGroup.h"

#include <QLineEdit>

EditFileTypeGroup::EditFileTypeGroup(const FileTypeGroupStore &groups, QWidget *parent,
                                     Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , store(groups)
{
    ui.setupUi(this);
    // Qt 6 has no currentIndexChanged(QString): hand the slot the text of the new entry.
    // Connected before the names go in, so the first name added shows its group.
    connect(ui.cbbGroupName, &QComboBox::currentIndexChanged, this,
            [this](int index) { selChanged(ui.cbbGroupName->itemText(index)); });
    // Only what the user types renames: the box sets its own text when an entry becomes
    // current, and completing a name to another group's would make every rename a clash.
    connect(ui.cbbGroupName->lineEdit(), &QLineEdit::textEdited, this,
            &EditFileTypeGroup::txtEdited);
    ui.cbbGroupName->setCompleter(nullptr);
    setFixedSize(width(), height());

    ui.cbbGroupName->addItems(store.groups().keys());
    updateEnabled();
}

EditFileTypeGroup::~EditFileTypeGroup()
{
    // The widgets outlive this class while the base tears them down, and losing focus then
    // makes the name box choose the entry matching its text: keep that away from the slots.
    disconnect(ui.cbbGroupName, nullptr, this, nullptr);
    disconnect(ui.edTypes, nullptr, this, nullptr);
}

FileTypeGroupStore EditFileTypeGroup::groups() const
{
    FileTypeGroupStore result;
    const QMap<QString, QString> all = store.groups();
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        result.setTypes(it.key(), FileTypeGroupStore::oneLine(it.value()));
    return result;
}

void EditFileTypeGroup::selChanged(QString sel)
{
    currentGroupName = sel;
    nameBeforeRename = sel;
    // A name left unusable in the box is dropped with its red.
    txtEdited(sel);
    ui.edTypes->setPlainText(store.groups().value(sel));
    updateEnabled();
}

void EditFileTypeGroup::txtEdited(QString txt)
{
    const QString problem = nameProblem(txt);
    // Renamed from the name the group had, so no name typed on the way survives.
    const QString name = problem.isEmpty() ? txt : nameBeforeRename;
    if (name != currentGroupName && store.groups().contains(currentGroupName)) {
        store.rename(currentGroupName, name);
        setEntryText(ui.cbbGroupName->currentIndex(), name);
        currentGroupName = name;
    }
    ui.cbbGroupName->setToolTip(problem);
    ui.cbbGroupName->lineEdit()->setStyleSheet(problem.isEmpty() ? QString()
                                                                 : QStringLiteral("color: red"));
}

QString EditFileTypeGroup::nameProblem(const QString &name) const
{
    if (name == nameBeforeRename)
        return {};
    if (name.isEmpty())
        return tr("A group needs a name.");
    // The file cuts a name at "=" and at a line break, and the main window's box cuts it at "(".
    for (const QChar c : {'=', '(', '\n', '\r'}) {
        if (name.contains(c))
            return tr("A group name cannot hold \"=\", \"(\" or a line break.");
    }
    if (name != currentGroupName && store.groups().contains(name))
        return tr("There is a group named \"%1\" already.").arg(name);
    return {};
}

void EditFileTypeGroup::txtEditedTypes()
{
    if (store.groups().contains(currentGroupName))
        store.setTypes(currentGroupName, ui.edTypes->toPlainText());
    showTypesHint();
}

void EditFileTypeGroup::newGroup()
{
    QString name = tr("New group");
    for (int n = 2; store.groups().contains(name); ++n)
        name = tr("New group %1").arg(n);
    store.setTypes(name, QString());
    // The names stay in the store's order.
    const int index = int(store.groups().keys().indexOf(name));
    ui.cbbGroupName->insertItem(index, name);
    ui.cbbGroupName->setCurrentIndex(index);
    ui.cbbGroupName->setFocus();
    ui.cbbGroupName->lineEdit()->selectAll();
}

void EditFileTypeGroup::deleteGroup()
{
    store.remove(currentGroupName);
    // The entry after it, or else the one before it, becomes current and is shown.
    ui.cbbGroupName->removeItem(ui.cbbGroupName->currentIndex());
}

// Sets an entry's text without touching what the user is typing: for the current entry the
// box would put the entry's text into its edit field.
void EditFileTypeGroup::setEntryText(int index, const QString &text)
{
    QLineEdit *edit = ui.cbbGroupName->lineEdit();
    const QString typed = edit->text();
    const int cursor = edit->cursorPosition();
    ui.cbbGroupName->setItemText(index, text);
    edit->setText(typed);
    edit->setCursorPosition(cursor);
}

// Found types are lower case and hold no dot; a space at either end is surely a typing slip.
void EditFileTypeGroup::showTypesHint()
{
    QStringList odd;
    const QStringList types
            = FileTypeGroupStore::oneLine(ui.edTypes->toPlainText()).split(QLatin1Char(';'));
    for (const QString &type : types) {
        if (type != type.toLower() || type.contains(QLatin1Char('.')) || type != type.trimmed())
            odd << QLatin1Char('"') + type + QLatin1Char('"');
    }
    ui.labelTypesHint->setText(
            odd.isEmpty() ? QString() : tr("Never matches a file type: %1").arg(odd.join(", ")));
}

void EditFileTypeGroup::updateEnabled()
{
    const bool any = ui.cbbGroupName->count() > 0;
    ui.cbbGroupName->setEnabled(any);
    ui.edTypes->setEnabled(any);
    ui.bnDelete->setEnabled(any);
}
