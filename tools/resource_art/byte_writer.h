// Little-endian fields of the Windows bitmap and icon formats, written the
// same way on every host.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace resource_art {

class ByteWriter {
public:
    void U8(uint32_t value) { m_bytes.push_back(static_cast<uint8_t>(value)); }
    void U16(uint32_t value)
    {
        U8(value & 0xFF);
        U8((value >> 8) & 0xFF);
    }
    void U32(uint32_t value)
    {
        U16(value & 0xFFFF);
        U16(value >> 16);
    }
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void Zeros(size_t count) { m_bytes.insert(m_bytes.end(), count, 0); }

    size_t Size() const { return m_bytes.size(); }
    std::vector<uint8_t>& Bytes() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

}  // namespace resource_art
