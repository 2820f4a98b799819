#pragma once

#include "companion/DirWalker.h"
#include "core/FileList.h"
#include "core/PickPreflight.h"
#include "core/PickReport.h"
#include "core/TypeMemory.h"
#include "core/TypeStatistics.h"
#include "groups/FileTypeGroupStore.h"
#include "ui_Trovella.h"

#include <QElapsedTimer>
#include <QList>
#include <QMainWindow>
#include <QSet>
#include <QString>
#include <QUrl>

class Trovella : public QMainWindow
{
    Q_OBJECT

public:
    explicit Trovella(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~Trovella() override;

    // Read-only views for tests and the benchmark.
    const FileList &files() const { return fileList; }
    QString sourceFolder() const { return srcFolder; }
    QString destinationFolder() const { return desFolder; }
    const PickReport &lastPickReport() const { return pickReport; }
    // What the last scan left out, by rule, among the rest it met.
    const Mv::WalkReport &lastWalkReport() const { return walkReport; }

private slots:
    void browseSrcFolder();
    void browseDesFolder();
    void editFileTypeGroup();
    void fileTypeGroupSelected(QString groupSel);
    void pick();
    void viewPickResult();
    void quit();
    void listItemChanged();
    void SetWebViewUrl(QUrl url);
    void setSrcFolder(QString srcFolder);

private:
    void loadFileTypeGroups();
    void collectFileTypes(QSet<QString> *checked, QSet<QString> *unchecked);
    void applyPickRule();
    // The type list's items, top to bottom.
    QList<QListWidgetItem *> typeItems() const;
    // Off while long work lets events run: the choosers, the groups and the type list, and
    // Pick, which comes back by its own rule; Exit stays.
    void setChoiceEnabled(bool enabled);

    // Per-folder memory (TrovellaMemory.cpp).
    TypeMemory::Content readMemory();
    // False, with the reason in error, when the memory could not be written.
    bool writeMemory(QString *error = nullptr);

    Ui_TrovellaClass ui;
    QString srcFolder;
    QString desFolder;
    FileList fileList;
    FileTypeGroupStore fileTypeGroups;
    // Where the last pick copied to: desFolder, or a folder inside it named after srcFolder.
    QString pickedFolder;

    // Scan state (TrovellaScan.cpp).
    // Walks srcFolder into fileList and typeStatistics; gives the rows of the memory files.
    QList<qsizetype> walkSource();
    // False when a scan started meanwhile owns the list.
    bool fillTypeList(quint64 generation);
    // The memory is written only for a folder whose walk and fill both ran to the end.
    bool scanComplete = false;
    // Bumped by every scan so that a fill superseded by a newer scan stops.
    quint64 scanGeneration = 0;

    // Preview state (TrovellaPreview.cpp).
    void setUpPreview();
    // Sizes the files the scan counted into typeStatistics, in the background.
    void startSizing();
    void showTypeFigures(QListWidgetItem *item);
    void typeSizesFound(const QList<qint64> &bytes, const QList<qint64> &files);
    void showSelectionSummary();
    void showSelectionSummaryAfterScan();
    TypeStatistics typeStatistics;
    TypeSizer typeSizer;
    // The summary last shown, so that late sizes refresh it only while it is on show.
    QString shownSummary;
    int picksRunning = 0;
    // Esc: the running picks stop after the file in hand.
    bool pickStopRequested = false;
    // Esc, or Exit or a termination signal closing the window.
    bool pickStopped() const { return pickStopRequested || !isVisible(); }

    // What the rules leave out (TrovellaClutter.cpp).
    void setUpClutter();
    // The rules the switches leave to apply to the next walk.
    Clutter::Rules clutterLeftOut() const;
    void includeClutter();
    // Shows and logs, per rule, what the last walk set aside.
    void showClutter();
    // Adds a row per entry set aside to the pick's account.
    // What the scan left out, each list of paths with its reason for the account.
    QList<QPair<QStringList, QString>> leftOutByScan() const;
    // What the rules left out, each rule's paths with its reason for the account.
    QList<QPair<QStringList, QString>> leftOutByRules() const;

    // The account of the last pick and its progress (TrovellaReport.cpp).
    void setUpPickReport();
    void clearPickReport();
    void startPickProgress();
    void showPickProgress(qint64 done, qint64 total);
    void showCreating(const QString &path);
    void showPickReport();
    void openPickDetails();
    // Offers the details of the source folder's last pick, kept in its journal.
    void showLastPick();
    void rememberVerify();
    PickReport pickReport;
    // What the last scan left out, for the account.
    Mv::WalkReport walkReport;
    // The closing message while it is on show.
    QString pickMessage;
    QLabel *pickProgress = nullptr;
    QPushButton *bnPickDetails = nullptr;
    QCheckBox *cbVerifyCopies = nullptr;
    // The journal of the source folder's last pick, for its details and its undo.
    QString lastJournal;
    QElapsedTimer pickClock;
    QElapsedTimer sinceProgress;
    QElapsedTimer sinceCreating;
};
