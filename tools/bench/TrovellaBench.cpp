// Times the real window's scan and pick on generated trees beside find, rsync and cp, in one
// run on the same trees, and checks that every tool copied the same files.

#include "app/MemoryTuning.h"
#include "core/Clutter.h"
#include "core/Journal.h"
#include "mainwindow/PickReportDialog.h"
#include "mainwindow/Trovella.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QLoggingCategory>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <malloc.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xxhash.h>

extern char **environ;

namespace {

// The selection as the peers' filters: rsync includes in either case, find -iname.
void peerFilters(const QStringList &types, QString *patterns, QString *names)
{
    for (const QString &type : types) {
        QString anyCase;
        for (const QChar c : type)
            anyCase += c.isLetter() ? QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper())
                                    : QString(c);
        *patterns += QStringLiteral(" --include='*.%1'").arg(anyCase);
        *names += (names->isEmpty() ? QString() : QStringLiteral(" -o"))
                + QStringLiteral(" -iname '*.%1'").arg(type);
    }
}

// Bump when the generated trees change, so that cached ones are made again.
const char *const treeVersion = "trovella-bench trees 2";
const int filesPerFolder = 40;
const int bigFiles = 20;
const qint64 bigFileSize = 50 << 20;
const QStringList pickedTypes {QStringLiteral("jpg"), QStringLiteral("png"), QStringLiteral("cr2")};

struct Options
{
    QString root = QStringLiteral("/tmp/trovella-bench");
    int runs = 5;
    int runsMillion = 5;
    QList<int> sizes {10000, 100000, 1000000};
    bool big = true;
    // The scenarios of network shares (through shareTool) and of a cold local disk.
    bool network = false;
    bool cold = false;
    bool flat = false;
    QString shareTool;
    int rttMs = 1;
    // The scenarios to run when not all: scan (with one-type), one-type, pick, share-scan,
    // share-pick, cold, flat, clutter, verify, hash, details.
    QStringList only;
    bool wants(const char *scenario) const
    {
        return only.isEmpty() || only.contains(QLatin1String(scenario));
    }
};

struct Suffix
{
    const char *text;
    int weight;
};

// About 40 types in mixed case; jpg, png and cr2 together make about a seventh of the files.
const Suffix suffixes[]
        = {{".jpg", 40},  {".JPG", 20},   {".Jpg", 6},  {".png", 18},    {".PNG", 6},  {".cr2", 10},
           {".CR2", 6},   {".nef", 20},   {".dng", 15}, {".heic", 15},   {".HEIC", 5}, {".tif", 15},
           {".tiff", 10}, {".gif", 20},   {".bmp", 10}, {".psd", 10},    {".raw", 10}, {".mp3", 25},
           {".MP3", 5},   {".mp4", 25},   {".mov", 15}, {".MOV", 10},    {".avi", 10}, {".wav", 10},
           {".txt", 40},  {".TXT", 5},    {".doc", 20}, {".docx", 20},   {".pdf", 30}, {".PDF", 5},
           {".xls", 15},  {".xlsx", 15},  {".csv", 15}, {".html", 20},   {".htm", 10}, {".css", 10},
           {".js", 20},   {".json", 20},  {".xml", 20}, {".log", 20},    {".ini", 10}, {".cfg", 10},
           {".md", 15},   {".zip", 15},   {".gz", 15},  {".tar.gz", 10}, {".7z", 5},   {".bak", 10},
           {".tmp", 10},  {".Thumbs", 5}, {"", 30}};

quint64 mix(quint64 x)
{
    x += 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

const char *suffixFor(quint64 h)
{
    static const int total = [] {
        int sum = 0;
        for (const Suffix &s : suffixes)
            sum += s.weight;
        return sum;
    }();
    int pick = int(h % quint64(total));
    for (const Suffix &s : suffixes) {
        if (pick < s.weight)
            return s.text;
        pick -= s.weight;
    }
    return "";
}

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "trovella_bench: %s\n", qUtf8Printable(what));
    std::exit(1);
}

void writeAll(const QByteArray &path, const char *data, qint64 size)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        fail(QStringLiteral("cannot create %1: %2")
                     .arg(QString::fromLocal8Bit(path), qt_error_string(errno)));
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(qMin<qint64>(size, 1 << 20)));
        if (n <= 0)
            fail(QStringLiteral("cannot write %1: %2")
                         .arg(QString::fromLocal8Bit(path), qt_error_string(errno)));
        size -= n;
        data += n;
    }
    ::close(fd);
}

// Bytes that do not compress, shared by all generated files.
const std::vector<char> &noise()
{
    static const std::vector<char> bytes = [] {
        std::vector<char> b((2 << 20) + 8192);
        for (size_t i = 0; i < b.size(); i += 8) {
            const quint64 v = mix(i);
            std::memcpy(b.data() + i, &v, 8);
        }
        return b;
    }();
    return bytes;
}

QString treeName(int files)
{
    if (files % 1000000 == 0)
        return QStringLiteral("tree-%1m").arg(files / 1000000);
    if (files % 1000 == 0)
        return QStringLiteral("tree-%1k").arg(files / 1000);
    return QStringLiteral("tree-%1").arg(files);
}

QString sizeName(int files) { return treeName(files).mid(5); }

void removeTree(const QString &path);

QString stampOf(const QString &tree) { return tree + QStringLiteral(".done"); }

// False when the tree is there from an earlier run; otherwise clears the place for it.
bool startGenerating(const QString &tree)
{
    QFile file(stampOf(tree));
    if (file.open(QIODevice::ReadOnly) && file.readAll().trimmed() == treeVersion)
        return false;
    removeTree(tree);
    std::printf("generating %s ...\n", qUtf8Printable(tree));
    std::fflush(stdout);
    return true;
}

void markCached(const QString &tree)
{
    ::sync();
    const QString stamp = stampOf(tree);
    QFile file(stamp);
    if (!file.open(QIODevice::WriteOnly) || file.write(treeVersion) < 0)
        fail(QStringLiteral("cannot write %1").arg(stamp));
}

