#include "Trovella.h"

#include "core/Logging.h"

#include "AdvertPage.h"
#include "Prompt.h"
#include "companion/Dir.h"
#include "core/Site.h"
#include "core/WindowPlacement.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace {
const char *const settingsFile = "Trovella.ini";
const char *const sourceFolderKey = "SourceFolder";
} // namespace

Trovella::Trovella(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    ui.setupUi(this);
    // A group applies when the user chooses it, also the one already shown; a refill of the
    // box applies none.
    connect(ui.cbbFileTypes, &QComboBox::textActivated, this, &Trovella::fileTypeGroupSelected);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(centredPosition(screen->geometry().size(), size()));
    setFixedSize(width(), height());
    ui.progressBar->hide();

    auto *page = new AdvertPage(ui.webView);
    ui.webView->setPage(page);
    connect(page, &AdvertPage::linkClicked, this, &Trovella::SetWebViewUrl);
    ui.webView->setUrl(Site::advertisementPage());

    setUpPreview();
    setUpPickReport();
    setUpClutter();
#if QT_CONFIG(sessionmanager)
    // A log-out may end the program without closing the window.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this] { writeMemory(); });
#endif
    loadFileTypeGroups();
}

Trovella::~Trovella() { writeMemory(); }

void Trovella::browseSrcFolder()
{
    QSettings settings(QString::fromLatin1(settingsFile), QSettings::IniFormat);
    const QString start
            = settings.value(QLatin1String(sourceFolderKey), QDir::rootPath()).toString();
    const QString folder = Prompt::folder(this, tr("Select Source Folder"), start);
    if (folder.isEmpty())
        return;
    settings.setValue(QLatin1String(sourceFolderKey), folder);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qCWarning(lcApp, "Could not write %s in %s", settingsFile,
                  qUtf8Printable(QDir::currentPath()));
    setSrcFolder(folder);
}

void Trovella::browseDesFolder()
{
    const QString folder = Prompt::folder(this, tr("Select Destinate Folder"), QDir::rootPath());
    if (folder.isEmpty())
        return;
    clearPickReport();
    desFolder = folder;
    ui.edDesFolder->setPlainText(desFolder);
    applyPickRule();
}

void Trovella::quit()
{
    Mv::Dir::Cancel();
    close();
}

void Trovella::listItemChanged()
{
    applyPickRule();
    showSelectionSummary();
}

void Trovella::applyPickRule()
{
    ui.bnPick->setEnabled(picksRunning == 0 && !srcFolder.isEmpty() && !desFolder.isEmpty());
}
