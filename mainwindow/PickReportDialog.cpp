#include "PickReportDialog.h"

#include "core/Journal.h"
#include "core/Logging.h"
#include "core/Texts.h"

#include "PickReportModel.h"
#include "Prompt.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QSaveFile>

namespace {
// The message after an undo names no more than this many of the files it left.
const qsizetype namesShown = 10;
} // namespace

PickReportDialog::PickReportDialog(const PickReport &report, const QString &journal,
                                   const QString &csvName, QWidget *parent)
    : QDialog(parent)
    , report(report)
    , journal(journal)
    , csvName(csvName)
    , model(new PickReportModel(report, journal, this))
{
    ui.setupUi(this);

    ui.tableFiles->setModel(model);
    // Fixed widths: measuring a hundred thousand rows would keep the dialog from opening.
    ui.tableFiles->horizontalHeader()->resizeSection(0, 170);
    ui.tableFiles->horizontalHeader()->resizeSection(1, 190);
    ui.tableFiles->horizontalHeader()->resizeSection(2, 220);
    // Long paths lose their middle, and the tooltip holds them whole; the columns scroll
    // sideways, and Tab moves on to the next widget instead of the next cell.
    for (QTableView *table : {ui.tableFiles, static_cast<QTableView *>(ui.tableTypes)}) {
        table->setTextElideMode(Qt::ElideMiddle);
        table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        table->setTabKeyNavigation(false);
    }

    QStringList titles {tr("Type")};
    for (int outcome = 0; outcome <= PickReport::NotReached; ++outcome)
        titles << PickReport::outcomeText(PickReport::Outcome(outcome));
    ui.tableTypes->setColumnCount(int(titles.size()));
    ui.tableTypes->setHorizontalHeaderLabels(titles);
    PickReport::Counts counts;
    for (int outcome = 0; outcome < PickReport::outcomeCount; ++outcome)
        counts[outcome] = report.count(PickReport::Outcome(outcome));
    showCounts(counts, report.typeCounts());

    connect(ui.cbbOutcome, &QComboBox::currentIndexChanged, this, &PickReportDialog::showOutcome);
    connect(model, &PickReportModel::journalIndexed, this, &PickReportDialog::journalIndexed);
    connect(ui.bnSave, &QPushButton::clicked, this, &PickReportDialog::save);
    connect(ui.bnSaveChecksums, &QPushButton::clicked, this, &PickReportDialog::saveChecksums);
    connect(ui.bnUndo, &QPushButton::clicked, this, &PickReportDialog::undo);
}

PickReportDialog::~PickReportDialog()
{
    // An undo under way runs to its end: the journal is marked undone only once it is through.
    if (undoing)
        undoing->wait();
}

void PickReportDialog::reject()
{
    if (!undoing)
        QDialog::reject();
}

void PickReportDialog::showCounts(const PickReport::Counts &counts,
                                  const QHash<QString, PickReport::Counts> &typeCounts)
{
    const QLocale locale;
    const int current = ui.cbbOutcome->currentIndex();
    const QSignalBlocker quiet(ui.cbbOutcome);
    ui.cbbOutcome->clear();
    int listed = 0;
    for (const int count : counts)
        listed += count;
    ui.cbbOutcome->addItem(tr("Everything listed (%1)").arg(locale.toString(listed)), -1);
    for (int outcome = 0; outcome < PickReport::outcomeCount; ++outcome) {
        const auto o = PickReport::Outcome(outcome);
        ui.cbbOutcome->addItem(QStringLiteral("%1 (%2)").arg(PickReport::outcomeText(o),
                                                             locale.toString(counts[outcome])),
                               outcome);
    }
    ui.cbbOutcome->setCurrentIndex(qMax(current, 0));

    ui.tableTypes->setSortingEnabled(false);
    ui.tableTypes->setRowCount(int(typeCounts.size()));
    int row = 0;
    for (auto it = typeCounts.cbegin(); it != typeCounts.cend(); ++it, ++row) {
        ui.tableTypes->setItem(row, 0, new QTableWidgetItem(it.key()));
        for (int outcome = 0; outcome <= PickReport::NotReached; ++outcome) {
            auto *item = new QTableWidgetItem;
            item->setData(Qt::DisplayRole, it.value()[outcome]);
            ui.tableTypes->setItem(row, outcome + 1, item);
        }
    }
    ui.tableTypes->setSortingEnabled(true);
    ui.tableTypes->sortByColumn(0, Qt::AscendingOrder);
    ui.tableTypes->resizeColumnsToContents();
}

void PickReportDialog::journalIndexed()
{
    const Journal::Index *index = model->journal();
    // After a restart the journal alone knows the counts.
    showCounts(index->counts, index->typeCounts);
    const int copied = index->counts[PickReport::Copied];
    ui.bnSaveChecksums->setEnabled(index->head.verified && copied > 0);
    // Only the last pick of a source folder can be undone: a later one may lean on its files.
    ui.bnUndo->setEnabled(!index->undone && copied > 0
                          && Journal::lastOf(index->head.source) == journal);
}

