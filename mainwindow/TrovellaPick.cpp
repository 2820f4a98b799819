#include "Trovella.h"

#include "Prompt.h"

#include "core/FramePacer.h"
#include "core/Pick.h"
#include "core/PickRules.h"

void Trovella::pick()
{
    // Disabling the focused Pick would hand the focus on to Exit, where a second Space quits.
    if (QWidget *focused = focusWidget())
        focused->clearFocus();
    // Nothing may start a second pick inside this one: a group chosen or edited would
    // re-enable Pick, and the editor's dialog would hold the copy up.
    setChoiceEnabled(false);
    clearPickReport();

    // Fixed before the first copy: changes made while events run do not reach this pick.
    QSet<QString> checked;
    collectFileTypes(&checked, nullptr);
    Pick::Choice choice;
    choice.sourceFolder = srcFolder;
    choice.chosenFolder = desFolder;
    choice.files = fileList;
    // Ten million files take a while to go through.
    FramePacer pacer;
    pacer.start();
    choice.selection = pickSelection(fileList, checked, [&pacer] {
        if (pacer.due())
            pacer.runEvents();
    });
    // The folder the user chose stays as it is; this pick's target is derived from it.
    choice.targetFolder = pickedFolder = pickDestination(srcFolder, desFolder);
    choice.leftOut = leftOutByScan();
    choice.verify = cbVerifyCopies->isChecked();
    // Written now, not only at the end, so that a process killed mid-pick still knows where
    // the files went and which types were checked.
    QString memoryError;
    const bool memoryWritten = writeMemory(&memoryError);

    if (picksRunning++ == 0)
        pickStopRequested = false;
    // A large selection takes a while to check: the status bar says what is going on.
    ui.statusBar->showMessage(tr("Checking the destination…"));
    Pick::Hooks hooks;
    hooks.consent = [this](const QString &question) {
        return Prompt::question(this, tr("Pick"), question) == QMessageBox::Yes;
    };
    hooks.stopRequested = [this] { return pickStopped(); };
    hooks.keepResponsive = [this, &pacer](qint64 done, qint64 total) {
        if (!pacer.due())
            return;
        if (total >= 0)
            showPickProgress(done, total);
        pacer.runEvents();
    };
    hooks.copying = [this](qsizetype count) {
        ui.progressBar->setRange(0, int(count));
        ui.progressBar->setValue(0);
        ui.progressBar->show();
        startPickProgress();
    };
    hooks.handedOver = [this](const QString &target) {
        ui.progressBar->setValue(ui.progressBar->value() + 1);
        showCreating(target);
    };
    cbVerifyCopies->setEnabled(false);
    pickReport = Pick::run(choice, hooks);
    cbVerifyCopies->setEnabled(true);
    if (!memoryWritten)
        pickReport.setMemoryNotSaved(TypeMemory::filePath(srcFolder), memoryError);

    ui.progressBar->hide();
    showPickReport();
    // Pick stays off until the next change of the choice.
    setChoiceEnabled(true);
    ui.listFileTypes->setFocus();
    // A declined pick has not touched the destination: nothing new to view.
    if (!pickReport.declinedPick())
        ui.bnViewPickResult->setEnabled(true);
    if (--picksRunning == 0)
        pickStopRequested = false;
}

QList<QPair<QStringList, QString>> Trovella::leftOutByScan() const
{
    QList<QPair<QStringList, QString>> leftOut {
            {walkReport.unreadableFolderPaths, tr("the folder could not be read")},
            {walkReport.undecodablePaths, tr("the name is not valid UTF-8")}};
    return leftOut + leftOutByRules();
}
