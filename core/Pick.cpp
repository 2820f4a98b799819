#include "Pick.h"

#include "FileCopier.h"
#include "Journal.h"
#include "Logging.h"
#include "PickPreflight.h"
#include "PickRules.h"
#include "Texts.h"

#include <QLocale>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <future>

namespace {
// The question names no more than this many files.
const qsizetype namesShown = 10;

// Counts the items and writes them to the journal, with the folders made for them first; once
// names were given, the journal goes to the disk before the next file is in hand.
void account(PickReport &report, Journal &journal, FileCopier &copier, const QList<PickItem> &items)
{
    const QStringList folders = copier.takeNewFolders();
    for (const QString &folder : folders)
        journal.addFolder(folder);
    bool named = false;
    for (const PickItem &item : items) {
        report.add(item);
        journal.add(item);
        named = named || item.outcome == PickItem::Copied;
    }
    journal.flush(named);
}

// The check stats every selected file: on a thread of its own, so that a slow disk holds no
// event up; this thread runs them meanwhile and passes a stop on.
PickPlan checkDestination(const Pick::Choice &choice, const Pick::Hooks &hooks)
{
    std::atomic<bool> stop {false};
    auto checked = std::async(std::launch::async, [&choice, &stop] {
        return PickPreflight::check(choice.files, choice.selection, choice.targetFolder,
                                    [&stop] { return !stop.load(std::memory_order_relaxed); });
    });
    while (checked.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready) {
        hooks.keepResponsive(-1, -1);
        if (hooks.stopRequested())
            stop = true;
    }
    PickPlan plan = checked.get();
    // A stop that came as the check ended counts too.
    if (hooks.stopRequested())
        plan.go = false;
    return plan;
}

QString question(const PickPlan &plan)
{
    QStringList lines;
    if (plan.lacksSpace())
        lines << Pick::tr("%1 are needed and %2 are free.")
                         .arg(Texts::size(plan.bytesNeeded), Texts::size(plan.bytesFree));
    if (!plan.unstorableNames.isEmpty()) {
        lines << Pick::tr("The destination cannot store these names; they will not be copied:");
        for (const QString &name : plan.unstorableNames.mid(0, namesShown))
            lines << QStringLiteral("    ") + name;
        if (plan.unstorableNames.size() > namesShown)
            lines << Pick::tr("    and %1 more")
                             .arg(QLocale().toString(plan.unstorableNames.size() - namesShown));
    }
    if (plan.existing > 0)
        lines << Pick::tr("%1 of the files exist there already and are left alone.")
                         .arg(QLocale().toString(plan.existing));
    lines << Pick::tr("Pick anyway?");
    return lines.join(QLatin1Char('\n'));
}
} // namespace

PickReport Pick::run(const Choice &choice, const Hooks &hooks)
{
    PickReport report;
    // Exit, Esc or a termination signal stops the check, and the pick copies nothing.
    PickPlan plan = checkDestination(choice, hooks);
    if (plan.go && plan.needsConsent())
        plan.go = hooks.consent(question(plan));
    if (!plan.go) {
        report.setDeclined();
        return report;
    }

    const FileList &files = choice.files;
    const QList<qsizetype> &selection = choice.selection;
    // The pick goes on without its journal, and the account says so.
    Journal journal;
    if (journal.open({choice.sourceFolder, choice.targetFolder, QDateTime::currentDateTime(),
                      choice.verify}))
        report.setJournal(journal.path());
    report.setVerified(choice.verify);
    hooks.copying(selection.size());
    const PickTargets targets(choice.targetFolder);
    // A path is made only for the file in hand.
    const auto targetOf
            = [&](qsizetype file) { return targets.targetOfRelative(files.relativePath(file)); };
    FileCopier copier;
    copier.setDestination(choice.targetFolder);
    copier.setVerify(choice.verify);
    const auto keepResponsive = [&hooks, &copier, &plan] {
        hooks.keepResponsive(copier.bytesDone(), plan.bytesToCopy);
    };
    copier.setKeepResponsive(keepResponsive);
    // What interrupted picks left in the destination goes first, and the account says so.
    if (!selection.isEmpty()) {
        const Staging::Removed removed = copier.removeLeftovers(choice.chosenFolder);
        report.setLeftoversRemoved(removed.files, removed.bytes);
    }
    qsizetype handled = 0;
    // A stop before the first file, as during the question, copies nothing.
    while (handled < selection.size() && !hooks.stopRequested()) {
        const qsizetype file = selection.at(handled++);
        const QString sourcePath = files.path(file);
        const QString target = targetOf(file);
        if (plan.unstorable.contains(file)) {
            account(report, journal, copier,
                    {PickItem {PickReport::Failed, sourcePath, target,
                               FileCopier::plainReason(EINVAL, false)}});
            qCWarning(lcCopy, "Could not copy %s to %s: the destination cannot store this name",
                      qUtf8Printable(sourcePath), qUtf8Printable(target));
        } else {
            copier.copy(sourcePath, target);
            account(report, journal, copier, copier.takeResults());
        }
        hooks.handedOver(target);
        keepResponsive();
    }
    // Files already copied in the batch in hand still get their names, also after a stop.
    copier.finish();
    account(report, journal, copier, copier.takeResults());
    if (handled < selection.size()) {
        report.setStopped();
        report.reserve(selection.size() - handled);
    }
    for (; handled < selection.size(); ++handled) {
        const qsizetype file = selection.at(handled);
        const PickItem item {PickReport::NotReached, files.path(file), targetOf(file)};
        report.add(item);
        journal.add(item);
        // The rows of a stop early in a large pick take a while.
        journal.flush(false);
        hooks.keepResponsive(-1, -1);
    }
    for (const auto &[paths, reason] : choice.leftOut) {
        for (const QString &path : paths) {
            report.addLeftOut({path}, reason);
            journal.add(PickItem {PickReport::LeftOut, path, QString(), reason});
            journal.flush(false);
            hooks.keepResponsive(-1, -1);
        }
    }
    journal.flush();
    if (!journal.ok())
        report.setJournalNotSaved(journal.path(), journal.error());
    return report;
}
