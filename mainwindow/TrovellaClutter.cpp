#include "Trovella.h"

#include "app/Logging.h"

#include "core/Texts.h"

#include <QDir>
#include <QMap>
#include <QSettings>

namespace {
// Beside SourceFolder in the working directory's settings; the memory file keeps its format.
const char *const settingsFile = "Trovella.ini";
const char *const systemFilesKey = "IncludeSystemFiles";
const char *const heldBackKey = "IncludeTrashAndSnapshots";

struct Tally
{
    int entries = 0;
    int files = 0;
    qint64 bytes = 0;
};
} // namespace

void Trovella::setUpClutter()
{
    const QSettings settings(QString::fromLatin1(settingsFile), QSettings::IniFormat);
    ui.cbIncludeSystemFiles->setChecked(settings.value(QLatin1String(systemFilesKey)).toBool());
    ui.cbIncludeHeldBack->setChecked(settings.value(QLatin1String(heldBackKey)).toBool());
    ui.labelLeftOut->hide();
    for (QCheckBox *box : {ui.cbIncludeSystemFiles, ui.cbIncludeHeldBack})
        connect(box, &QCheckBox::toggled, this, &Trovella::includeClutter);
}

Clutter::Rules Trovella::clutterLeftOut() const
{
    Clutter::Rules rules;
    if (!ui.cbIncludeSystemFiles->isChecked())
        rules |= Clutter::regenerable();
    if (!ui.cbIncludeHeldBack->isChecked())
        rules |= Clutter::heldBack();
    return rules;
}

void Trovella::includeClutter()
{
    QSettings settings(QString::fromLatin1(settingsFile), QSettings::IniFormat);
    settings.setValue(QLatin1String(systemFilesKey), ui.cbIncludeSystemFiles->isChecked());
    settings.setValue(QLatin1String(heldBackKey), ui.cbIncludeHeldBack->isChecked());
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qCWarning(lcApp, "Could not write %s in %s", settingsFile,
                  qUtf8Printable(QDir::currentPath()));
    // The list shown was made under the other rules.
    if (!srcFolder.isEmpty())
        setSrcFolder(srcFolder);
}

void Trovella::showClutter()
{
    QMap<Clutter::Rule, Tally> tallies;
    for (const Clutter::Entry &entry : std::as_const(walkReport.ruledOut)) {
        Tally &tally = tallies[entry.rule];
        ++tally.entries;
        if (!entry.folder) {
            ++tally.files;
            tally.bytes += entry.bytes;
        }
    }
    QStringList leftOut;
    QStringList heldBack;
    for (const Clutter::Rule rule : Clutter::all()) {
        const auto found = tallies.constFind(rule);
        if (found == tallies.constEnd())
            continue;
        QString text = Clutter::countText(rule, found->entries);
        if (found->files > 0)
            text = tr("%1 (%2)").arg(text, Texts::size(found->bytes));
        (Clutter::heldBack().testFlag(rule) ? heldBack : leftOut) << text;
        qCInfo(lcScan, "Scan of %s: %s: %d folders, %d files (%lld bytes)",
               qUtf8Printable(srcFolder), qUtf8Printable(Clutter::reason(rule)),
               found->entries - found->files, found->files, qlonglong(found->bytes));
    }
    QStringList parts;
    if (!leftOut.isEmpty())
        parts << tr("Left out: %1.").arg(leftOut.join(tr(", ")));
    if (!heldBack.isEmpty())
        parts << tr("Held back: %1.").arg(heldBack.join(tr(", ")));
    const QString text = parts.join(QLatin1Char(' '));
    ui.labelLeftOut->setText(text);
    ui.labelLeftOut->setToolTip(parts.join(QLatin1Char('\n')));
    ui.labelLeftOut->setVisible(!text.isEmpty() && ui.progressBar->isHidden());
}

void Trovella::accountClutter()
{
    for (const Clutter::Rule rule : Clutter::all()) {
        QStringList paths;
        for (const Clutter::Entry &entry : std::as_const(walkReport.ruledOut)) {
            if (entry.rule == rule)
                paths << entry.path;
        }
        if (!paths.isEmpty())
            pickReport.addLeftOut(paths, Clutter::reason(rule));
    }
}