// Files in folders y/m/d (every fifth d with a raw/ below it), 40 a folder; the first slots of
// a folder sometimes hold dot-files, names without a dot come from the suffix table. With
// thumbnailCaches every folder also holds an @eaDir with two thumbnails of each file. Above a
// million the files are empty: hard links of seed files beside the tree, each linked fewer
// times than a file may be, since ten million files of data would take hours to write.
QString smallTree(const Options &options, int files, bool thumbnailCaches = false)
{
    const QString tree = options.root + QLatin1Char('/') + treeName(files)
            + (thumbnailCaches ? QStringLiteral("-eadir") : QString());
    if (!startGenerating(tree))
        return tree;
    QElapsedTimer clock;
    clock.start();
    const char *data = noise().data();
    QByteArrayList seeds;
    if (files > 1000000) {
        const QString seedFolder = tree + QStringLiteral("-seeds");
        removeTree(seedFolder);
        QDir().mkpath(seedFolder);
        for (int seed = 0; seed < 256; ++seed) {
            seeds << QFile::encodeName(seedFolder + QStringLiteral("/%1").arg(seed));
            writeAll(seeds.last(), data, 0);
        }
    }
    for (int folder = 0; folder * filesPerFolder < files; ++folder) {
        QByteArray dir = QFile::encodeName(tree)
                + QByteArray("/y%1/m%2/d%3")
                          .replace("%1", QByteArray::number(folder / 1000).rightJustified(3, '0'))
                          .replace("%2",
                                   QByteArray::number((folder / 50) % 20).rightJustified(2, '0'))
                          .replace("%3", QByteArray::number(folder % 50).rightJustified(2, '0'));
        if (folder % 5 == 0)
            dir += "/raw";
        if (!QDir().mkpath(QFile::decodeName(dir)))
            fail(QStringLiteral("cannot make %1").arg(QFile::decodeName(dir)));
        const int first = folder * filesPerFolder;
        const int last = qMin(files, first + filesPerFolder);
        for (int i = first; i < last; ++i) {
            const quint64 h = mix(quint64(i));
            QByteArray name;
            if (i == first && h % 3 == 0)
                name = ".DS_Store";
            else if (i == first + 1 && h % 4 == 0)
                name = ".picasa.ini";
            else
                name = "IMG_" + QByteArray::number(i).rightJustified(7, '0') + suffixFor(h >> 8);
            if (!seeds.isEmpty()) {
                const QByteArray path = dir + '/' + name;
                if (::link(seeds.at(i % seeds.size()).constData(), path.constData()) != 0)
                    fail(QStringLiteral("cannot link %1: %2")
                                 .arg(QFile::decodeName(path), qt_error_string(errno)));
                continue;
            }
            writeAll(dir + '/' + name, data + (h >> 40) % 8192, qint64(1 + (h >> 20) % 4000));
            // A Synology box keeps thumbnails of every file in a folder beside it.
            if (thumbnailCaches) {
                const QByteArray cache = dir + "/@eaDir/" + name;
                if (!QDir().mkpath(QFile::decodeName(cache)))
                    fail(QStringLiteral("cannot make %1").arg(QFile::decodeName(cache)));
                for (const char *thumb : {"/SYNOFILE_THUMB_S.jpg", "/SYNOFILE_THUMB_M.jpg"})
                    writeAll(cache + thumb, data + (h >> 32) % 8192, qint64(1 + (h >> 12) % 4000));
            }
        }
    }
    markCached(tree);
    std::printf("generated %d files in %.1f s\n", files, clock.elapsed() / 1000.0);
    return tree;
}

// 200,000 files in one folder, every fifth of them a jpg.
QString flatTree(const Options &options)
{
    const QString tree = options.root + QStringLiteral("/tree-flat-200k");
    if (!startGenerating(tree))
        return tree;
    if (!QDir().mkpath(tree))
        fail(QStringLiteral("cannot make %1").arg(tree));
    const QByteArray folder = QFile::encodeName(tree);
    for (int i = 0; i < 200000; ++i)
        writeAll(folder + "/f" + QByteArray::number(i) + (i % 5 ? ".txt" : ".jpg"), noise().data(),
                 1 + i % 1000);
    markCached(tree);
    return tree;
}

QString bigTree(const Options &options)
{
    const QString tree = options.root + QStringLiteral("/tree-big");
    if (!startGenerating(tree))
        return tree;
    const char *data = noise().data();
    for (int i = 0; i < bigFiles; ++i) {
        const QString dir = tree + QStringLiteral("/disc%1").arg(i / 5);
        if (!QDir().mkpath(dir))
            fail(QStringLiteral("cannot make %1").arg(dir));
        const QByteArray path = QFile::encodeName(
                dir + QStringLiteral("/big%1.bin").arg(i, 2, 10, QLatin1Char('0')));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            fail(QStringLiteral("cannot create %1").arg(QFile::decodeName(path)));
        for (qint64 done = 0; done < bigFileSize; done += 1 << 20) {
            if (::write(fd, data + (mix(quint64(i) * 1000 + quint64(done)) % (1 << 20)), 1 << 20)
                != 1 << 20)
                fail(QStringLiteral("cannot write %1").arg(QFile::decodeName(path)));
        }
        ::close(fd);
    }
    markCached(tree);
    return tree;
}

