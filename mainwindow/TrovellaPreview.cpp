#include "Trovella.h"

#include "TypeItemDelegate.h"

#include "core/Texts.h"

#include <QShortcut>

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

void Trovella::startSizing() { typeSizer.start(fileList); }

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
