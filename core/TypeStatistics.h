#pragma once

#include "FileList.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <atomic>
#include <memory>

class QThread;

// The size of the file at path, following links; -1 when it cannot be found out.
qint64 fileSize(const QString &path);

// How many files of each type a scan found and, once sized, how many bytes they hold.
class TypeStatistics
{
    Q_DECLARE_TR_FUNCTIONS(TypeStatistics)

public:
    struct Figures
    {
        qint64 files = 0;
        qint64 bytes = 0;
        // Files whose size has been added to bytes so far.
        qint64 sizedFiles = 0;

        bool sized() const { return sizedFiles >= files; }
        Figures &operator+=(const Figures &other);
    };
    TypeStatistics() = default;
    // The files of each type the list holds, not yet sized.
    explicit TypeStatistics(const FileList &files);

    // The distinct types that have files, in the order they were first met.
    const QStringList &types() const { return typeNames; }
    Figures figures(const QString &type) const;
    // Adds what the size pass found, per type of the list.
    void addSizes(const QList<qint64> &bytes, const QList<qint64> &files);

    // "1,204 files · 3.2 GB" in the user's locale; an unfinished size ends in "…".
    static QString figuresText(const Figures &figures);
    static QString filesText(qint64 files);
    static QString sizeText(const Figures &figures);

private:
    QStringList typeNames;
    QHash<QString, int> indexOf;
    // By the list's type.
    QList<Figures> perType;
};

// Sizes the files of a scan on a thread of its own and reports the totals per type back on
// the thread that started it. The thread reads only the list it was handed, its own copy.
class TypeSizer : public QObject
{
    Q_OBJECT

public:
    explicit TypeSizer(QObject *parent = nullptr);
    ~TypeSizer() override;

    // Stops any earlier pass, then sizes the files into totals per type of the list.
    void start(const FileList &files);
    // Stops the pass; nothing more of it is reported.
    void stop();
    bool isRunning() const { return worker != nullptr && !done; }

signals:
    // Bytes and sized files per type index since the last report.
    void sized(const QList<qint64> &bytes, const QList<qint64> &files);
    void finished();

private:
    void report(quint64 run, const QList<qint64> &bytes, const QList<qint64> &files, bool last);

    std::unique_ptr<QThread> worker;
    std::shared_ptr<std::atomic<bool>> cancelled;
    quint64 currentRun = 0;
    bool done = true;
};