// Runs a shell command without copying this process's page tables; returns its exit code.
int shell(const QString &command)
{
    const QByteArray text = command.toUtf8();
    char sh[] = "/bin/sh";
    char c[] = "-c";
    char *argv[] = {sh, c, const_cast<char *>(text.constData()), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0)
        fail(QStringLiteral("cannot start /bin/sh"));
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

QString quoted(const QString &path)
{
    QString text = path;
    text.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

void removeTree(const QString &path)
{
    if (QFileInfo::exists(path))
        shell(QStringLiteral("rm -rf ") + quoted(path));
}

// Seconds the command took; a failing command ends the benchmark.
double timedShell(const QString &command)
{
    QElapsedTimer clock;
    clock.start();
    const int code = shell(command);
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (code != 0)
        fail(QStringLiteral("exit code %1 from: %2").arg(code).arg(command));
    return seconds;
}

// "relative/path size" of every file below folder, sorted.
QStringList listing(const QString &folder)
{
    QStringList lines;
    const QDir base(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        lines << base.relativeFilePath(it.filePath()) + QLatin1Char(' ')
                        + QString::number(it.fileInfo().size());
    }
    lines.sort();
    return lines;
}

qint64 procStatus(const char *key)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return 0;
}

void resetPeakMemory()
{
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

qint64 heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    if (n == 0)
        return 0;
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The longest stretch in which the GUI thread handled no events, from a fast timer.
class EventProbe
{
public:
    EventProbe()
    {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(4);
        QObject::connect(&timer, &QTimer::timeout, [this] { tick(); });
        clock.start();
        timer.start();
    }
    void begin()
    {
        last = clock.nsecsElapsed();
        worst = 0;
    }
    // Milliseconds of the longest gap since begin(), up to now.
    double end()
    {
        tick();
        return worst / 1e6;
    }

private:
    void tick()
    {
        const qint64 now = clock.nsecsElapsed();
        worst = qMax(worst, now - last);
        last = now;
    }

    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
};

struct Verdict
{
    QString text;
    bool met;
};
QList<Verdict> verdicts;

void target(const QString &text, bool met) { verdicts.append({text, met}); }

void settle(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

class Bench
{
public:
    explicit Bench(const Options &options)
        : options(options)
    {
        window.show();
        settle(3000); // the advertisement page loads in its own process
        out = options.root + QStringLiteral("/out");
        removeTree(out);
        QDir().mkpath(out);
        QDir().mkpath(options.root + QStringLiteral("/empty"));
    }
    ~Bench() { removeTree(out); }

    void scans(const QString &tree, int files, int runs);
    void oneTypeGaps(const QString &tree, int files);
    void picks(const QString &tree, const QStringList &types, bool big);
    void shareScans(const QString &tree, int files);
    void sharePicks(const QString &tree, const QStringList &types);
    void coldScans(const QString &tree, int files);
    void flatGaps(const QString &tree);
    void clutterScans(const QString &plain, const QString &cached, int files);
    void verifies(const QString &tree);
    void hashSpeed();
    void details(int files);
    void printTargets();

private:
    // Seconds setSrcFolder took; the gap probe's worst in gapMs.
    double scan(const QString &folder);
    double pick(const QString &destination);
    void checkTypes(const QStringList &types);
    void chooseDestination(const QString &path);
    void compare(const QString &tool, const QString &folder, QStringList *reference);
    void forgetMemory(const QString &tree) { QFile::remove(tree + QStringLiteral("/.trovella")); }
    // Mounts folder afresh at mountPoint, so the client starts with cold caches.
    void mountShare(const QString &folder, const QString &mountPoint);
    void unmountShare(const QString &mountPoint);
    // Seconds of a scan of folder that must find files files, listed or left out by a rule.
    double checkedScan(const QString &folder, int files);
    // The files the last scan left out by a rule (the trees' .DS_Store), not their folders.
    qsizetype leftOutFiles() const
    {
        qsizetype count = 0;
        for (const Clutter::Entry &entry : window.lastWalkReport().ruledOut)
            count += !entry.folder;
        return count;
    }

    const Options options;
    Trovella window;
    EventProbe probe;
    QString out;
    double gapMs = 0;
    double worstScanGap = 0;
    double worstPickGap = 0;
    int copyRun = 0;
};

double Bench::scan(const QString &folder)
{
    QCoreApplication::processEvents();
    probe.begin();
    QElapsedTimer clock;
    clock.start();
    QMetaObject::invokeMethod(&window, "setSrcFolder", Q_ARG(QString, folder));
    const double seconds = clock.nsecsElapsed() / 1e9;
    gapMs = probe.end();
    return seconds;
}

void Bench::scans(const QString &tree, int files, int runs)
{
    const QString name = sizeName(files);
    forgetMemory(tree);
    const QString find
            = QStringLiteral("find ") + quoted(tree) + QStringLiteral(" -type f >/dev/null");

    // A warm-up pass of each, which also measures the memory the list holds.
    timedShell(find);
    scan(options.root + QStringLiteral("/empty"));
    const qint64 heapBefore = heapInUse();
    resetPeakMemory();
    const qint64 rssBefore = procStatus("VmRSS:");
    scan(tree);
    const qint64 peak = procStatus("VmHWM:") - rssBefore;
    const qint64 held = heapInUse() - heapBefore;
    const qsizetype listed = window.files().size();
    const FileList::Footprint footprint = window.files().footprint();
    if (listed + leftOutFiles() != files)
        fail(QStringLiteral("the scan of %1 listed %2 files, not %3")
                     .arg(tree)
                     .arg(listed)
                     .arg(files));

    QList<double> scanTimes;
    QList<double> findTimes;
    double worstGap = 0;
    for (int run = 0; run < runs; ++run) {
        findTimes << timedShell(find);
        scan(options.root + QStringLiteral("/empty"));
        scanTimes << scan(tree);
        worstGap = qMax(worstGap, gapMs);
        if (window.files().size() + leftOutFiles() != files)
            fail(QStringLiteral("a scan of %1 listed %2 files")
                         .arg(tree)
                         .arg(window.files().size()));
    }
    // A second scan of the same folder also lets go of the list the first one made.
    scan(tree);
    const double rescanGap = gapMs;
    worstGap = qMax(worstGap, rescanGap);
    forgetMemory(tree);

    const double s = median(scanTimes);
    const double f = median(findTimes);
    std::printf("scan %-4s  %8d files  trovella %7.3f s  find %7.3f s  ratio %5.2f  runs %d\n",
                qUtf8Printable(name), files, s, f, s / f, runs);
    std::printf("           memory per listed file: held %4.0f B, peak %4.0f B; "
                "longest GUI gap %5.1f ms (rescan %5.1f ms)\n",
                double(held) / listed, double(peak) / listed, worstGap, rescanGap);
    std::printf("           the list per file: record %.1f B, name %.1f B, folders %.1f B "
                "(%lld folders)\n",
                double(footprint.records) / listed, double(footprint.names) / listed,
                double(footprint.folders) / listed, qlonglong(footprint.folderCount));
    std::fflush(stdout);
    worstScanGap = qMax(worstScanGap, worstGap);
    if (files >= 100000)
        target(QStringLiteral("scan %1 <= 1.0x find: %2").arg(name).arg(s / f, 0, 'f', 2),
               s / f <= 1.0);
    if (files >= 1000000)
        target(QStringLiteral("memory per listed file %1 <= 128 B, peak <= 1.3x held: held %2 B, "
                              "peak %3 B")
                       .arg(name)
                       .arg(double(held) / listed, 0, 'f', 0)
                       .arg(double(peak) / listed, 0, 'f', 0),
               double(held) / listed <= 128 && peak <= 1.3 * held);
    oneTypeGaps(tree, files);
}

// The GUI thread when one type is checked after a scan (the summary), and when a pick of that
// type starts, until its copying begins; the pick is stopped then.
void Bench::oneTypeGaps(const QString &tree, int files)
{
    forgetMemory(tree);
    checkedScan(tree, files);
    checkTypes({});
    auto *list = window.findChild<QListWidget *>(QStringLiteral("listFileTypes"));
    const QList<QListWidgetItem *> jpg = list->findItems(QStringLiteral("jpg"), Qt::MatchExactly);
    if (jpg.isEmpty())
        fail(QStringLiteral("the list of %1 lacks jpg").arg(tree));
    QCoreApplication::processEvents();
    probe.begin();
    jpg.first()->setCheckState(Qt::Checked);
    const double checkGap = probe.end();

    const QString destination = out + QStringLiteral("/one-type");
    QDir().mkpath(destination);
    chooseDestination(destination);
    auto *bar = window.findChild<QProgressBar *>(QStringLiteral("progressBar"));
    auto *stop = window.findChild<QShortcut *>(QStringLiteral("stopPickShortcut"));
    double startGap = -1;
    double startSeconds = 0;
    QElapsedTimer clock;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (startGap >= 0 || !bar->isVisible())
            return;
        startGap = probe.end();
        startSeconds = clock.nsecsElapsed() / 1e9;
        emit stop->activated();
        probe.begin();
    });
    QCoreApplication::processEvents();
    probe.begin();
    clock.start();
    poll.start();
    QMetaObject::invokeMethod(&window, "pick");
    const double stoppedGap = probe.end();
    const double seconds = clock.nsecsElapsed() / 1e9;
    poll.stop();
    const QString message
            = window.findChild<QStatusBar *>(QStringLiteral("statusBar"))->currentMessage();
    if (startGap < 0 || !message.startsWith(QLatin1String("Stopped.")))
        fail(QStringLiteral("the pick of jpg did not start and stop: \"%1\"").arg(message));
    removeTree(destination);
    forgetMemory(tree);
    const QString name = sizeName(files);
    qsizetype selected = 0;
    for (int outcome = 0; outcome < PickReport::outcomeCount; ++outcome)
        selected += window.lastPickReport().count(PickItem::Outcome(outcome));
    std::printf("one type %-4s %8lld jpg files  longest GUI gap: check %5.1f ms, pick until the "
                "copying begins %5.1f ms (%.2f s), the stop's account %5.1f ms (%.2f s)\n",
                qUtf8Printable(name), qlonglong(selected), checkGap, startGap, startSeconds,
                stoppedGap, seconds - startSeconds);
    std::fflush(stdout);
    target(QStringLiteral("one type %1: GUI gap <= 100 ms at the check %2 ms and the pick's start "
                          "%3 ms")
                   .arg(name)
                   .arg(checkGap, 0, 'f', 1)
                   .arg(startGap, 0, 'f', 1),
           checkGap <= 100 && startGap <= 100);
}

void Bench::chooseDestination(const QString &path)
{
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&poll, &path] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            edit->setText(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    poll.start();
    window.findChild<QPushButton *>(QStringLiteral("bnDesFolder"))->click();
    if (window.destinationFolder() != path)
        fail(QStringLiteral("could not choose the destination %1").arg(path));
}

void Bench::checkTypes(const QStringList &types)
{
    auto *list = window.findChild<QListWidget *>(QStringLiteral("listFileTypes"));
    int found = 0;
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *item = list->item(row);
        const bool wanted = types.contains(item->text());
        found += wanted;
        item->setCheckState(wanted ? Qt::Checked : Qt::Unchecked);
    }
    if (found != types.size())
        fail(QStringLiteral("the list lacks some of %1").arg(types.join(QLatin1Char(' '))));
}

