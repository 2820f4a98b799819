#include "Trovella.h"

#include "app/Logging.h"

#include "companion/Dir.h"
#include "core/FileType.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QThreadPool>

#include <utility>

namespace {
// Let the window repaint at once, then at most about once a frame.
const qint64 fillEventInterval = 16;

// Folders the walk could not enter and names it could not decode are worth a word.
void reportWalkLosses(const Mv::WalkReport &report, const QString &folder, QStatusBar *statusBar)
{
    // Plain plurals: without a translation "%n file(s)" would reach the user as it stands.
    QStringList losses;
    const int folders = report.unreadableFolders;
    if (folders == 1)
        losses << Trovella::tr("1 folder could not be read.");
    else if (folders > 1)
        losses << Trovella::tr("%n folders could not be read.", nullptr, folders);
    const int names = report.undecodableNames;
    if (names == 1)
        losses << Trovella::tr("1 file has a name that cannot be read and was left out.");
    else if (names > 1)
        losses << Trovella::tr("%n files have names that cannot be read and were left out.",
                               nullptr, names);
    if (losses.isEmpty())
        return;
    const QString message = losses.join(QLatin1Char(' '));
    statusBar->showMessage(message);
    qCWarning(lcScan, "Scan of %s: %s", qUtf8Printable(folder), qUtf8Printable(message));
}
} // namespace

void Trovella::setSrcFolder(QString folder)
{
    if (!QDir(folder).exists())
        return;
    // The list about to go holds the user's choices for the folder shown so far.
    writeMemory();
    const quint64 generation = ++scanGeneration;
    clearPickReport();
    scanComplete = false;

    srcFolder = folder;
    ui.edSrcFolder->setPlainText(srcFolder);
    // Freeing a million entries takes a while: a pool thread does it, not the window's.
    QThreadPool::globalInstance()->start(
            [old = std::exchange(fileList, {})]() mutable { QList<QFileInfo>().swap(old); });
    typeSizer.stop();

    // While the walk lets events run, nothing may start another scan or a pick, nor change
    // the old items whose changes would re-enable Pick; Exit stays and cancels the walk.
    const QList<QWidget *> blocked {ui.bnSourceFolder,      ui.bnDesFolder,  ui.bnPick,
                                    ui.bnEditFileTypeGroup, ui.cbbFileTypes, ui.listFileTypes};
    // Disabling the focused Browse would hand the focus on to Exit, where a Space quits.
    const QPointer<QWidget> focused = focusWidget();
    if (focused)
        focused->clearFocus();
    for (QWidget *widget : blocked)
        widget->setEnabled(false);
    // Types are counted as the files arrive, on the walk's threads, so that the list can fill
    // as soon as the walk ends.
    TypeStatistics arriving;
    QList<qsizetype> memoryFiles;
    Mv::Dir::GetAllFiles(srcFolder, fileList, ui.statusBar,
                         [&](const QFileInfo *files, qsizetype count, qsizetype first) {
                             for (qsizetype i = 0; i < count; ++i) {
                                 const QString path = files[i].filePath();
                                 const QStringView suffix = fileSuffix(path);
                                 if (suffix == QLatin1String("trovella"))
                                     memoryFiles.append(first + i);
                                 else
                                     arriving.add(path, suffix);
                             }
                         });
    const Mv::WalkReport report = Mv::Dir::lastReport();
    walkReport = report;
    typeStatistics = std::move(arriving);

    for (QWidget *widget : blocked) {
        if (widget != ui.bnPick)
            widget->setEnabled(true);
    }
    if (focused && !focusWidget())
        focused->setFocus();
    if (generation != scanGeneration)
        return;
    reportWalkLosses(report, srcFolder, ui.statusBar);
    for (auto it = memoryFiles.crbegin(); it != memoryFiles.crend(); ++it)
        fileList.removeAt(*it);
    startSizing();
    const QStringList types = typeStatistics.types();

    QStringList checkedList;
    QStringList uncheckedList;
    readMemory(&checkedList, &uncheckedList);
    const QSet<QString> rememberedChecked(checkedList.cbegin(), checkedList.cend());
    const QSet<QString> rememberedUnchecked(uncheckedList.cbegin(), uncheckedList.cend());

    ui.listFileTypes->clear();
    QElapsedTimer sinceEvents;
    for (const QString &type : std::as_const(types)) {
        auto *item = new QListWidgetItem(type);
        const bool checked = rememberedChecked.contains(type);
        const bool known = checked || rememberedUnchecked.contains(type);
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        item->setForeground(known ? Qt::black : Qt::red);
        showTypeFigures(item);
        ui.listFileTypes->addItem(item);
        if (!sinceEvents.isValid() || sinceEvents.elapsed() >= fillEventInterval) {
            QCoreApplication::processEvents();
            // A scan started meanwhile owns the list now.
            if (generation != scanGeneration)
                return;
            sinceEvents.start();
        }
    }

    scanComplete = !report.cancelled;
    applyPickRule();
    showSelectionSummaryAfterScan();
}

void Trovella::collectFileTypes(QSet<QString> *checked, QSet<QString> *unchecked)
{
    for (int row = 0; row < ui.listFileTypes->count(); ++row) {
        const QListWidgetItem *item = ui.listFileTypes->item(row);
        if (!item)
            continue;
        if (item->checkState() == Qt::Checked) {
            if (checked)
                checked->insert(item->text());
        } else if (item->checkState() == Qt::Unchecked && unchecked) {
            unchecked->insert(item->text());
        }
    }
}
