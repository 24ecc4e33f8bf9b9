// Read-only access to registry keys below HKEY_LOCAL_MACHINE. The DLL uses
// the Windows registry functions; native tests use a fake.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

class RegistryKey {
public:
    // Closes the key if Close was not called.
    virtual ~RegistryKey() = default;

    // First step of reading a value: its size in bytes. False when the value
    // cannot be read.
    virtual bool QueryValueSize(const char* name, uint32_t* size) = 0;
    // Second step: reads at most *size bytes of the value into data; *size
    // becomes the number of bytes stored. The type is not checked.
    virtual bool QueryValue(const char* name, void* data, uint32_t* size) = 0;

    // Closes the key; false when closing failed. Later calls do nothing.
    virtual bool Close() = 0;
};

class RegistryReader {
public:
    virtual ~RegistryReader() = default;
    // Opens subKey below HKEY_LOCAL_MACHINE for reading; null when it cannot
    // be opened.
    virtual std::unique_ptr<RegistryKey> OpenKey(const char* subKey) = 0;
};

// Reads the text value `name` in two steps (size, then value) into out.
// False, and out empty, when the value cannot be read or does not fit out
// with its terminator; a value stored without terminator gets one.
bool ReadRegistryText(RegistryKey& key, const char* name, char* out, size_t size);
