#include "Clutter.h"

#include "Texts.h"

#include <cstring>
#include <strings.h>

namespace {

struct Name
{
    const char *text;
    Clutter::Rule rule;
    bool prefix;
};

// Folders, by name in any case: the systems that make them differ in case.
const Name folders[] = {
        {"@eaDir", Clutter::ThumbnailCache, false},
        {".@__thumb", Clutter::ThumbnailCache, false},
        {"@__thumb", Clutter::ThumbnailCache, false},
        {".thumbnails", Clutter::ThumbnailCache, false},
        {".thumbnail", Clutter::ThumbnailCache, false},
        {".AppleDouble", Clutter::MacResourceFork, false},
        {".Spotlight-V100", Clutter::MacMetadata, false},
        {".fseventsd", Clutter::MacMetadata, false},
        {".TemporaryItems", Clutter::MacMetadata, false},
        {"__MACOSX", Clutter::MacMetadata, false},
        {".Trash-", Clutter::TrashFolder, true},
        {".Trashes", Clutter::TrashFolder, false},
        {"$RECYCLE.BIN", Clutter::TrashFolder, false},
        {"#recycle", Clutter::TrashFolder, false},
        {"@Recycle", Clutter::TrashFolder, false},
        {".recycle", Clutter::TrashFolder, false},
        {"#snapshot", Clutter::SnapshotFolder, false},
        {"@Recently-Snapshot", Clutter::SnapshotFolder, false},
        {".zfs", Clutter::SnapshotFolder, false},
        {".snapshot", Clutter::SnapshotFolder, false},
        {"System Volume Information", Clutter::SystemFolder, false},
        {"lost+found", Clutter::SystemFolder, false},
};

bool is(const char *name, std::size_t length, const char *text)
{
    return length == std::strlen(text) && ::strncasecmp(name, text, length) == 0;
}

bool startsWith(const char *name, std::size_t length, const char *text)
{
    const std::size_t size = std::strlen(text);
    return length > size && ::strncasecmp(name, text, size) == 0;
}

} // namespace

Clutter::Rules Clutter::regenerable()
{
    return ThumbnailCache | MacResourceFork | MacMetadata | WindowsFolderSettings;
}

Clutter::Rules Clutter::heldBack() { return TrashFolder | SnapshotFolder | SystemFolder; }

const QList<Clutter::Rule> &Clutter::all()
{
    static const QList<Rule> rules {ThumbnailCache,        MacResourceFork, MacMetadata,
                                    WindowsFolderSettings, TrashFolder,     SnapshotFolder,
                                    SystemFolder};
    return rules;
}

Clutter::Rule Clutter::match(const char *name, std::size_t length, bool folder)
{
    if (folder) {
        for (const Name &entry : folders) {
            if (entry.prefix ? startsWith(name, length, entry.text) : is(name, length, entry.text))
                return entry.rule;
        }
        return None;
    }
    // Every file name of the walk passes here: most leave at the first comparison.
    switch (name[0]) {
    case '.':
        if (name[1] == '_' && length > 2)
            return MacResourceFork;
        return is(name, length, ".DS_Store") ? MacMetadata : None;
    case 'T':
    case 't':
        return is(name, length, "Thumbs.db") ? ThumbnailCache : None;
    case 'E':
    case 'e':
        return is(name, length, "ehthumbs.db") ? ThumbnailCache : None;
    case 'D':
    case 'd':
        return is(name, length, "desktop.ini") ? WindowsFolderSettings : None;
    case 'S':
    case 's':
        return startsWith(name, length, "SYNOFILE_THUMB_") ? ThumbnailCache : None;
    default:
        return None;
    }
}

Clutter::Rule Clutter::match(const QString &name, bool folder)
{
    const QByteArray bytes = name.toUtf8();
    return match(bytes.constData(), std::size_t(bytes.size()), folder);
}

bool Clutter::isAppleDouble(const unsigned char *head)
{
    return head[0] == 0x00 && head[1] == 0x05 && head[2] == 0x16 && head[3] == 0x07;
}

QString Clutter::reason(Rule rule)
{
    switch (rule) {
    case ThumbnailCache:
        return tr("left out: thumbnail cache");
    case MacResourceFork:
        return tr("left out: Mac resource fork");
    case MacMetadata:
        return tr("left out: Mac folder data");
    case WindowsFolderSettings:
        return tr("left out: Windows folder settings");
    case TrashFolder:
        return tr("held back: trash folder");
    case SnapshotFolder:
        return tr("held back: snapshot folder");
    case SystemFolder:
        return tr("held back: system folder");
    case None:
        break;
    }
    return QString();
}

QString Clutter::countText(Rule rule, int count)
{
    switch (rule) {
    case ThumbnailCache:
        return Texts::plural<Clutter>(count, QT_TR_NOOP("1 thumbnail cache"),
                                      QT_TR_N_NOOP("%Ln thumbnail caches"));
    case MacResourceFork:
        return Texts::plural<Clutter>(count, QT_TR_NOOP("1 Mac resource fork"),
                                      QT_TR_N_NOOP("%Ln Mac resource forks"));
    case MacMetadata:
        return Texts::plural<Clutter>(count, QT_TR_NOOP("1 Mac system file"),
                                      QT_TR_N_NOOP("%Ln Mac system files"));
    case WindowsFolderSettings:
        return Texts::plural<Clutter>(count, QT_TR_NOOP("1 Windows folder setting"),
                                      QT_TR_N_NOOP("%Ln Windows folder settings"));
    case TrashFolder:
        return Texts::plural<Clutter>(count, QT_TR_NOOP("1 trash folder"),
                                      QT_TR_N_NOOP("%Ln trash folders"));
    case SnapshotFolder:
        return Texts::plural<Clutter>(count, QT_TR_NOOP("1 snapshot folder"),
                                      QT_TR_N_NOOP("%Ln snapshot folders"));
    case SystemFolder:
        return Texts::plural<Clutter>(count, QT_TR_NOOP("1 system folder"),
                                      QT_TR_N_NOOP("%Ln system folders"));
    case None:
        break;
    }
    return QString();
}
