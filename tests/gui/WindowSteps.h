#pragma once

#include "GuiTest.h"
#include "core/TestFiles.h"

#include "mainwindow/Trovella.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

// Steps of a user at the main window, for the tests that drive it.

inline void chooseDestination(Trovella &window, const QString &path)
{
    whenModalOpens([path](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    ::findChild<QPushButton>(&window, "bnDesFolder")->click();
}

// Scans source and checks the given types; false when the list stays empty.
inline bool scanAndCheck(Trovella &window, const QString &source, const QStringList &types)
{
    QMetaObject::invokeMethod(&window, "setSrcFolder", Q_ARG(QString, source));
    auto *list = ::findChild<QListWidget>(&window, "listFileTypes");
    for (int row = 0; row < list->count(); ++row) {
        if (types.contains(list->item(row)->text()))
            list->item(row)->setCheckState(Qt::Checked);
    }
    return list->count() > 0;
}

// A pick of count small .txt files from source into destination, shown and ready to press.
inline bool readyForLongPick(Trovella &window, const QString &source, const QString &destination,
                             int count)
{
    for (int i = 0; i < count; ++i)
        TestFiles::writeFile(QString("%1/d%2/f%3.txt").arg(source).arg(i % 10).arg(i),
                             QByteArray::number(i));
    QDir().mkpath(destination);
    window.show();
    chooseDestination(window, destination);
    return scanAndCheck(window, source, {"txt"});
}
