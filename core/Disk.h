#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <mutex>

// What the disk under a path is like, told by the file-system type of its mount as
// /proc/self/mountinfo names it ("ext4", "vfat", "fuse.sshfs", "fuseblk", "nfs4", ...).
namespace Disk {

// The type of the mount holding path, or of its nearest existing parent when path is yet to
// be made; empty when unknown.
QByteArray typeOf(const QString &path);

// Network file systems, also through FUSE (sshfs, rclone, gvfs): every request waits for a
// round trip. FUSE drivers of local disks (ntfs-3g, exfat-fuse, fusefat) are not remote.
bool isRemote(const QByteArray &type);
bool isRemote(const QString &path);

// Whether one sync of the whole file system makes written files durable. FUSE and network
// file systems pass no such sync on to where the data lives; each file must be synced itself.
bool syncsWhole(const QByteArray &type);

// The coarsest step in which the disk may keep modification times, in nanoseconds: two
// seconds on FAT, whole seconds over SFTP, and two seconds where the driver is not known.
qint64 timeStep(const QByteArray &type);

// How many folder reads, and how many copies, are best under way at once on the disk of path.
int walkThreads(const QString &path);
int copyThreads(const QString &path);

// What a copier needs to know of each disk it writes to, found out once a disk; any thread.
class Kinds
{
public:
    struct Kind
    {
        bool syncsWhole = true;
        qint64 timeStep = 1;
    };
    // The kind of the disk device, which holds path.
    Kind of(quint64 device, const QString &path);

private:
    std::mutex lock;
    QHash<quint64, Kind> kinds;
};

} // namespace Disk
