#include "Trovella.h"

#include "core/Logging.h"

#include "companion/Dir.h"
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
            [old = std::exchange(fileList, {})]() mutable { old = FileList(); });
    typeSizer.stop();

    const QList<qsizetype> memoryFiles = walkSource();
    if (generation != scanGeneration)
        return;
    reportWalkLosses(walkReport, srcFolder, ui.statusBar);
    showClutter();
    fileList.remove(memoryFiles);
    typeStatistics = TypeStatistics(fileList);
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
    // The memory files are found as they arrive, on the walk's threads; the list counts the
    // types itself.
    QList<qsizetype> memoryFiles;
    Mv::Dir::GetAllFiles(
            srcFolder, fileList, ui.statusBar,
            [&](const FileList &files, qsizetype first, qsizetype count) {
                const FileList::Type memory = files.findType(QStringLiteral("trovella"));
                if (memory == FileList::noType)
                    return;
                files.forEach(
                        [&](qsizetype index, const FileList::Record &file, const char *name) {
                            if (index >= first + count)
                                return false;
                            // The suffix as spelt, not in another case.
                            if (file.type == memory && QByteArrayView(name).endsWith(".trovella"))
                                memoryFiles.append(index);
                            return true;
                        },
                        first);
            },
            clutterLeftOut());
    walkReport = Mv::Dir::lastReport();

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
