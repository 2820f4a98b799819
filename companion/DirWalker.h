#pragma once

#include "core/Clutter.h"
#include "core/FileList.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class QFileInfo;

namespace Mv {

// What the last walk met besides the files it listed.
struct WalkReport
{
    bool cancelled = false;
    int unreadableFolders = 0;
    int undecodableNames = 0;
    // Their paths, with bytes that are not UTF-8 written as \xNN.
    QStringList unreadableFolderPaths;
    QStringList undecodablePaths;
    // What the rules set aside, in no particular order.
    QList<Clutter::Entry> ruledOut;
};

// Lists every file under a folder, at any depth. Hidden files are listed; links to folders are
// not followed; a link to a file, or to nothing, is listed as a file. Folders that cannot be
// read and names that are not UTF-8 are counted, logged and left out. Entries that fall under
// the rules given to leaveOut() are set aside unread, folders unwalked. Another thread may read
// the progress and cancel.
//
// Several folders are read at once, so that a network share's round trips overlap; the files
// come in no particular order. The thread that calls run() reads the top folder alone and then
// works beside the helpers it starts.
class DirWalker
{
public:
    // Files just handed to the list, at indexes first to first + count - 1. Called on any of
    // the walk's threads, one call at a time, while no other thread changes the list.
    using Arrival = std::function<void(const FileList &files, qsizetype first, qsizetype count)>;

    // threads 0 picks a number to suit the file system: many on a network share.
    explicit DirWalker(const QString &folder, int threads = 0);

    // The rules whose entries the walk sets aside; none unless told.
    void leaveOut(Clutter::Rules rules) { ruledOut = rules; }
    // Makes files the list of the files found. False when cancelled or when a folder could not
    // be read.
    bool run(FileList &files, const Arrival &arrived = {});
    // Makes run() return within one batch of directory entries.
    void cancel();
    // Files listed so far; safe to read from any thread while run() works.
    qsizetype filesFound() const;
    // Valid once run() has returned.
    WalkReport report() const;
    // The number of threads run() reads with at most.
    int threadCount() const { return threads; }

private:
    struct Folder
    {
        QByteArray path;
        bool decodable = true;
        FileList::Folder id = FileList::top;
        FileList::Folder parent = FileList::top;
        // Where its name starts in path.
        qsizetype nameAt = 0;
    };
    struct Found
    {
        // Each thread fills a batch of its own and hands it over whole.
        FileList::Batch files;
        // The types of the suffixes this thread met, spelt as in the names.
        std::unordered_map<std::string, FileList::Type> types;
        std::vector<Folder> folders;
        QStringList unreadableFolderPaths;
        QStringList undecodablePaths;
        QList<Clutter::Entry> ruledOut;
        bool cancelled = false;
    };

    struct Reading;

    bool cancelRequested() const;
    void read(const Folder &folder, bool top, Found &found);
    bool take(Reading &reading, const char *name, unsigned char type);
    FileList::Type typeOf(Found &found, const char *name, size_t length);
    void handOver(Found &found);
    bool setAside(Reading &reading, const char *name, Clutter::Rule rule, bool folder);
    bool setAside(const QFileInfo &info, bool folder);
    void workWithHelpers();
    void deliver(Found &found, bool allFiles);
    void work();

    QString root;
    int threads;
    Clutter::Rules ruledOut;
    WalkReport result;
    std::atomic<bool> cancelFlag {false};
    std::atomic<qsizetype> progress {0};

    // Shared by the walk's threads while run() works.
    std::mutex lock;
    std::condition_variable wake;
    std::vector<Folder> pending;
    int reading = 0;
    FileList *output = nullptr;
    const Arrival *arrival = nullptr;
};

} // namespace Mv
