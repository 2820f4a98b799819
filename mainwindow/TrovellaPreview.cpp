#include "Trovella.h"

#include "Prompt.h"
#include "TypeItemDelegate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QShortcut>

namespace {
// The question names no more than this many files.
const qsizetype namesShown = 10;

QString sizeText(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}
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
        for (int row = 0; row < ui.listFileTypes->count(); ++row)
            showTypeFigures(ui.listFileTypes->item(row));
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
    for (int row = 0; row < ui.listFileTypes->count(); ++row) {
        const QListWidgetItem *item = ui.listFileTypes->item(row);
        if (item->checkState() == Qt::Checked)
            total += typeStatistics.figures(item->text());
    }
    // Plain plurals: without a translation "%n file(s)" would reach the user as it stands.
    const QString selected = total.files == 1
            ? tr("Selected: 1 file, %1")
            : tr("Selected: %Ln files, %1", nullptr, int(total.files));
    shownSummary = selected.arg(TypeStatistics::sizeText(total));
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
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    PickPlan plan = PickPreflight::check(srcFolder, target, selection, [&sinceEvents] {
        // The widgets that could change the pick are disabled by now.
        if (sinceEvents.elapsed() >= 16) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
    });
    if (!plan.needsConsent())
        return plan;

    QStringList lines;
    if (plan.lacksSpace())
        lines << tr("%1 are needed and %2 are free.")
                         .arg(sizeText(plan.bytesNeeded), sizeText(plan.bytesFree));
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
