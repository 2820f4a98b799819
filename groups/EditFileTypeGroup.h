#pragma once

#include "FileTypeGroupStore.h"
#include "ui_EditFileTypeGroup.h"

#include <QDialog>
#include <QString>

// Edits the main window's groups in place while the user types.
class EditFileTypeGroup : public QDialog
{
    Q_OBJECT

public:
    explicit EditFileTypeGroup(FileTypeGroupStore *store, QWidget *parent = nullptr,
                               Qt::WindowFlags flags = {});
    ~EditFileTypeGroup() override;

private slots:
    void selChanged(QString sel);
    void txtEdited(QString txt);
    void txtEditedTypes();

private:
    Ui_DlgEditFileTypeGroup ui;
    FileTypeGroupStore *store;
    QString currentGroupName;
};
