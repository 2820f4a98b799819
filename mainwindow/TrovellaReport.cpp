#include "Trovella.h"

#include "PickReportDialog.h"
#include "core/Journal.h"
#include "core/Texts.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

namespace {
// The bytes and time left change a few times a second, not with every event pass.
const qint64 progressMilliseconds = 250;

QString durationText(qint64 milliseconds)
{
    const qint64 seconds = (milliseconds + 999) / 1000;
    if (seconds < 90)
        return Trovella::tr("%1 s").arg(seconds);
    if (seconds < 90 * 60)
        return Trovella::tr("%1 min").arg((seconds + 30) / 60);
    return Trovella::tr("%1 h").arg(QLocale().toString(double(seconds) / 3600, 'f', 1));
}
} // namespace

void Trovella::setUpPickReport()
{
    pickProgress = new QLabel(ui.statusBar);
    pickProgress->setObjectName(QStringLiteral("pickProgress"));
    pickProgress->hide();
    // Beside the account it is about, where it moves none of the window's widgets.
    cbVerifyCopies = new QCheckBox(tr("Verify copies"), ui.statusBar);
    cbVerifyCopies->setObjectName(QStringLiteral("cbVerifyCopies"));
    cbVerifyCopies->setToolTip(tr("Read each copy back from the disk and compare it with the "
                                  "source before it gets its name"));
    ui.statusBar->addPermanentWidget(cbVerifyCopies);
    ui.statusBar->addPermanentWidget(pickProgress);
    bnPickDetails = new QPushButton(tr("Details…"), ui.statusBar);
    bnPickDetails->setObjectName(QStringLiteral("bnPickDetails"));
    bnPickDetails->hide();
    ui.statusBar->addPermanentWidget(bnPickDetails);
    connect(bnPickDetails, &QPushButton::clicked, this, &Trovella::openPickDetails);
}

void Trovella::clearPickReport()
{
    if (!pickMessage.isEmpty() && ui.statusBar->currentMessage() == pickMessage)
        ui.statusBar->clearMessage();
    pickMessage.clear();
    bnPickDetails->hide();
}

void Trovella::startPickProgress()
{
    pickClock.start();
    sinceProgress.invalidate();
    sinceCreating.invalidate();
    pickProgress->show();
    // The progress bar takes the place of what the scan left out while it shows.
    ui.labelLeftOut->hide();
}

void Trovella::showPickProgress(qint64 done, qint64 total)
{
    if (sinceProgress.isValid() && sinceProgress.elapsed() < progressMilliseconds)
        return;
    sinceProgress.start();
    done = qMin(done, total);
    const qint64 elapsed = pickClock.elapsed();
    // Too early a guess jumps about: wait for a second of copying.
    if (done > 0 && elapsed >= 1000)
        pickProgress->setText(
                tr("%1 of %2, %3 left")
                        .arg(Texts::size(done), Texts::size(total),
                             durationText(qint64((total - done) * double(elapsed) / done))));
    else
        pickProgress->setText(tr("%1 of %2").arg(Texts::size(done), Texts::size(total)));
}

void Trovella::showCreating(const QString &path)
{
    // Eliding measures the text: a few times a second is all the eye takes in.
    if (sinceCreating.isValid() && sinceCreating.elapsed() < progressMilliseconds / 2)
        return;
    sinceCreating.start();
    // The path, elided in its middle, ends two letters' width before the progress text; as
    // much again goes to the status bar's margin on the left.
    const QString prefix = tr("Creating: ");
    const QFontMetrics metrics(ui.statusBar->font());
    const int gap = metrics.horizontalAdvance(QStringLiteral("MM"));
    const int right = pickProgress->isVisible() ? pickProgress->geometry().left()
                                                : ui.statusBar->contentsRect().right();
    const int room = right - gap - ui.statusBar->contentsRect().left() - gap
            - metrics.horizontalAdvance(prefix);
    ui.statusBar->showMessage(prefix
                                      + metrics.elidedText(QDir::toNativeSeparators(path),
                                                           Qt::ElideMiddle, qMax(room, 0)),
                              1000);
}

void Trovella::showPickReport()
{
    pickProgress->hide();
    ui.labelLeftOut->setVisible(!ui.labelLeftOut->text().isEmpty());
    pickMessage = pickReport.message();
    // No timeout: the account stays until a pick, a scan or a new destination changes it.
    ui.statusBar->showMessage(pickMessage);
    lastJournal = pickReport.journal();
    bnPickDetails->setVisible(pickReport.count(PickReport::Copied) > 0
                              || !pickReport.rows().isEmpty() || !lastJournal.isEmpty());
}

void Trovella::showLastPick()
{
    lastJournal = Journal::lastOf(srcFolder);
    bnPickDetails->setVisible(!lastJournal.isEmpty());
}

void Trovella::openPickDetails()
{
    // The source folder's name and the date, in the destination when it is still there.
    const QString folder = QFileInfo(desFolder).isDir() ? desFolder : QDir::homePath();
    const QString name = QFileInfo(srcFolder).fileName();
    const QString csvName = QDir(folder).filePath(
            (name.isEmpty() ? QStringLiteral("trovella") : name) + QLatin1Char('-')
            + QDate::currentDate().toString(Qt::ISODate) + QStringLiteral(".csv"));
    // After a restart or a scan the journal alone holds the last pick.
    const bool own = pickReport.journal() == lastJournal;
    auto *dialog
            = new PickReportDialog(own ? pickReport : PickReport(), lastJournal, csvName, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}
