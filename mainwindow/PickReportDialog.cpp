#include "PickReportDialog.h"

#include "core/Logging.h"

#include "PickReportModel.h"
#include "Prompt.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QSaveFile>

PickReportDialog::PickReportDialog(const PickReport &report, const QString &csvName,
                                   QWidget *parent)
    : QDialog(parent)
    , report(report)
    , csvName(csvName)
    , model(new PickReportModel(report, this))
{
    ui.setupUi(this);

    proxy.setSourceModel(model);
    proxy.setFilterRole(PickReportModel::OutcomeRole);
    ui.tableFiles->setModel(&proxy);
    // Fixed widths: measuring a hundred thousand rows would keep the dialog from opening.
    ui.tableFiles->horizontalHeader()->resizeSection(0, 170);
    ui.tableFiles->horizontalHeader()->resizeSection(1, 190);
    ui.tableFiles->horizontalHeader()->resizeSection(2, 220);
    ui.tableFiles->sortByColumn(-1, Qt::AscendingOrder);
    // Long paths lose their middle, and the tooltip holds them whole; the columns scroll
    // sideways, and Tab moves on to the next widget instead of the next cell.
    for (QTableView *table : {ui.tableFiles, static_cast<QTableView *>(ui.tableTypes)}) {
        table->setTextElideMode(Qt::ElideMiddle);
        table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        table->setTabKeyNavigation(false);
    }

    const QLocale locale;
    int listed = 0;
    for (int outcome = PickReport::Same; outcome < PickReport::outcomeCount; ++outcome)
        listed += report.count(PickReport::Outcome(outcome));
    ui.cbbOutcome->addItem(tr("Everything listed (%1)").arg(locale.toString(listed)), -1);
    for (int outcome = 0; outcome < PickReport::outcomeCount; ++outcome) {
        const auto o = PickReport::Outcome(outcome);
        ui.cbbOutcome->addItem(QStringLiteral("%1 (%2)").arg(PickReport::outcomeText(o),
                                                             locale.toString(report.count(o))),
                               outcome);
    }
    connect(ui.cbbOutcome, &QComboBox::currentIndexChanged, this, &PickReportDialog::showOutcome);

    QStringList titles {tr("Type")};
    for (int outcome = 0; outcome <= PickReport::NotReached; ++outcome)
        titles << PickReport::outcomeText(PickReport::Outcome(outcome));
    ui.tableTypes->setColumnCount(int(titles.size()));
    ui.tableTypes->setHorizontalHeaderLabels(titles);
    ui.tableTypes->setRowCount(int(report.typeCounts().size()));
    int row = 0;
    for (auto it = report.typeCounts().cbegin(); it != report.typeCounts().cend(); ++it, ++row) {
        ui.tableTypes->setItem(row, 0, new QTableWidgetItem(it.key()));
        for (int outcome = 0; outcome <= PickReport::NotReached; ++outcome) {
            auto *item = new QTableWidgetItem;
            item->setData(Qt::DisplayRole, it.value()[outcome]);
            ui.tableTypes->setItem(row, outcome + 1, item);
        }
    }
    ui.tableTypes->sortByColumn(0, Qt::AscendingOrder);
    ui.tableTypes->resizeColumnsToContents();

    connect(ui.bnSave, &QPushButton::clicked, this, &PickReportDialog::save);
}

void PickReportDialog::showOutcome(int index)
{
    const int outcome = ui.cbbOutcome->itemData(index).toInt();
    proxy.setFilterRegularExpression(outcome < 0 ? QString() : QStringLiteral("^%1$").arg(outcome));
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
    if (file.open(QIODevice::WriteOnly) && report.writeCsv(&file) && file.commit())
        return;
    qCWarning(lcCopy, "Could not save the pick details to %s: %s", qUtf8Printable(path),
              qUtf8Printable(file.errorString()));
    Prompt::warning(this, tr("Save the Pick Details"),
                    tr("The details could not be saved to %1: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
}