double Bench::pick(const QString &destination)
{
    chooseDestination(destination);
    ::sync();
    QCoreApplication::processEvents();
    probe.begin();
    QElapsedTimer clock;
    clock.start();
    QMetaObject::invokeMethod(&window, "pick");
    const double seconds = clock.nsecsElapsed() / 1e9;
    gapMs = probe.end();
    const QString message
            = window.findChild<QStatusBar *>(QStringLiteral("statusBar"))->currentMessage();
    if (!message.startsWith(QLatin1String("Finished.")))
        fail(QStringLiteral("the pick ended with \"%1\"").arg(message));
    return seconds;
}

void Bench::compare(const QString &tool, const QString &folder, QStringList *reference)
{
    const QStringList found = listing(folder);
    if (reference->isEmpty()) {
        if (found.isEmpty())
            fail(QStringLiteral("%1 copied nothing into %2").arg(tool, folder));
        *reference = found;
    } else if (found != *reference) {
        fail(QStringLiteral("%1 copied other files than the first tool into %2 (%3 files, not %4)")
                     .arg(tool, folder)
                     .arg(found.size())
                     .arg(reference->size()));
    }
}

void Bench::picks(const QString &tree, const QStringList &types, bool big)
{
    const QString name = QFileInfo(tree).fileName();
    forgetMemory(tree);
    scan(tree);
    checkTypes(types);

    QString patterns;
    QString names;
    peerFilters(types, &patterns, &names);
    const QString rsync = QStringLiteral(
            "rsync -a --include='*/'%1 --exclude='*' --ignore-existing -m %2/ %3/");

    struct Peer
    {
        QString label;
        QString command; // %1 the fresh destination
    };
    QList<Peer> peers;
    if (big) {
        peers << Peer {QStringLiteral("cp -r"), QStringLiteral("cp -r %1/. %2").arg(quoted(tree))}
              << Peer {QStringLiteral("cp -r && sync"),
                       QStringLiteral("cp -r %1/. %2 && sync").arg(quoted(tree))};
    } else {
        peers << Peer {QStringLiteral("rsync"),
                       rsync.arg(patterns, quoted(tree), QStringLiteral("%1"))}
              << Peer {QStringLiteral("rsync && sync"),
                       rsync.arg(patterns, quoted(tree), QStringLiteral("%1"))
                               + QStringLiteral(" && sync")}
              << Peer {QStringLiteral("cp --parents"),
                       QStringLiteral("cd %1 && find . -type f \\(%2 \\) -print0 | xargs -0 cp "
                                      "--parents -t %3")
                               .arg(quoted(tree), names, QStringLiteral("%1"))};
    }

    QStringList reference;
    QList<double> ours;
    QList<QList<double>> theirs(peers.size());
    double worstGap = 0;
    for (int run = 0; run < options.runs; ++run) {
        const QString destination = out + QStringLiteral("/trovella-%1").arg(++copyRun);
        QDir().mkpath(destination);
        ours << pick(destination);
        // The pick leaves the folder's memory in the source, which a peer would copy too.
        forgetMemory(tree);
        worstGap = qMax(worstGap, gapMs);
        compare(QStringLiteral("trovella"), destination + QLatin1Char('/') + name, &reference);
        removeTree(destination);
        for (qsizetype p = 0; p < peers.size(); ++p) {
            const QString fresh = out + QStringLiteral("/peer-%1").arg(++copyRun);
            QDir().mkpath(fresh);
            ::sync();
            theirs[p] << timedShell(peers[p].command.arg(quoted(fresh)));
            compare(peers[p].label, fresh, &reference);
            removeTree(fresh);
        }
        ::sync();
    }
    forgetMemory(tree);

    const double t = median(ours);
    std::printf("pick %-4s  %8lld files  trovella %7.3f s", qUtf8Printable(name.mid(5)),
                qlonglong(reference.size()), t);
    QList<double> peerMedians;
    for (qsizetype p = 0; p < peers.size(); ++p) {
        peerMedians << median(theirs[p]);
        std::printf("  %s %.3f s (%.2fx)", qUtf8Printable(peers[p].label), peerMedians[p],
                    t / peerMedians[p]);
    }
    std::printf("  runs %d\n           same files from every tool: yes; longest GUI gap %5.1f ms\n",
                options.runs, worstGap);
    std::fflush(stdout);
    worstPickGap = qMax(worstPickGap, worstGap);
    if (big) {
        target(QStringLiteral("big files <= 1.1x cp -r: %1 (%2x cp -r && sync)")
                       .arg(t / peerMedians[0], 0, 'f', 2)
                       .arg(t / peerMedians[1], 0, 'f', 2),
               t / peerMedians[0] <= 1.1);
    } else if (reference.size() >= 10000) {
        target(QStringLiteral("pick %1 faster than rsync && sync: %2x")
                       .arg(name.mid(5))
                       .arg(t / peerMedians[1], 0, 'f', 2),
               t < peerMedians[1]);
        target(QStringLiteral("pick %1 <= 1.3x rsync: %2x")
                       .arg(name.mid(5))
                       .arg(t / peerMedians[0], 0, 'f', 2),
               t / peerMedians[0] <= 1.3);
    }
}

