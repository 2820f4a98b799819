#include "Pick.h"

#include "FileCopier.h"
#include "Logging.h"
#include "PickPreflight.h"
#include "PickRules.h"
#include "Texts.h"

#include <QLocale>

#include <cerrno>

namespace {
// The question names no more than this many files.
const qsizetype namesShown = 10;

void account(PickReport &report, const QList<PickItem> &items)
{
    for (const PickItem &item : items)
        report.add(item);
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
    PickPlan plan
            = PickPreflight::check(choice.files, choice.selection, choice.targetFolder, [&hooks] {
                  hooks.keepResponsive(-1, -1);
                  return !hooks.stopRequested();
              });
    if (plan.go && plan.needsConsent())
        plan.go = hooks.consent(question(plan));
    if (!plan.go) {
        report.setDeclined();
        return report;
    }

    const FileList &files = choice.files;
    const QList<qsizetype> &selection = choice.selection;
    hooks.copying(selection.size());
    const PickTargets targets(choice.targetFolder);
    // A path is made only for the file in hand.
    const auto targetOf
            = [&](qsizetype file) { return targets.targetOfRelative(files.relativePath(file)); };
    FileCopier copier;
    copier.setDestination(choice.targetFolder);
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
            report.add(PickReport::Failed, sourcePath, target,
                       FileCopier::plainReason(EINVAL, false));
            qCWarning(lcCopy, "Could not copy %s to %s: the destination cannot store this name",
                      qUtf8Printable(sourcePath), qUtf8Printable(target));
        } else {
            copier.copy(sourcePath, target);
            account(report, copier.takeResults());
        }
        hooks.handedOver(target);
        keepResponsive();
    }
    // Files already copied in the batch in hand still get their names, also after a stop.
    copier.finish();
    account(report, copier.takeResults());
    if (handled < selection.size())
        report.setStopped();
    for (; handled < selection.size(); ++handled) {
        const qsizetype file = selection.at(handled);
        report.add(PickReport::NotReached, files.path(file), targetOf(file));
        // The rows of a stop early in a large pick take a while.
        hooks.keepResponsive(-1, -1);
    }
    for (const auto &[paths, reason] : choice.leftOut)
        report.addLeftOut(paths, reason);
    return report;
}
