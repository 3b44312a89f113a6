#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "jet/pages/Corruption.h"

namespace querimo::jet {

// A bounds-checked little-endian view on bytes of a page or row. Every read outside the view is reported
// as a damaged file instead of touching memory that is not there.
class ByteView {
public:
    ByteView() = default;
    ByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t size() const { return size_; }
    const std::uint8_t* data() const { return data_; }

    std::uint8_t u8(std::size_t offset) const
    {
        check(offset, 1);
        return data_[offset];
    }
    std::uint16_t u16(std::size_t offset) const { return load<std::uint16_t>(offset); }
    std::uint32_t u24(std::size_t offset) const
    {
        check(offset, 3);
        return data_[offset] | (data_[offset + 1] << 8) | (std::uint32_t(data_[offset + 2]) << 16);
    }
    std::uint32_t u32(std::size_t offset) const { return load<std::uint32_t>(offset); }
    std::int16_t i16(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    std::int64_t i64(std::size_t offset) const { return static_cast<std::int64_t>(load<std::uint64_t>(offset)); }
    float f32(std::size_t offset) const { return load<float>(offset); }
    double f64(std::size_t offset) const { return load<double>(offset); }

    ByteView sub(std::size_t offset, std::size_t length) const
    {
        check(offset, length);
        return ByteView(data_ + offset, length);
    }
    std::string bytes(std::size_t offset, std::size_t length) const
    {
        check(offset, length);
        return std::string(reinterpret_cast<const char*>(data_ + offset), length);
    }
    bool contains(std::size_t offset, std::size_t length) const { return offset <= size_ && length <= size_ - offset; }

private:
    void check(std::size_t offset, std::size_t length) const
    {
        if (!contains(offset, length)) corrupt("een verwijzing wijst buiten de pagina");
    }
    // Host byte order is little-endian on every platform we build for, as in the file.
    template <typename T>
    T load(std::size_t offset) const
    {
        check(offset, sizeof(T));
        T value;
        std::memcpy(&value, data_ + offset, sizeof(T));
        return value;
    }

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace querimo::jet
