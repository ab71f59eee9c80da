#include "framework/property_stream.h"

#include "framework/exceptions.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <string>

namespace fw {

const char* TypeName(PropertyType type) {
    switch (type) {
    case PropertyType::Integer: return "Integer";
    case PropertyType::Double: return "Double";
    case PropertyType::Single: return "Single";
    case PropertyType::Boolean: return "Boolean";
    case PropertyType::Enum8: return "Enum8";
    case PropertyType::Color: return "Color";
    case PropertyType::String: return "String";
    }
    return "unknown type";
}

namespace {

// A key as it may stand in a malformed stream, fit for a message: at most 40
// bytes, anything but printable ASCII written as \xNN, so that a garbled
// stream cannot put control bytes or broken UTF-8 into a dialog or a log.
std::string Quoted(PropertyStreamView bytes) {
    constexpr std::size_t kMaxShown = 40;
    std::string out = "\"";
    for (std::uint8_t b : bytes.first(std::min(bytes.size(), kMaxShown))) {
        if (b >= 0x20 && b < 0x7F && b != '"' && b != '\\') {
            out += static_cast<char>(b);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
            out += escaped;
        }
    }
    return out + (bytes.size() > kMaxShown ? "\"..." : "\"");
}

std::string Quoted(std::string_view text) {
    return Quoted(PropertyStreamView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// Raises the reader's exception: "property stream: <subject> at byte <offset>
// <problem> (stream is <size> bytes)".
[[noreturn]] void Fail(const std::string& subject, std::size_t offset, const std::string& problem,
                       PropertyStreamView stream) {
    throw UnsupportedFormatException("property stream: " + subject + " at byte " + std::to_string(offset) + " " +
                                     problem + " (stream is " + std::to_string(stream.size()) + " bytes)");
}

// Walks a stream front to back; every read is checked against the end.
class StreamReader {
public:
    StreamReader(PropertyStreamView stream, std::size_t at) : stream_(stream), at_(at) {}

    std::size_t Offset() const { return at_; }

    // The key that starts here, and the blank after it.
    const PropertyKey& ReadKey() {
        const PropertyStreamView rest = stream_.subspan(at_);
        const void* blank = std::memchr(rest.data(), ' ', rest.size());
        const PropertyStreamView name =
            blank ? rest.first(static_cast<std::size_t>(static_cast<const std::uint8_t*>(blank) - rest.data())) : rest;
        if (!blank) Fail("key " + Quoted(name), at_, "has no blank after it", stream_);
        if (name.empty()) Fail("key \"\"", at_, "is empty", stream_);
        const PropertyKey* key =
            FindPropertyKey(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
        if (key == nullptr) Fail("key " + Quoted(name), at_, "is unknown", stream_);
        at_ += name.size() + 1;
        return *key;
    }

    PropertyValue ReadValue(const PropertyKey& key) {
        switch (key.type) {
        case PropertyType::Integer: return static_cast<std::int64_t>(ReadNumber(key, 8));
        case PropertyType::Double: return std::bit_cast<double>(ReadNumber(key, 8));
        case PropertyType::Single: return std::bit_cast<float>(static_cast<std::uint32_t>(ReadNumber(key, 4)));
        case PropertyType::Boolean: return ReadBoolean(key);
        case PropertyType::Enum8: return static_cast<std::uint8_t>(ReadNumber(key, 1));
        case PropertyType::Color: return ReadColor(key);
        case PropertyType::String: return ReadString(key);
        }
        Fail("value of " + Quoted(key.name), at_, "has no known type", stream_);
    }

private:
    // The next `width` bytes, which must all lie inside the stream.
    PropertyStreamView Take(const PropertyKey& key, std::size_t width) {
        if (width > stream_.size() - at_) Fail("value of " + Quoted(key.name), at_, "runs past the end", stream_);
        const PropertyStreamView bytes = stream_.subspan(at_, width);
        at_ += width;
        return bytes;
    }

    std::uint64_t ReadNumber(const PropertyKey& key, std::size_t width) {
        std::uint64_t value = 0;
        const PropertyStreamView bytes = Take(key, width);
        for (std::size_t i = 0; i < width; ++i) value |= std::uint64_t{bytes[i]} << (8 * i);
        return value;
    }

    // Any byte but 0 and 1 means the stream is not what it claims to be;
    // taking it as true would hide the damage.
    bool ReadBoolean(const PropertyKey& key) {
        const std::size_t offset = at_;
        const std::uint64_t byte = ReadNumber(key, 1);
        if (byte > 1) {
            Fail("value of " + Quoted(key.name), offset, "is " + std::to_string(byte) + ", not 0 or 1", stream_);
        }
        return byte == 1;
    }

    Color ReadColor(const PropertyKey& key) {
        const PropertyStreamView bytes = Take(key, 4);
        return Color{bytes[0], bytes[1], bytes[2], bytes[3]};
    }

    std::string_view ReadString(const PropertyKey& key) {
        const std::size_t offset = at_;
        const std::uint64_t count = ReadNumber(key, 4);
        if (count > stream_.size() - at_) {
            Fail("value of " + Quoted(key.name), offset, "counts " + std::to_string(count) + " bytes, past the end",
                 stream_);
        }
        const PropertyStreamView text = Take(key, count);
        return std::string_view(reinterpret_cast<const char*>(text.data()), text.size());
    }

    PropertyStreamView stream_;
    std::size_t at_ = 0;
};

}  // namespace

PropertyEntry ReadPropertyEntry(PropertyStreamView stream, std::size_t& at) {
    StreamReader reader(stream, at);
    const PropertyKey& key = reader.ReadKey();
    const auto keyIndex = static_cast<std::size_t>(&key - kPropertyKeys.data());
    PropertyEntry entry{key.name, reader.ReadValue(key), at, keyIndex};
    at = reader.Offset();
    return entry;
}

}  // namespace fw
