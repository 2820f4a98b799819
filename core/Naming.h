#pragma once

#include <QByteArray>
#include <QSet>

#include <mutex>

// The ways a finished copy gets its name, none of which ever replaces a file: an unnamed file
// is linked by its descriptor; a file in a staging folder is renamed without replacing, or
// linked where a disk offers no such rename (sshfs, NFS, ntfs-3g), or where it offers neither
// (fusefat, exFAT), renamed over an empty claim of the name that no one else can take.
class Naming
{
public:
    // Names the copy open at fd, unnamed where temporary is empty, target, and closes fd; the
    // temporary name goes either way. Returns 0 or the errno of the failure. Any thread.
    int give(int fd, const QByteArray &temporary, quint64 device, const QByteArray &target);

private:
    std::mutex lock;
    // The disks that refused to rename without replacing: asked once, as on a share each
    // refusal costs a round trip.
    QSet<quint64> noRenameWithoutReplacing;
};