void Bench::mountShare(const QString &folder, const QString &mountPoint)
{
    unmountShare(mountPoint);
    if (shell(QStringLiteral("%1 up %2 %3 %4 >/dev/null")
                      .arg(quoted(options.shareTool), quoted(folder), quoted(mountPoint))
                      .arg(options.rttMs))
        != 0)
        fail(QStringLiteral("could not mount %1 as a share").arg(folder));
}

void Bench::unmountShare(const QString &mountPoint)
{
    // Right after a tool the kernel may still hold the mount for a moment: then lazily.
    if (shell(QStringLiteral("%1 down %2 >/dev/null 2>&1")
                      .arg(quoted(options.shareTool), quoted(mountPoint)))
        != 0)
        shell(QStringLiteral("fusermount -uz %1 >/dev/null 2>&1").arg(quoted(mountPoint)));
}

double Bench::checkedScan(const QString &folder, int files)
{
    scan(options.root + QStringLiteral("/empty"));
    const double seconds = scan(folder);
    if (window.files().size() + leftOutFiles() != files)
        fail(QStringLiteral("a scan of %1 listed %2 files, not %3")
                     .arg(folder)
                     .arg(window.files().size())
                     .arg(files));
    return seconds;
}

// The tree through a share with a round trip per request; every tool starts on a fresh mount.
void Bench::shareScans(const QString &tree, int files)
{
    const QString name = sizeName(files);
    const QString mountPoint = options.root + QStringLiteral("/share");
    forgetMemory(tree);
    const QString find = QStringLiteral("find %1 -type f >/dev/null").arg(quoted(mountPoint));
    // fd leaves out hidden and ignored files unless told.
    const QString fd
            = QStringLiteral("fdfind -j 32 -H -I -t f . %1 >/dev/null").arg(quoted(mountPoint));
    QList<double> ours, finds, fds;
    double worstGap = 0;
    for (int run = 0; run < options.runs; ++run) {
        mountShare(tree, mountPoint);
        finds << timedShell(find);
        mountShare(tree, mountPoint);
        fds << timedShell(fd);
        mountShare(tree, mountPoint);
        ours << checkedScan(mountPoint, files);
        worstGap = qMax(worstGap, gapMs);
    }
    scan(options.root + QStringLiteral("/empty"));
    unmountShare(mountPoint);
    const double s = median(ours), f = median(finds), d = median(fds);
    std::printf("share scan %-4s %8d files at %d ms  trovella %7.3f s  find %7.3f s (%.2fx)  "
                "fd -j 32 %7.3f s (%.2fx)  runs %d; longest GUI gap %5.1f ms\n",
                qUtf8Printable(name), files, options.rttMs, s, f, s / f, d, s / d, options.runs,
                worstGap);
    std::fflush(stdout);
    worstScanGap = qMax(worstScanGap, worstGap);
    target(QStringLiteral("share scan %1 <= 1.0x fd -j 32: %2").arg(name).arg(s / d, 0, 'f', 2),
           s / d <= 1.0);
    target(QStringLiteral("share scan %1 <= 0.15x find: %2").arg(name).arg(s / f, 0, 'f', 2),
           s / f <= 0.15);
}

// The usual selection from the local tree onto a share, beside cp and rsync; the files that
// arrive are compared on the share's own side.
void Bench::sharePicks(const QString &tree, const QStringList &types)
{
    const QString name = QFileInfo(tree).fileName();
    const QString backing = options.root + QStringLiteral("/share-out");
    const QString mountPoint = options.root + QStringLiteral("/share");
    forgetMemory(tree);
    scan(tree);
    checkTypes(types);
    QString patterns, names;
    peerFilters(types, &patterns, &names);
    const QStringList labels {QStringLiteral("cp --parents"), QStringLiteral("rsync")};
    const QStringList commands {
            QStringLiteral(
                    "cd %1 && find . -type f \\(%2 \\) -print0 | xargs -0 cp --parents -t %3")
                    .arg(quoted(tree), names, QStringLiteral("%1")),
            QStringLiteral("rsync -r --include='*/'%1 --exclude='*' --ignore-existing -m %2/ %3/")
                    .arg(patterns, quoted(tree), QStringLiteral("%1"))};

    QStringList reference;
    QList<double> ours;
    QList<QList<double>> theirs(labels.size());
    double worstGap = 0;
    qsizetype stray = 0;
    for (int run = 0; run < options.runs; ++run) {
        removeTree(backing);
        QDir().mkpath(backing);
        for (qsizetype p = 0; p < labels.size(); ++p) {
            const QString folder = QStringLiteral("peer-%1").arg(++copyRun);
            QDir().mkpath(backing + QLatin1Char('/') + folder);
            mountShare(backing, mountPoint);
            theirs[p] << timedShell(
                    commands[p].arg(quoted(mountPoint + QLatin1Char('/') + folder)));
            unmountShare(mountPoint);
            compare(labels[p], backing + QLatin1Char('/') + folder, &reference);
        }
        const QString folder = QStringLiteral("trovella-%1").arg(++copyRun);
        QDir().mkpath(backing + QLatin1Char('/') + folder);
        mountShare(backing, mountPoint);
        ours << pick(mountPoint + QLatin1Char('/') + folder);
        worstGap = qMax(worstGap, gapMs);
        unmountShare(mountPoint);
        // Names the pick left beside the files are counted, not fatal: today's figure.
        const QStringList found
                = listing(backing + QLatin1Char('/') + folder + QLatin1Char('/') + name);
        QStringList missing = reference;
        for (const QString &line : found) {
            if (!missing.removeOne(line))
                ++stray;
        }
        if (!missing.isEmpty())
            fail(QStringLiteral("the pick onto the share lacks %1 files, such as %2")
                         .arg(missing.size())
                         .arg(missing.first()));
    }
    removeTree(backing);
    forgetMemory(tree);
    const double t = median(ours);
    std::printf("share pick %-4s %8lld files at %d ms  trovella %7.3f s",
                qUtf8Printable(name.mid(5)), qlonglong(reference.size()), options.rttMs, t);
    QList<double> medians;
    for (qsizetype p = 0; p < labels.size(); ++p) {
        medians << median(theirs[p]);
        std::printf("  %s %.3f s (%.2fx)", qUtf8Printable(labels[p]), medians[p], t / medians[p]);
    }
    std::printf(
            "  runs %d\n           stray names left by the pick: %lld; longest GUI gap %5.1f ms\n",
            options.runs, qlonglong(stray), worstGap);
    std::fflush(stdout);
    worstPickGap = qMax(worstPickGap, worstGap);
    target(QStringLiteral("share pick %1 <= 0.5x cp: %2x, stray names %3")
                   .arg(name.mid(5))
                   .arg(t / medians[0], 0, 'f', 2)
                   .arg(stray),
           t / medians[0] <= 0.5 && stray == 0);
}

