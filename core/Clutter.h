#pragma once

#include <QCoreApplication>
#include <QFlags>
#include <QList>
#include <QString>

#include <cstddef>

// What other systems leave in a tree beside the user's files, and the rules that keep it out
// of a scan. Thumbnail caches, resource forks and folder settings are made again by the
// system that wrote them; trash, snapshots and system folders hold real files, but not ones
// the user meant, and a snapshot repeats the whole tree. No rule ever acts on the source.
class Clutter
{
    Q_DECLARE_TR_FUNCTIONS(Clutter)

public:
    enum Rule {
        None = 0,
        ThumbnailCache = 0x01,
        MacResourceFork = 0x02,
        MacMetadata = 0x04,
        WindowsFolderSettings = 0x08,
        TrashFolder = 0x10,
        SnapshotFolder = 0x20,
        SystemFolder = 0x40,
    };
    Q_DECLARE_FLAGS(Rules, Rule)

    // What a walk left out under a rule: a folder, not entered, or a file.
    struct Entry
    {
        Rule rule = None;
        bool folder = false;
        qint64 bytes = 0; // of a file; 0 for a folder, which is not walked
        QString path;
    };

    // Regenerable: left out unless the user includes system files.
    static Rules regenerable();
    // The user's data in odd places: held back unless the user includes them.
    static Rules heldBack();
    // Every rule, in the order the window and the account name them.
    static const QList<Rule> &all();

    // The rule a name falls under, None for most. A file named "._*" falls under
    // MacResourceFork only when its first bytes pass isAppleDouble(): the caller reads them.
    static Rule match(const char *name, std::size_t length, bool folder);
    static Rule match(const QString &name, bool folder);
    // Whether head, the first four bytes of a file, start an AppleDouble file.
    static bool isAppleDouble(const unsigned char *head);

    // "left out: thumbnail cache": the reason the account gives.
    static QString reason(Rule rule);
    // "3 thumbnail caches": what the window shows.
    static QString countText(Rule rule, int count);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Clutter::Rules)
