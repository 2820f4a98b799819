#include "Trovella.h"

#include "core/Logging.h"

#include "companion/Dir.h"
#include "core/FileType.h"
#include "core/FramePacer.h"
#include "core/Texts.h"

#include <QDir>
#include <QPointer>
#include <QThreadPool>

#include <utility>

namespace {
// Folders the walk could not enter and names it could not decode are worth a word.
void reportWalkLosses(const Mv::WalkReport &report, const QString &folder, QStatusBar *statusBar)
{
    QStringList losses;
    if (report.unreadableFolders > 0)
        losses << Texts::plural<Trovella>(
                report.unreadableFolders,
                QT_TRANSLATE_NOOP("Trovella", "1 folder could not be read."),
                QT_TRANSLATE_N_NOOP("Trovella", "%n folders could not be read."));
    if (report.undecodableNames > 0)
        losses << Texts::plural<Trovella>(
                report.undecodableNames,
                QT_TRANSLATE_NOOP("Trovella",
                                  "1 file has a name that cannot be read and was left out."),
                QT_TRANSLATE_N_NOOP("Trovella",
                                    "%n files have names that cannot be read and "
                                    "were left out."));
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

    const QList<qsizetype> memoryFiles = walkSource();
    if (generation != scanGeneration)
        return;
    reportWalkLosses(walkReport, srcFolder, ui.statusBar);
    showClutter();
    for (auto it = memoryFiles.crbegin(); it != memoryFiles.crend(); ++it)
        fileList.removeAt(*it);
    startSizing();
    if (!fillTypeList(generation))
        return;
    scanComplete = !walkReport.cancelled;
    applyPickRule();
    showSelectionSummaryAfterScan();
    showLastPick();
}

QList<qsizetype> Trovella::walkSource()
{
    // While the walk lets events run, nothing may start another scan or a pick, nor change
    // the old items whose changes would re-enable Pick; Exit stays and cancels the walk.
    // Disabling the focused Browse would hand the focus on to Exit, where a Space quits.
    const QPointer<QWidget> focused = focusWidget();
    if (focused)
        focused->clearFocus();
    setChoiceEnabled(false);
    // Types are counted as the files arrive, on the walk's threads, so that the list can fill
    // as soon as the walk ends.
    TypeStatistics arriving;
    QList<qsizetype> memoryFiles;
    Mv::Dir::GetAllFiles(
            srcFolder, fileList, ui.statusBar,
            [&](const QFileInfo *files, qsizetype count, qsizetype first) {
                for (qsizetype i = 0; i < count; ++i) {
                    const QString path = files[i].filePath();
                    const QStringView suffix = fileSuffix(path);
                    if (suffix == QLatin1String("trovella"))
                        memoryFiles.append(first + i);
                    else
                        arriving.add(path, suffix);
                }
            },
            clutterLeftOut());
    walkReport = Mv::Dir::lastReport();
    typeStatistics = std::move(arriving);

    setChoiceEnabled(true);
    if (focused && !focusWidget())
        focused->setFocus();
    return memoryFiles;
}

bool Trovella::fillTypeList(quint64 generation)
{
    const QStringList types = typeStatistics.types();
    const TypeMemory::Content memory = readMemory();
    const QSet<QString> rememberedChecked(memory.checked.cbegin(), memory.checked.cend());
    const QSet<QString> rememberedUnchecked(memory.unchecked.cbegin(), memory.unchecked.cend());

    ui.listFileTypes->clear();
    // The window repaints at once, then about once a frame.
    FramePacer pacer;
    for (const QString &type : types) {
        auto *item = new QListWidgetItem(type);
        const bool checked = rememberedChecked.contains(type);
        const bool known = checked || rememberedUnchecked.contains(type);
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        item->setForeground(known ? Qt::black : Qt::red);
        showTypeFigures(item);
        ui.listFileTypes->addItem(item);
        if (pacer.due()) {
            pacer.runEvents();
            // A scan started meanwhile owns the list now.
            if (generation != scanGeneration)
                return false;
        }
    }
    return true;
}

void Trovella::collectFileTypes(QSet<QString> *checked, QSet<QString> *unchecked)
{
    for (const QListWidgetItem *item : typeItems()) {
        if (item->checkState() == Qt::Checked) {
            if (checked)
                checked->insert(item->text());
        } else if (item->checkState() == Qt::Unchecked && unchecked) {
            unchecked->insert(item->text());
        }
    }
}

QList<QListWidgetItem *> Trovella::typeItems() const
{
    QList<QListWidgetItem *> items;
    for (int row = 0; row < ui.listFileTypes->count(); ++row)
        items.append(ui.listFileTypes->item(row));
    return items;
}

void Trovella::setChoiceEnabled(bool enabled)
{
    const QList<QWidget *> choice {ui.bnSourceFolder,   ui.bnDesFolder,   ui.bnEditFileTypeGroup,
                                   ui.cbbFileTypes,     ui.listFileTypes, ui.cbIncludeSystemFiles,
                                   ui.cbIncludeHeldBack};
    for (QWidget *widget : choice)
        widget->setEnabled(enabled);
    // Pick comes back by its own rule.
    if (!enabled)
        ui.bnPick->setEnabled(false);
}
