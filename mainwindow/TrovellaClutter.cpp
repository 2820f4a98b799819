#include "Trovella.h"

#include "core/Logging.h"

#include "core/Texts.h"

#include <QDir>
#include <QMap>
#include <QSettings>

namespace {
// Beside SourceFolder in the working directory's settings; the memory file keeps its format.
const char *const settingsFile = "Trovella.ini";
const char *const systemFilesKey = "IncludeSystemFiles";
const char *const heldBackKey = "IncludeTrashAndSnapshots";
const char *const verifyKey = "VerifyCopies";

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
    cbVerifyCopies->setChecked(settings.value(QLatin1String(verifyKey)).toBool());
    connect(cbVerifyCopies, &QCheckBox::toggled, this, &Trovella::rememberVerify);
}

void Trovella::rememberVerify()
{
    QSettings settings(QString::fromLatin1(settingsFile), QSettings::IniFormat);
    settings.setValue(QLatin1String(verifyKey), cbVerifyCopies->isChecked());
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qCWarning(lcApp, "Could not write %s in %s", settingsFile,
                  qUtf8Printable(QDir::currentPath()));
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
    QStringList leftOutCounts;
    QStringList heldBack;
    qint64 leftOutBytes = 0;
    for (const Clutter::Rule rule : Clutter::all()) {
        const auto found = tallies.constFind(rule);
        if (found == tallies.constEnd())
            continue;
        const QString count = Clutter::countText(rule, found->entries);
        const QString text
                = found->files > 0 ? tr("%1 (%2)").arg(count, Texts::size(found->bytes)) : count;
        if (Clutter::heldBack().testFlag(rule)) {
            heldBack << text;
        } else {
            leftOut << text;
            leftOutCounts << count;
            leftOutBytes += found->bytes;
        }
        qCInfo(lcScan, "Scan of %s: %s: %d folders, %d files (%lld bytes)",
               qUtf8Printable(srcFolder), qUtf8Printable(Clutter::reason(rule)),
               found->entries - found->files, found->files, qlonglong(found->bytes));
    }
    // The user's own data held back comes first and in bold. What is left out gives its size
    // per rule where the line has room, else in all, else none; the tooltip holds all of it.
    const QString separator = tr(", ");
    const QString held
            = heldBack.isEmpty() ? QString() : tr("Held back: %1.").arg(heldBack.join(separator));
    const QString left
            = leftOut.isEmpty() ? QString() : tr("Left out: %1.").arg(leftOut.join(separator));
    const QString brief = tr("Left out: %1 (%2).")
                                  .arg(leftOutCounts.join(separator), Texts::size(leftOutBytes));
    QFont bold = ui.labelLeftOut->font();
    bold.setBold(true);
    const int room = ui.labelLeftOut->width()
            - (held.isEmpty() ? 0 : QFontMetrics(bold).horizontalAdvance(held + QLatin1Char(' ')));
    const QFontMetrics metrics = ui.labelLeftOut->fontMetrics();
    QStringList shown;
    if (!held.isEmpty())
        shown << QStringLiteral("<b>%1</b>").arg(held.toHtmlEscaped());
    if (!left.isEmpty()) {
        QString fitting = tr("Left out: %1.").arg(leftOutCounts.join(separator));
        for (const QString &text : {left, brief}) {
            if (metrics.horizontalAdvance(text) <= room) {
                fitting = text;
                break;
            }
        }
        shown << metrics.elidedText(fitting, Qt::ElideRight, qMax(room, 0)).toHtmlEscaped();
    }
    ui.labelLeftOut->setText(shown.join(QLatin1Char(' ')));
    ui.labelLeftOut->setToolTip(QStringList {held, left}.join(QLatin1Char('\n')).trimmed());
    ui.labelLeftOut->setVisible(!shown.isEmpty() && ui.progressBar->isHidden());
}

QList<QPair<QStringList, QString>> Trovella::leftOutByRules() const
{
    QList<QPair<QStringList, QString>> leftOut;
    for (const Clutter::Rule rule : Clutter::all()) {
        QStringList paths;
        for (const Clutter::Entry &entry : std::as_const(walkReport.ruledOut)) {
            if (entry.rule == rule)
                paths << entry.path;
        }
        if (!paths.isEmpty())
            leftOut.append({paths, Clutter::reason(rule)});
    }
    return leftOut;
}
