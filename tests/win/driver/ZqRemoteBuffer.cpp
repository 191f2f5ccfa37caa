// ZqRemoteBuffer: memory in the driven process for pointer-carrying control messages.
#include "ZqRemoteBuffer.h"

#include <vector>

ZqRemoteBuffer::ZqRemoteBuffer(HANDLE process)
    : m_process(process),
      m_base(VirtualAllocEx(process, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
{
}

ZqRemoteBuffer::~ZqRemoteBuffer()
{
    if (m_base != nullptr)
        VirtualFreeEx(m_process, m_base, 0, MEM_RELEASE);
}

bool ZqRemoteBuffer::Write(std::size_t offset, const void* data, std::size_t size) const
{
    if (m_base == nullptr || offset + size > kSize)
        return false;
    SIZE_T written = 0;
    return WriteProcessMemory(m_process, At(offset), data, size, &written) && written == size;
}

bool ZqRemoteBuffer::Read(std::size_t offset, void* data, std::size_t size) const
{
    if (m_base == nullptr || offset + size > kSize)
        return false;
    SIZE_T read = 0;
    return ReadProcessMemory(m_process, At(offset), data, size, &read) && read == size;
}

std::wstring ZqRemoteBuffer::ReadString(std::size_t offset, std::size_t maxChars) const
{
    std::vector<wchar_t> text(maxChars + 1, L'\0');
    if (!Read(offset, text.data(), maxChars * sizeof(wchar_t)))
        return {};
    return std::wstring(text.data());
}

bool ZqRemoteBuffer::Clear(std::size_t offset, std::size_t size) const
{
    std::vector<char> zeros(size, 0);
    return Write(offset, zeros.data(), size);
}