void PickReportDialog::showOutcome(int index)
{
    model->setOutcome(ui.cbbOutcome->itemData(index).toInt());
}

void PickReportDialog::save()
{
    QString path
            = Prompt::saveFile(this, tr("Save the Pick Details"), csvName, tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    // A name typed without a suffix, as "s3", is meant as a CSV file.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)
        && (journal.isEmpty() ? report.writeCsv(&file) : Journal::writeCsv(journal, &file))
        && file.commit())
        return;
    qCWarning(lcCopy, "Could not save the pick details to %s: %s", qUtf8Printable(path),
              qUtf8Printable(file.errorString()));
    Prompt::warning(this, tr("Save the Pick Details"),
                    tr("The details could not be saved to %1: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
}

void PickReportDialog::saveChecksums()
{
    // In the pick's target folder, where "xxh128sum -c" finds the files by the listed paths.
    const QString title = tr("Save Checksums");
    const QString start
            = QDir(model->journal()->head.target)
                      .filePath(QFileInfo(csvName).completeBaseName() + QStringLiteral(".xxh128"));
    const QString path = Prompt::saveFile(this, title, start, tr("Checksum lists (*.xxh128)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    int skipped = 0;
    if (!file.open(QIODevice::WriteOnly) || Journal::writeChecksums(journal, &file, &skipped) < 0
        || !file.commit()) {
        qCWarning(lcCopy, "Could not save the checksums to %s: %s", qUtf8Printable(path),
                  qUtf8Printable(file.errorString()));
        Prompt::warning(this, title,
                        tr("The checksums could not be saved to %1: %2")
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
    } else if (skipped > 0) {
        Prompt::warning(this, title,
                        Texts::plural<PickReportDialog>(
                                skipped,
                                QT_TR_NOOP("1 file with a line break in the name is not in the "
                                           "list: xxh128sum cannot read such names."),
                                QT_TR_N_NOOP("%Ln files with a line break in the name are not in "
                                             "the list: xxh128sum cannot read such names.")));
    }
}

void PickReportDialog::undo()
{
    const Journal::Index *index = model->journal();
    const QString title = tr("Undo This Pick");
    const QString question
            = Texts::plural<PickReportDialog>(
                      index->counts[PickReport::Copied],
                      QT_TR_NOOP("Remove the file this pick copied to %1, and the folders it made "
                                 "that are empty then? Files changed since the pick and files "
                                 "that were there before it stay."),
                      QT_TR_N_NOOP("Remove the %Ln files this pick copied to %1, and the folders "
                                   "it made that are empty then? Files changed since the pick and "
                                   "files that were there before it stay."))
                      .arg(QDir::toNativeSeparators(index->head.target));
    if (Prompt::question(this, title, question) != QMessageBox::Yes)
        return;
    // Checking and removing a million files takes a while: the window stays live meanwhile,
    // the dialog with its buttons off.
    held.clear();
    for (QPushButton *button : {ui.bnSave, ui.bnSaveChecksums, ui.bnUndo, ui.bnClose}) {
        if (button->isEnabled())
            held << button;
        button->setEnabled(false);
    }
    undoing.reset(QThread::create([this] { undone = Journal::undo(journal); }));
    connect(undoing.get(), &QThread::finished, this, &PickReportDialog::undoFinished);
    undoing->start();
}

void PickReportDialog::undoFinished()
{
    undoing->wait();
    undoing.reset();
    for (QPushButton *button : std::as_const(held))
        button->setEnabled(button != ui.bnUndo);
    const QString title = tr("Undo This Pick");
    if (!undone.readable) {
        Prompt::warning(this, title,
                        tr("The record of this pick could not be read: %1").arg(journal));
        return;
    }
    QStringList lines {Texts::plural<PickReportDialog>(undone.files, QT_TR_NOOP("Removed 1 file."),
                                                       QT_TR_N_NOOP("Removed %Ln files."))};
    if (undone.folders > 0)
        lines << Texts::plural<PickReportDialog>(undone.folders,
                                                 QT_TR_NOOP("Removed 1 empty folder."),
                                                 QT_TR_N_NOOP("Removed %Ln empty folders."));
    if (!undone.left.isEmpty())
        lines << Texts::plural<PickReportDialog>(int(undone.left.size()),
                                                 QT_TR_NOOP("Left 1 file:"),
                                                 QT_TR_N_NOOP("Left %Ln files:"));
    for (const auto &[path, reason] : undone.left.mid(0, namesShown))
        lines << tr("    %1: %2").arg(QDir::toNativeSeparators(path), reason);
    if (undone.left.size() > namesShown)
        lines << tr("    and %1 more").arg(QLocale().toString(undone.left.size() - namesShown));
    Prompt::information(this, title, lines.join(QLatin1Char('\n')));
}
