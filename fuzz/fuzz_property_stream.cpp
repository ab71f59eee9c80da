// Feeds arbitrary bytes to the property-stream reader. A malformed stream may
// only ever raise UnsupportedFormatException; anything else (a crash, a read
// past the end, another exception, an entry outside the stream) is a fault.
#include "framework/exceptions.h"
#include "framework/property_stream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fw::PropertyStreamView stream(data, size);
    std::size_t next = 0;  // entries are read front to back, each after the last
    try {
        fw::ReadPropertyStream(stream, [&](const fw::PropertyEntry& entry) {
            if (entry.offset < next || entry.offset + entry.key.size() >= size) std::abort();
            next = entry.offset + entry.key.size() + 1;
        });
    } catch (const fw::UnsupportedFormatException&) {
    }
    return 0;
}
