// Store test support: a temporary current folder, raw file access, records to and from bytes,
// and a little-endian encoder.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "core/TestSupport.h"
#include "fw/CArchive.h"

// The store lives in the current folder. For the length of a test the current folder is an
// empty temporary one, so that tests neither see nor leave store files of their own or others.
class ScopedStoreFolder {
public:
    ScopedStoreFolder() : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(m_tree.Root());
    }
    ~ScopedStoreFolder() { std::filesystem::current_path(m_previous); }
    ScopedStoreFolder(const ScopedStoreFolder&) = delete;
    ScopedStoreFolder& operator=(const ScopedStoreFolder&) = delete;

    // The native path of a file given relative to the current folder in Windows form.
    static std::filesystem::path Native(const std::string& relative)
    {
        std::string path = relative;
        std::replace(path.begin(), path.end(), '\\', '/');
        return std::filesystem::u8path(path);
    }
    static std::string ReadBytes(const std::string& relative)
    {
        std::ifstream in(Native(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteBytes(const std::string& relative, const std::string& bytes)
    {
        if (Native(relative).has_parent_path())
            std::filesystem::create_directories(Native(relative).parent_path());
        std::ofstream(Native(relative), std::ios::binary) << bytes;
    }
    static bool Exists(const std::string& relative) { return std::filesystem::exists(Native(relative)); }

private:
    TempTree m_tree;
    std::filesystem::path m_previous;
};

// The bytes a function stores through an archive.
inline std::string StoredBy(const std::function<void(CArchive&)>& write)
{
    std::stringstream stream;
    CArchive ar(stream, CArchive::store);
    write(ar);
    ar.Close();
    return stream.str();
}

// The bytes an object with Serialize(CArchive&) stores.
template <class Record>
std::string Stored(Record& record)
{
    return StoredBy([&record](CArchive& ar) { record.Serialize(ar); });
}

// Loads an object from bytes as if they were the file at filePath, which messages name.
template <class Record>
void Load(Record& record, const std::string& bytes, const std::string& filePath = std::string())
{
    std::stringstream stream(bytes);
    CArchive ar(stream, CArchive::load, filePath);
    record.Serialize(ar);
}

// Builds the bytes of a store file from 32-bit values and strings with one-byte prefixes.
class StoredBytes {
public:
    StoredBytes& Int(int32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<char>(static_cast<uint32_t>(value) >> (8 * i)));
        return *this;
    }
    StoredBytes& ShortString(const std::string& text)
    {
        m_bytes.push_back(static_cast<char>(text.size()));
        m_bytes += text;
        return *this;
    }
    const std::string& Str() const { return m_bytes; }

private:
    std::string m_bytes;
};