// Every tool starts with the page cache dropped, as after plugging in a disk.
void Bench::coldScans(const QString &tree, int files)
{
    const QString name = sizeName(files);
    forgetMemory(tree);
    const QString drop = QStringLiteral("sync && echo 3 > /proc/sys/vm/drop_caches");
    if (shell(drop + QStringLiteral(" 2>/dev/null")) != 0) {
        std::printf("cold scan %s: skipped, cannot drop the page cache (needs root)\n",
                    qUtf8Printable(name));
        return;
    }
    const QString find = QStringLiteral("find %1 -type f >/dev/null").arg(quoted(tree));
    const QString fd = QStringLiteral("fdfind -H -I -t f . %1 >/dev/null").arg(quoted(tree));
    QList<double> ours, finds, fds;
    for (int run = 0; run < options.runs; ++run) {
        shell(drop);
        finds << timedShell(find);
        shell(drop);
        fds << timedShell(fd);
        scan(options.root + QStringLiteral("/empty"));
        shell(drop);
        ours << checkedScan(tree, files);
    }
    const double s = median(ours), f = median(finds), d = median(fds);
    std::printf("cold scan %-4s %8d files  trovella %7.3f s  find %7.3f s (%.2fx)  fd %7.3f s "
                "(%.2fx)  runs %d\n",
                qUtf8Printable(name), files, s, f, s / f, d, s / d, options.runs);
    std::fflush(stdout);
    target(QStringLiteral("cold scan %1 <= 1.0x fd: %2").arg(name).arg(s / d, 0, 'f', 2),
           s / d <= 1.0);
}

// The longest the GUI thread goes without events on a folder that holds all its files itself.
void Bench::flatGaps(const QString &tree)
{
    forgetMemory(tree);
    checkedScan(tree, 200000);
    const double scanGap = gapMs;
    checkTypes({QStringLiteral("jpg")});
    const QString destination = out + QStringLiteral("/flat");
    QDir().mkpath(destination);
    const double seconds = pick(destination);
    const double pickGap = gapMs;
    removeTree(destination);
    forgetMemory(tree);
    std::printf("flat 200k  one folder  longest GUI gap: scan %5.1f ms, pick of 40000 files %5.1f "
                "ms (%.1f s)\n",
                scanGap, pickGap, seconds);
    std::fflush(stdout);
    worstScanGap = qMax(worstScanGap, scanGap);
    worstPickGap = qMax(worstPickGap, pickGap);
}

// The same tree with an @eaDir in every folder and without, on the local disk and, with
// --network, through a share; the caches are not walked, so they should cost nothing.
void Bench::clutterScans(const QString &plain, const QString &cached, int files)
{
    const QString name = sizeName(files);
    const QString mountPoint = options.root + QStringLiteral("/share");
    QList<QPair<QString, bool>> places {{QStringLiteral("local"), false}};
    if (options.network)
        places.append({QStringLiteral("share"), true});
    for (const auto &place : std::as_const(places)) {
        QList<double> without, with;
        for (int run = 0; run < options.runs; ++run) {
            for (const QString &tree : {plain, cached}) {
                forgetMemory(tree);
                QString folder = tree;
                if (place.second) {
                    mountShare(tree, mountPoint);
                    folder = mountPoint;
                }
                (tree == plain ? without : with) << checkedScan(folder, files);
                if (window.lastWalkReport().ruledOut.size() - leftOutFiles()
                    != (tree == plain ? 0 : (files + filesPerFolder - 1) / filesPerFolder))
                    fail(QStringLiteral("the scan of %1 did not leave out one @eaDir a folder")
                                 .arg(tree));
                forgetMemory(tree);
            }
        }
        scan(options.root + QStringLiteral("/empty"));
        if (place.second)
            unmountShare(mountPoint);
        const double a = median(without), b = median(with);
        std::printf("clutter scan %-4s %-5s %8d files  with an @eaDir in every folder %7.3f s  "
                    "without %7.3f s  ratio %5.2f  runs %d\n",
                    qUtf8Printable(name), qUtf8Printable(place.first), files, b, a, b / a,
                    options.runs);
        std::fflush(stdout);
        target(QStringLiteral("%1 scan %2 with @eaDir <= 1.05x without: %3")
                       .arg(place.first, name)
                       .arg(b / a, 0, 'f', 2),
               b / a <= 1.05);
    }
}

