// Binary encoding of integers and strings in store files.
#include "fw/CArchive.h"

#include <iostream>
#include <vector>

#include "fw/CFile.h"
#include "text/Cp932.h"

namespace {

template <typename T>
void PutLittleEndian(CArchive& ar, T value)
{
    uint8_t bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
    ar.Write(bytes, sizeof bytes);
}

template <typename T>
T GetLittleEndian(CArchive& ar)
{
    uint8_t bytes[sizeof(T)];
    ar.Read(bytes, sizeof bytes);
    uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    return static_cast<T>(value);
}

// Strings are read in pieces so that a damaged length cannot make us allocate gigabytes
// before the stream shows it is not that long.
constexpr std::size_t kReadPiece = 64 * 1024;

}  // namespace

CArchive::CArchive(CFile& file, Mode mode) : CArchive(file.GetStream(), mode, file.GetFilePath()) {}

CArchive::CArchive(std::iostream& stream, Mode mode, std::string filePath)
    : m_stream(stream), m_mode(mode), m_filePath(std::move(filePath))
{
}

CArchive::~CArchive()
{
    // Closing may throw on a refused write; a destructor has nobody to report it to, and the
    // callers that care close explicitly.
    try {
        Close();
    } catch (const std::exception&) {
    }
}

void CArchive::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    Flush();
}

std::streamoff CArchive::GetReadPosition() const
{
    return static_cast<std::streamoff>(m_stream.tellg());
}

void CArchive::SetReadPosition(std::streamoff position)
{
    m_stream.clear();
    m_stream.seekg(position);
}

void CArchive::Flush()
{
    if (IsStoring()) {
        m_stream.flush();
        if (!m_stream)
            throw CFileException(CFileException::diskFull);
    }
}

void CArchive::Write(const void* data, std::size_t size)
{
    if (IsLoading())
        throw CArchiveException(CArchiveException::readOnly);
    m_stream.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!m_stream)
        throw CFileException(CFileException::diskFull);
}

void CArchive::Read(void* data, std::size_t size)
{
    if (IsStoring())
        throw CArchiveException(CArchiveException::writeOnly);
    m_stream.read(static_cast<char*>(data), static_cast<std::streamsize>(size));
    if (static_cast<std::size_t>(m_stream.gcount()) != size) {
        m_stream.clear(m_stream.rdstate() & ~std::ios::failbit);
        throw CArchiveException(CArchiveException::endOfFile);
    }
}

CArchive& CArchive::operator<<(uint8_t value) { PutLittleEndian(*this, value); return *this; }
CArchive& CArchive::operator<<(uint16_t value) { PutLittleEndian(*this, value); return *this; }
CArchive& CArchive::operator<<(int32_t value) { PutLittleEndian(*this, value); return *this; }
CArchive& CArchive::operator<<(uint32_t value) { PutLittleEndian(*this, value); return *this; }
CArchive& CArchive::operator>>(uint8_t& value) { value = GetLittleEndian<uint8_t>(*this); return *this; }
CArchive& CArchive::operator>>(uint16_t& value) { value = GetLittleEndian<uint16_t>(*this); return *this; }
CArchive& CArchive::operator>>(int32_t& value) { value = GetLittleEndian<int32_t>(*this); return *this; }
CArchive& CArchive::operator>>(uint32_t& value) { value = GetLittleEndian<uint32_t>(*this); return *this; }

void CArchive::WriteStringLength(uint32_t length)
{
    if (length < 0xFF) {
        *this << static_cast<uint8_t>(length);
        return;
    }
    *this << static_cast<uint8_t>(0xFF);
    if (length < 0xFFFE) {
        *this << static_cast<uint16_t>(length);
        return;
    }
    *this << static_cast<uint16_t>(0xFFFF) << length;
}

uint32_t CArchive::ReadStringLength()
{
    uint8_t shortLength = 0;
    *this >> shortLength;
    if (shortLength < 0xFF)
        return shortLength;
    uint16_t wordLength = 0;
    *this >> wordLength;
    if (wordLength == 0xFFFE)
        throw CArchiveException(CArchiveException::genericException);  // a wide-string marker
    if (wordLength < 0xFFFF)
        return wordLength;
    uint32_t length = 0;
    *this >> length;
    return length;
}

CArchive& CArchive::operator<<(const std::string& text)
{
    const std::string bytes = Cp932::FromUtf8(text);
    WriteStringLength(static_cast<uint32_t>(bytes.size()));
    Write(bytes.data(), bytes.size());
    return *this;
}

CArchive& CArchive::operator>>(std::string& text)
{
    const uint32_t length = ReadStringLength();
    std::string bytes;
    while (bytes.size() < length) {
        const std::size_t piece = std::min<std::size_t>(kReadPiece, length - bytes.size());
        const std::size_t done = bytes.size();
        bytes.resize(done + piece);
        Read(bytes.data() + done, piece);
    }
    text = Cp932::ToUtf8(bytes);
    return *this;
}
