#include "Trovella.h"

#include "app/Logging.h"

#include "core/FileCopier.h"
#include "core/FramePacer.h"
#include "core/PickRules.h"

#include <QDir>

#include <cerrno>

namespace {
void account(PickReport &report, const QList<FileCopier::Result> &results)
{
    for (const FileCopier::Result &r : results) {
        if (r.outcome == FileCopier::Copied)
            report.addCopied(r.source, r.bytes);
        else if (r.outcome == FileCopier::AlreadyExists)
            report.add(PickReport::Same, r.source, r.target, r.reason);
        else if (r.outcome == FileCopier::ExistsDifferent)
            report.add(PickReport::Different, r.source, r.target, r.reason);
        else
            report.add(PickReport::Failed, r.source, r.target, r.reason);
        if (r.unsettled)
            report.setConnectionLost();
    }
}
} // namespace

void Trovella::pick()
{
    // Disabling the focused Pick would hand the focus on to Exit, where a second Space quits.
    if (QWidget *focused = focusWidget())
        focused->clearFocus();
    // Nothing may start a second pick inside this one: a group chosen or edited would
    // re-enable Pick, and the editor's dialog would hold the copy up.
    setChoiceEnabled(false);

    clearPickReport();
    pickReport = PickReport();

    // Fixed before the first copy: changes made while events run do not reach this pick.
    QSet<QString> checked;
    collectFileTypes(&checked, nullptr);
    const QList<QFileInfo> selection = pickSelection(fileList, checked);

    // The folder the user chose stays as it is; this pick's target is derived from it.
    const QString targetFolder = pickDestination(srcFolder, desFolder);
    pickedFolder = targetFolder;
    // Written now, not only at the end, so that a process killed mid-pick still knows where
    // the files went and which types were checked.
    writeMemory();
    // Declined when the destination is short of room or names and the user says No.
    const PickPlan plan = startPick(selection, targetFolder);
    copyFiles(plan.go ? selection : QList<QFileInfo>(), targetFolder, plan);
    if (plan.go) {
        pickReport.addLeftOut(walkReport.unreadableFolderPaths, tr("the folder could not be read"));
        pickReport.addLeftOut(walkReport.undecodablePaths, tr("the name is not valid UTF-8"));
    } else {
        pickReport.setDeclined();
    }

    ui.progressBar->hide();
    showPickReport();

    // Pick stays off until the next change of the choice.
    setChoiceEnabled(true);
    ui.listFileTypes->setFocus();
    // A declined pick has not touched the destination: nothing new to view.
    if (plan.go)
        ui.bnViewPickResult->setEnabled(true);
    pickEnded();
}

void Trovella::copyFiles(const QList<QFileInfo> &toCopy, const QString &targetFolder,
                         const PickPlan &plan)
{
    ui.progressBar->setRange(0, int(toCopy.size()));
    ui.progressBar->setValue(0);
    ui.progressBar->show();

    const QDir source(srcFolder);
    const QDir destination(targetFolder);
    const auto targetOf = [&source, &destination](const QString &sourcePath) {
        return destination.absoluteFilePath(source.relativeFilePath(sourcePath));
    };
    FileCopier copier;
    copier.setDestination(targetFolder);
    startPickProgress();
    FramePacer pacer;
    pacer.start();
    const auto keepResponsive = [this, &pacer, &copier, &plan] {
        if (pacer.due()) {
            showPickProgress(copier.bytesDone(), plan.bytesToCopy);
            pacer.runEvents();
        }
    };
    copier.setKeepResponsive(keepResponsive);
    // What interrupted picks left in the destination goes first, and the account says so.
    if (!toCopy.isEmpty()) {
        const Staging::Removed removed = copier.removeLeftovers(desFolder);
        pickReport.setLeftoversRemoved(removed.files, removed.bytes);
    }
    qsizetype handled = 0;
    // A stop before the first file, as during the question, copies nothing.
    while (handled < toCopy.size() && !pickStopped()) {
        const QString sourcePath = toCopy.at(handled++).absoluteFilePath();
        const QString target = targetOf(sourcePath);
        if (plan.unstorable.contains(sourcePath)) {
            pickReport.add(PickReport::Failed, sourcePath, target,
                           FileCopier::plainReason(EINVAL, false));
            qCWarning(lcCopy, "Could not copy %s to %s: the destination cannot store this name",
                      qUtf8Printable(sourcePath), qUtf8Printable(target));
        } else {
            copier.copy(sourcePath, target);
            account(pickReport, copier.takeResults());
        }
        ui.progressBar->setValue(ui.progressBar->value() + 1);
        showCreating(target);
        keepResponsive();
    }
    // Files already copied in the batch in hand still get their names, also after a stop.
    copier.finish();
    account(pickReport, copier.takeResults());
    if (handled < toCopy.size())
        pickReport.setStopped();
    for (; handled < toCopy.size(); ++handled) {
        const QString sourcePath = toCopy.at(handled).absoluteFilePath();
        pickReport.add(PickReport::NotReached, sourcePath, targetOf(sourcePath));
    }
}
