// ZqRemoteBuffer: a block of memory inside another process, for control messages that take pointers.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// Tree, list, status-bar and toolbar messages that return data do so through a pointer, and a
// pointer is only meaningful in the process that owns the control. A ZqRemoteBuffer allocates
// memory in that process (VirtualAllocEx), lets the driver write a request structure into it,
// pass its address with the message, and read the answer back. One buffer serves any number of
// messages; it is freed when the object dies. Both processes are 64-bit, so the control
// structures have the same layout on both sides.
class ZqRemoteBuffer {
public:
    static constexpr std::size_t kSize = 64 * 1024;

    explicit ZqRemoteBuffer(HANDLE process);
    ~ZqRemoteBuffer();
    ZqRemoteBuffer(const ZqRemoteBuffer&) = delete;
    ZqRemoteBuffer& operator=(const ZqRemoteBuffer&) = delete;

    bool IsValid() const { return m_base != nullptr; }
    // The address, valid in the other process, of the byte at offset.
    void* At(std::size_t offset) const { return static_cast<char*>(m_base) + offset; }
    LPARAM AddressAt(std::size_t offset) const { return reinterpret_cast<LPARAM>(At(offset)); }

    bool Write(std::size_t offset, const void* data, std::size_t size) const;
    bool Read(std::size_t offset, void* data, std::size_t size) const;
    // A UTF-16 string of at most maxChars characters at offset, cut at its terminator.
    std::wstring ReadString(std::size_t offset, std::size_t maxChars) const;
    bool Clear(std::size_t offset, std::size_t size) const;

    template <typename T>
    bool WriteValue(std::size_t offset, const T& value) const { return Write(offset, &value, sizeof value); }
    template <typename T>
    bool ReadValue(std::size_t offset, T& value) const { return Read(offset, &value, sizeof value); }

private:
    HANDLE m_process;
    void* m_base;
};
