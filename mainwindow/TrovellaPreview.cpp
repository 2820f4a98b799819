#include "Trovella.h"

#include "Prompt.h"
#include "TypeItemDelegate.h"

#include "core/FramePacer.h"
#include "core/Texts.h"

#include <QLocale>
#include <QShortcut>

namespace {
// The question names no more than this many files.
const qsizetype namesShown = 10;
} // namespace

void Trovella::setUpPreview()
{
    ui.listFileTypes->setItemDelegate(new TypeItemDelegate(ui.listFileTypes));
    connect(&typeSizer, &TypeSizer::sized, this, &Trovella::typeSizesFound);

    // A shortcut, not a key handler: the pick lets events run, so Esc reaches it mid-copy.
    auto *stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    stop->setObjectName(QStringLiteral("stopPickShortcut"));
    connect(stop, &QShortcut::activated, this, [this] {
        if (picksRunning > 0)
            pickStopRequested = true;
    });
}

void Trovella::startSizing()
{
    typeSizer.start(typeStatistics.takePaths(), int(typeStatistics.types().size()));
}

void Trovella::showTypeFigures(QListWidgetItem *item)
{
    TypeItemDelegate::setFigures(item, typeStatistics.figures(item->text()));
}

void Trovella::typeSizesFound(const QList<qint64> &bytes, const QList<qint64> &files)
{
    typeStatistics.addSizes(bytes, files);
    {
        // New figures are no change of the user's choice.
        const QSignalBlocker blocker(ui.listFileTypes);
        for (QListWidgetItem *item : typeItems())
            showTypeFigures(item);
    }
    if (!shownSummary.isEmpty() && ui.statusBar->currentMessage() == shownSummary)
        showSelectionSummary();
}

void Trovella::showSelectionSummary()
{
    // A pick's own messages own the status bar while it runs.
    if (picksRunning > 0)
        return;
    // So does its account afterwards, until the next pick, scan or destination.
    if (!pickMessage.isEmpty() && ui.statusBar->currentMessage() == pickMessage)
        return;
    TypeStatistics::Figures total;
    for (const QListWidgetItem *item : typeItems()) {
        if (item->checkState() == Qt::Checked)
            total += typeStatistics.figures(item->text());
    }
    shownSummary = Texts::plural<Trovella>(int(total.files), QT_TR_NOOP("Selected: 1 file, %1"),
                                           QT_TR_N_NOOP("Selected: %Ln files, %1"))
                           .arg(TypeStatistics::sizeText(total));
    ui.statusBar->showMessage(shownSummary);
}

void Trovella::showSelectionSummaryAfterScan()
{
    // A report of what the walk could not read stays in view.
    if (ui.statusBar->currentMessage().isEmpty())
        showSelectionSummary();
}

PickPlan Trovella::startPick(const QList<QFileInfo> &selection, const QString &target)
{
    if (picksRunning++ == 0)
        pickStopRequested = false;
    // A large selection takes a while to check: the status bar says what is going on.
    ui.statusBar->showMessage(tr("Checking the destination…"));
    FramePacer pacer;
    pacer.start();
    // The widgets that could change the pick are disabled by now. Exit, Esc or a termination
    // signal stops the check, and the pick copies nothing.
    PickPlan plan = PickPreflight::check(srcFolder, target, selection, [this, &pacer] {
        if (pacer.due())
            pacer.runEvents();
        return !pickStopped();
    });
    if (!plan.go || !plan.needsConsent())
        return plan;

    QStringList lines;
    if (plan.lacksSpace())
        lines << tr("%1 are needed and %2 are free.")
                         .arg(Texts::size(plan.bytesNeeded), Texts::size(plan.bytesFree));
    if (!plan.unstorableNames.isEmpty()) {
        lines << tr("The destination cannot store these names; they will not be copied:");
        for (const QString &name : plan.unstorableNames.mid(0, namesShown))
            lines << QStringLiteral("    ") + name;
        if (plan.unstorableNames.size() > namesShown)
            lines << tr("    and %1 more")
                             .arg(QLocale().toString(plan.unstorableNames.size() - namesShown));
    }
    if (plan.existing > 0)
        lines << tr("%1 of the files exist there already and are left alone.")
                         .arg(QLocale().toString(plan.existing));
    lines << tr("Pick anyway?");
    plan.go = Prompt::question(this, tr("Pick"), lines.join(QLatin1Char('\n'))) == QMessageBox::Yes;
    return plan;
}

void Trovella::pickEnded()
{
    if (--picksRunning == 0)
        pickStopRequested = false;
}
