#include "Folders.h"

#include <QDir>
#include <QFile>

#include <utility>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <sys/stat.h>
#endif

QString Folders::of(const QString &path)
{
    return path.left(qMax<qsizetype>(path.lastIndexOf(QLatin1Char('/')), 0));
}

int Folders::make(const QString &folder)
{
    {
        const std::lock_guard<std::mutex> hold(lock);
        const auto known = tried.constFind(folder);
        if (known != tried.constEnd())
            return *known;
    }
    int error = 0;
    bool madeNow = false;
#ifdef Q_OS_LINUX
    // Two copies may make the same folder at once: the second finds it there.
    const QByteArray path = QFile::encodeName(folder);
    if (!path.isEmpty() && ::mkdir(path.constData(), 0777) == 0) {
        madeNow = true;
    } else if (!path.isEmpty()) {
        error = errno;
        if (error == ENOENT) {
            error = make(of(folder));
            madeNow = error == 0 && ::mkdir(path.constData(), 0777) == 0;
            if (error == 0 && !madeNow)
                error = errno;
        }
        if (error == EEXIST) {
            struct stat st;
            error = ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
        }
    }
#else
    error = QDir().mkpath(folder) ? 0 : 1;
#endif
    const std::lock_guard<std::mutex> hold(lock);
    tried.insert(folder, error);
    if (madeNow) {
        made.insert(folder);
        fresh.append(folder);
    }
    return error;
}

QStringList Folders::takeNew()
{
    const std::lock_guard<std::mutex> hold(lock);
    return std::exchange(fresh, QStringList());
}

bool Folders::madeHere(const QString &folder)
{
    const std::lock_guard<std::mutex> hold(lock);
    return made.contains(folder);
}
