// Property streams: the layout data from which every window and control is
// built. A stream is a run of entries with nothing before, between or after
// them; each entry is a key in ASCII letters, one blank (0x20) and the value,
// whose width the key's type fixes (see PropertyType). There are no type
// tags, so a reader that does not know a key cannot find the next entry.
//
// The keys are in property_keys.h; streams are written in source through the
// encoder in property_encoder.h and read here.
#pragma once

#include "framework/property_keys.h"
#include "framework/property_types.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace fw {

// A stream as the reader takes it: the bytes, known with their length.
using PropertyStreamView = std::span<const std::uint8_t>;

// One entry as read: the key as the key table spells it, the decoded value
// (its alternative is the key's type; a string views the stream's bytes),
// the byte offset of the key and the key's position in kPropertyKeys.
struct PropertyEntry {
    std::string_view key;
    PropertyValue value;
    std::size_t offset;
    std::size_t keyIndex;
};

// Reads the entry that starts at byte `at` of the stream and moves `at` past
// it. A malformed entry raises UnsupportedFormatException naming the key and
// the byte offset; nothing is ever read past the end.
PropertyEntry ReadPropertyEntry(PropertyStreamView stream, std::size_t& at);

// Reads the entries in stored order, to exactly the stream's end, handing
// each to `apply` as soon as it is read; entries applied before a fault stay
// applied. A malformed stream raises UnsupportedFormatException naming the
// key and the byte offset; nothing is ever read past the end. An exception
// from `apply` passes through unchanged. `apply` is called directly, not
// through a type-erased wrapper: a window's streams hold some 900 entries.
template <class Apply>
void ReadPropertyStream(PropertyStreamView stream, Apply&& apply) {
    for (std::size_t at = 0; at < stream.size();) apply(ReadPropertyEntry(stream, at));
}

}  // namespace fw