// The big files picked with and without verifying, beside a cold read of the copies: the
// verifying costs no more than reading the copies back once more.
void Bench::verifies(const QString &tree)
{
    forgetMemory(tree);
    scan(tree);
    checkTypes({QStringLiteral("bin")});
    auto *verify = window.findChild<QCheckBox *>(QStringLiteral("cbVerifyCopies"));
    QList<double> plain, verified, cold;
    double worstGap = 0;
    for (int run = 0; run < options.runs; ++run) {
        for (const bool on : {false, true}) {
            verify->setChecked(on);
            const QString destination = out + QStringLiteral("/verify-%1").arg(++copyRun);
            QDir().mkpath(destination);
            (on ? verified : plain) << pick(destination);
            worstGap = qMax(worstGap, gapMs);
            forgetMemory(tree);
            if (on) {
                ::sync();
                shell(QStringLiteral("echo 3 > /proc/sys/vm/drop_caches"));
                cold << timedShell(QStringLiteral("find %1 -type f -exec cat {} + > /dev/null")
                                           .arg(quoted(destination)));
            }
            removeTree(destination);
        }
    }
    verify->setChecked(false);
    const double a = median(plain), b = median(verified), c = median(cold);
    std::printf("verify big  %d files  pick %7.3f s  pick verified %7.3f s  cold cat of the copies "
                "%7.3f s  runs %d; longest GUI gap %5.1f ms\n",
                bigFiles, a, b, c, options.runs, worstGap);
    std::fflush(stdout);
    worstPickGap = qMax(worstPickGap, worstGap);
    target(QStringLiteral("verified pick <= pick + 1.1x cold read: %1 s <= %2 s")
                   .arg(b, 0, 'f', 3)
                   .arg(a + 1.1 * c, 0, 'f', 3),
           b <= a + 1.1 * c);
}

// XXH3-128 alone, over a buffer in memory as large as a big file.
void Bench::hashSpeed()
{
    const std::vector<char> &bytes = noise();
    const qint64 size = 256 << 20;
    std::vector<char> data(static_cast<size_t>(size));
    for (qint64 at = 0; at < size; at += qint64(bytes.size()))
        std::memcpy(data.data() + at, bytes.data(), size_t(qMin<qint64>(bytes.size(), size - at)));
    QList<double> rates;
    XXH128_hash_t sum {};
    for (int run = 0; run < qMax(options.runs, 3); ++run) {
        QElapsedTimer clock;
        clock.start();
        sum = XXH3_128bits(data.data(), data.size());
        rates << size / (clock.nsecsElapsed() / 1e9) / 1e9;
    }
    const double rate = median(rates);
    std::printf("hash XXH3-128  %.1f GB/s over 256 MiB in memory (%016llx)\n", rate,
                qulonglong(sum.low64));
    target(QStringLiteral("hash alone >= 5 GB/s: %1 GB/s").arg(rate, 0, 'f', 1), rate >= 5);
}

// The journal of a verified pick of files files from options.root/src, written as a pick
// writes it: the folders of the generated trees, mixed outcomes, checksums on the copies.
QString writeJournal(const Options &options, int files)
{
    const QString source = options.root + QStringLiteral("/src");
    const QString target = options.root + QStringLiteral("/des/src");
    Journal journal;
    if (!journal.open({source, target, QDateTime::currentDateTime(), true}))
        fail(QStringLiteral("could not write a journal: %1").arg(journal.error()));
    for (int i = 0; i < files; ++i) {
        const int folder = i / filesPerFolder;
        const QString dir = QStringLiteral("/y%1/m%2/d%3%4")
                                    .arg(folder / 1000, 3, 10, QLatin1Char('0'))
                                    .arg((folder / 50) % 20, 2, 10, QLatin1Char('0'))
                                    .arg(folder % 50, 2, 10, QLatin1Char('0'))
                                    .arg(folder % 5 ? QString() : QStringLiteral("/raw"));
        if (i % filesPerFolder == 0)
            journal.addFolder(target + dir);
        const quint64 h = mix(quint64(i));
        const QString name = dir + QStringLiteral("/IMG_%1").arg(i, 7, 10, QLatin1Char('0'))
                + QLatin1String(suffixFor(h >> 8));
        // Mostly copies, then files already there, failures, files not reached and a few the
        // scan left out, as a stopped pick onto a nearly full disk leaves them.
        static const std::pair<PickItem::Outcome, const char *> outcomes[]
                = {{PickItem::Same, "same size and modification time"},
                   {PickItem::Different, "a different file of the same name"},
                   {PickItem::Failed, "could not be copied: no space left on the device"},
                   {PickItem::NotReached, ""},
                   {PickItem::LeftOut, "the folder could not be read: permission denied"}};
        const int kind = int(h % 100);
        PickItem item {PickItem::Copied, source + name, target + name, QString(),
                       qint64(1 + (h >> 20) % 4000)};
        if (kind >= 80) {
            const auto &[outcome, reason] = outcomes[qMin((kind - 80) / 4, 4)];
            item.outcome = outcome;
            item.reason = QString::fromLatin1(reason);
        }
        item.modified = qint64(1700000000 + i) * 1000000000;
        if (item.outcome == PickItem::Copied)
            item.checksum = QByteArray(reinterpret_cast<const char *>(&h), sizeof h).repeated(2);
        journal.add(item);
        journal.flush(false);
    }
    journal.flush();
    return journal.path();
}

