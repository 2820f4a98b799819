#include "Trovella.h"

#include "FileCopier.h"
#include "PickRules.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>

namespace {
// Events run about once per display frame rather than after every file.
const qint64 frameMilliseconds = 16;

int countFailures(const QList<FileCopier::Result> &results)
{
    return int(std::count_if(results.cbegin(), results.cend(), [](const FileCopier::Result &r) {
        return r.outcome == FileCopier::Failed;
    }));
}
} // namespace

void Trovella::pick()
{
    // Disabling the focused Pick would hand the focus on to Exit, where a second Space quits.
    if (QWidget *focused = focusWidget())
        focused->clearFocus();
    // Nothing may start a second pick inside this one: a group chosen or edited would
    // re-enable Pick, and the editor's dialog would hold the copy up.
    const QList<QWidget *> blocked {ui.bnPick,        ui.bnSourceFolder, ui.bnDesFolder,
                                    ui.listFileTypes, ui.cbbFileTypes,   ui.bnEditFileTypeGroup};
    for (QWidget *widget : blocked)
        widget->setEnabled(false);

    // Fixed before the first copy: changes made while events run do not reach this pick.
    QSet<QString> checked;
    collectFileTypes(&checked, nullptr);
    const QList<QFileInfo> selection = pickSelection(fileList, checked);

    // The folder the user chose stays as it is; this pick's target is derived from it.
    const QString targetFolder = pickDestination(srcFolder, desFolder);
    pickedFolder = targetFolder;
    // Declined when the destination is short of room or names and the user says No.
    const PickPlan plan = startPick(selection, targetFolder);
    const QList<QFileInfo> toCopy = plan.go ? selection : QList<QFileInfo>();

    ui.progressBar->setRange(0, int(toCopy.size()));
    ui.progressBar->setValue(0);
    ui.progressBar->show();

    const QDir source(srcFolder);
    const QDir destination(targetFolder);
    FileCopier copier;
    int failures = 0;
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    const auto keepResponsive = [&sinceEvents] {
        if (sinceEvents.elapsed() >= frameMilliseconds) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
    };
    copier.setKeepResponsive(keepResponsive);
    for (const QFileInfo &file : toCopy) {
        const QString sourcePath = file.absoluteFilePath();
        const QString target = destination.absoluteFilePath(source.relativeFilePath(sourcePath));
        if (plan.unstorable.contains(sourcePath)) {
            ++failures;
            qWarning("Could not copy %s to %s: the destination cannot store this name",
                     qUtf8Printable(sourcePath), qUtf8Printable(target));
        } else {
            copier.copy(sourcePath, target);
            failures += countFailures(copier.takeResults());
        }
        ui.progressBar->setValue(ui.progressBar->value() + 1);
        ui.statusBar->showMessage(tr("Creating: ") + target, 1000);
        keepResponsive();
        if (!isVisible() || pickStopRequested)
            break;
    }
    // Files already copied in the batch in hand still get their names, also after a stop.
    copier.finish();
    failures += countFailures(copier.takeResults());

    ui.progressBar->hide();
    const int unhandled = int(toCopy.size()) - ui.progressBar->value();
    if (!plan.go)
        ui.statusBar->showMessage(tr("Nothing was copied."), 2000);
    else if (pickStopRequested && unhandled + failures == 1)
        ui.statusBar->showMessage(tr("Stopped. 1 file was not copied."), 2000);
    else if (pickStopRequested && unhandled > 0)
        ui.statusBar->showMessage(
                tr("Stopped. %n files were not copied.", nullptr, unhandled + failures), 2000);
    else if (failures == 0)
        ui.statusBar->showMessage(tr("Finished."), 2000);
    else if (failures == 1)
        ui.statusBar->showMessage(tr("Finished. 1 file could not be copied."), 2000);
    else
        ui.statusBar->showMessage(tr("Finished. %n files could not be copied.", nullptr, failures),
                                  2000);

    // Pick stays off until the next change of the choice.
    for (QWidget *widget : blocked) {
        if (widget != ui.bnPick)
            widget->setEnabled(true);
    }
    ui.listFileTypes->setFocus();
    // A declined pick has not touched the destination: nothing new to view.
    if (plan.go)
        ui.bnViewPickResult->setEnabled(true);
    pickEnded();
}
