#include "groups/FileTypeGroupStore.h"

#include <cstdint>
#include <cstdlib>

// The group store reader on arbitrary bytes: it must neither crash nor lose its invariants.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes
            = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QMap<QString, QString> groups = FileTypeGroupStore::parse(bytes);
    // A group is one line cut at "=": neither part holds a line end or the name an "=".
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        if (it.key().contains(QLatin1Char('=')) || it.key().contains(QLatin1Char('\n'))
            || it.value().contains(QLatin1Char('=')) || it.value().contains(QLatin1Char('\n')))
            std::abort();
    }
    return 0;
}
