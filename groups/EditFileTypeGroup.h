#pragma once

#include "FileTypeGroupStore.h"
#include "ui_EditFileTypeGroup.h"

#include <QDialog>
#include <QString>

// Edits a copy of the groups; the caller takes them back with groups() after OK.
class EditFileTypeGroup : public QDialog
{
    Q_OBJECT

public:
    explicit EditFileTypeGroup(const FileTypeGroupStore &groups, QWidget *parent = nullptr,
                               Qt::WindowFlags flags = {});
    ~EditFileTypeGroup() override;

    // The edited groups, each type list on one line as the file holds it.
    FileTypeGroupStore groups() const;

private slots:
    void selChanged(QString sel);
    void txtEdited(QString txt);
    void txtEditedTypes();
    void newGroup();
    void deleteGroup();

private:
    QString nameProblem(const QString &name) const;
    void setEntryText(int index, const QString &text);
    void showTypesHint();
    void updateEnabled();

    Ui_DlgEditFileTypeGroup ui;
    FileTypeGroupStore store;
    QString currentGroupName;
    // The name the group being edited had when it became current: a rename that cannot be
    // applied puts it back, so no name typed on the way survives.
    QString nameBeforeRename;
};