// The details of a pick of files files, from its journal: opened, indexed, every outcome
// shown and scrolled to its end without the GUI thread stalling.
void Bench::details(int files)
{
    QElapsedTimer clock;
    clock.start();
    const QString journal = writeJournal(options, files);
    std::printf("details %8d files  journal of %.0f MB written in %.1f s\n", files,
                QFileInfo(journal).size() / 1e6, clock.elapsed() / 1000.0);
    std::fflush(stdout);
    settle(200);
    probe.begin();
    clock.start();
    auto *dialog = new PickReportDialog(PickReport(), journal, QString(), &window);
    dialog->show();
    QCoreApplication::processEvents();
    const double opened = clock.nsecsElapsed() / 1e6;
    auto *table = dialog->findChild<QTableView *>(QStringLiteral("tableFiles"));
    while (table->model()->rowCount() < files && clock.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const double shown = clock.nsecsElapsed() / 1e9;
    const double indexGap = probe.end();
    if (table->model()->rowCount() != files)
        fail(QStringLiteral("the details show %1 of %2 rows")
                     .arg(table->model()->rowCount())
                     .arg(files));
    // Each filter, the longest switch with its scroll to the end, and the rows seen there.
    auto *show = dialog->findChild<QComboBox *>(QStringLiteral("cbbOutcome"));
    double worstSwitch = 0;
    for (int i = show->count() - 1; i >= 0; --i) {
        settle(50);
        probe.begin();
        show->setCurrentIndex(i);
        table->scrollToBottom();
        QCoreApplication::processEvents();
        worstSwitch = qMax(worstSwitch, probe.end());
    }
    settle(50);
    probe.begin();
    delete dialog;
    const double closeGap = probe.end();
    QFile::remove(journal);
    const double gap = qMax(qMax(indexGap, worstSwitch), closeGap);
    std::printf("details %8d files  dialog open in %5.1f ms, every row shown in %6.3f s; longest "
                "GUI gap: indexing %5.1f ms, a filter with its scroll %5.1f ms, closing %5.1f ms\n",
                files, opened, shown, indexGap, worstSwitch, closeGap);
    target(QStringLiteral("details of %1 files: GUI gap %2 ms <= 100 ms")
                   .arg(files)
                   .arg(gap, 0, 'f', 1),
           gap <= 100);
}

void Bench::printTargets()
{
    target(QStringLiteral("GUI thread never > 100 ms without events: scan %1 ms, pick %2 ms")
                   .arg(worstScanGap, 0, 'f', 1)
                   .arg(worstPickGap, 0, 'f', 1),
           worstScanGap <= 100 && worstPickGap <= 100);
    std::printf("\ntargets\n");
    for (const Verdict &v : std::as_const(verdicts))
        std::printf("  [%s] %s\n", v.met ? "met" : "MISSED", qUtf8Printable(v.text));
}

Options parse(const QStringList &args)
{
    Options options;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        const QString value = i + 1 < args.size() ? args[i + 1] : QString();
        bool ok = true;
        if (arg == QLatin1String("--root")) {
            options.root = QDir(value).absolutePath();
            ++i;
        } else if (arg == QLatin1String("--runs")) {
            options.runs = value.toInt(&ok);
            ++i;
        } else if (arg == QLatin1String("--runs-1m")) {
            options.runsMillion = value.toInt(&ok);
            ++i;
        } else if (arg == QLatin1String("--sizes")) {
            options.sizes.clear();
            for (QString size : value.toLower().split(QLatin1Char(','))) {
                int factor = 1;
                if (size.endsWith(QLatin1Char('k')))
                    factor = 1000;
                else if (size.endsWith(QLatin1Char('m')))
                    factor = 1000000;
                if (factor > 1)
                    size.chop(1);
                options.sizes << size.toInt(&ok) * factor;
            }
            ++i;
        } else if (arg == QLatin1String("--no-big")) {
            options.big = false;
        } else if (arg == QLatin1String("--network")) {
            options.network = true;
        } else if (arg == QLatin1String("--cold")) {
            options.cold = true;
        } else if (arg == QLatin1String("--flat")) {
            options.flat = true;
        } else if (arg == QLatin1String("--share-tool")) {
            options.shareTool = QFileInfo(value).absoluteFilePath();
            ++i;
        } else if (arg == QLatin1String("--only")) {
            options.only = value.split(QLatin1Char(','));
            ++i;
        } else if (arg == QLatin1String("--rtt")) {
            options.rttMs = value.toInt(&ok);
            ++i;
        } else {
            ok = false;
        }
        if (!ok || options.runs < 1 || options.runsMillion < 1) {
            std::printf("usage: trovella_bench [--root DIR] [--runs N] [--runs-1m N] "
                        "[--sizes 10k,100k,1m,10m] [--no-big] [--network [--share-tool PATH] "
                        "[--rtt MS]] [--cold] [--flat] [--only SCENARIO,...]\n");
            std::exit(2);
        }
    }
    if (options.network && !QFileInfo(options.shareTool).isExecutable())
        fail(QStringLiteral("no share tool at %1 (--share-tool)").arg(options.shareTool));
    return options;
}

// The offscreen platform complains about every dialog; the rest goes through.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints"))
        || qstrcmp(context.category, "qt.webenginecontext") == 0)
        return;
    std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char *argv[])
{
    // The same start as the program's own main().
    tuneMemoryAllocator();
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.debug=false");
    qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                "--disable-gpu --no-sandbox --disable-background-networking");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // Each scan logs what its rules left out: no part of the figures.
    QLoggingCategory::setFilterRules(QStringLiteral("trovella.scan.info=false"));
    const Options options = parse(QCoreApplication::arguments());
    QDir().mkpath(options.root);
    // Trovella.ini lands in the working directory; keep it out of the caller's.
    QDir::setCurrent(options.root);
    // The picks' journals too, out of the caller's data folder.
    qputenv("XDG_DATA_HOME", QFile::encodeName(options.root + QStringLiteral("/data")));

    // The details write a journal of their own: the trees are made only for the rows on trees.
    QList<QPair<int, QString>> trees;
    const bool onTrees = options.wants("scan") || options.wants("pick")
            || options.wants("share-scan") || options.wants("cold") || options.wants("clutter");
    for (const int files : options.sizes)
        trees.append({files, onTrees ? smallTree(options, files) : QString()});
    const bool onBig = options.big && (options.wants("pick") || options.wants("verify"));
    const QString big = onBig ? bigTree(options) : QString();
    const QString flat = options.flat ? flatTree(options) : QString();
    ::sync();

    std::printf("\ntrovella_bench: %s, medians over %d runs (%d for 1 M)\n",
                qUtf8Printable(options.root), options.runs, options.runsMillion);
    Bench bench(options);
    for (const auto &tree : std::as_const(trees)) {
        if (options.wants("scan"))
            bench.scans(tree.second, tree.first,
                        tree.first >= 1000000 ? options.runsMillion : options.runs);
        else if (options.wants("one-type"))
            bench.oneTypeGaps(tree.second, tree.first);
    }
    for (const auto &tree : std::as_const(trees)) {
        if (tree.first <= 100000 && options.wants("pick"))
            bench.picks(tree.second, pickedTypes, false);
    }
    if (options.big && options.wants("pick"))
        bench.picks(big, {QStringLiteral("bin")}, true);
    for (const auto &tree : std::as_const(trees)) {
        // A million files through a share would take the better part of an hour with find.
        if (options.network && tree.first <= 100000 && options.wants("share-scan"))
            bench.shareScans(tree.second, tree.first);
        if (options.cold && options.wants("cold"))
            bench.coldScans(tree.second, tree.first);
    }
    // The pick onto a share takes a round trip or more per file: the small tree's selection.
    if (options.network && options.wants("share-pick"))
        bench.sharePicks(smallTree(options, 10000), pickedTypes);
    if (options.flat && options.wants("flat"))
        bench.flatGaps(flat);
    for (const auto &tree : std::as_const(trees)) {
        if (tree.first <= 100000 && options.wants("clutter"))
            bench.clutterScans(tree.second, smallTree(options, tree.first, true), tree.first);
    }
    if (options.big && options.wants("verify"))
        bench.verifies(big);
    if (options.wants("hash"))
        bench.hashSpeed();
    if (options.wants("details") && !options.sizes.isEmpty())
        bench.details(*std::max_element(options.sizes.cbegin(), options.sizes.cend()));
    bench.printTargets();
    return 0;
}
