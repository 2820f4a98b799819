#include "core/TypeMemory.h"

#include <cstdint>
#include <cstdlib>

// The memory file reader on arbitrary bytes: it must neither crash nor lose its invariants.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes
            = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const TypeMemory::Content memory = TypeMemory::parse(bytes);
    // Any byte makes a first line; types come only from the lines after it.
    if (memory.found == bytes.isEmpty())
        std::abort();
    if (!memory.found && !(memory.checked.isEmpty() && memory.unchecked.isEmpty()))
        std::abort();
    if (memory.destinationLine.contains(QLatin1Char('\n')))
        std::abort();
    return 0;
}
