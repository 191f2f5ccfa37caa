// Store files that are replaced whole or not at all.
#include "app/CStoreFile.h"

#include <filesystem>
#include <system_error>

#include "CPlatform.h"

namespace {

void RemoveQuietly(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::remove(GetPlatform().NativePath(path), ignored);
}

// Replaces target by source in one step, so that no moment leaves the store without a good file.
bool MoveOver(const std::string& source, const std::string& target)
{
    CPlatform& platform = GetPlatform();
    std::error_code error;
    std::filesystem::rename(platform.NativePath(source), platform.NativePath(target), error);
    return !error;
}

}  // namespace

CStoreFile::~CStoreFile()
{
    if (IsWriting())
        Abandon();
}

std::string CStoreFile::TemporaryPathOf(const std::string& path)
{
    return path + ".new";
}

bool CStoreFile::Open(const std::string& path, bool bRead)
{
    if (IsOpen())
        Close();
    if (bRead)
        return m_file.Open(path, CFile::modeRead);
    if (!m_file.Open(TemporaryPathOf(path), CFile::modeCreate | CFile::modeWrite))
        return false;
    m_strTarget = path;
    return true;
}

bool CStoreFile::Close()
{
    if (IsWriting())
        return FinishWriting();
    m_file.Close();
    return true;
}

bool CStoreFile::FinishWriting()
{
    const std::string temporary = m_file.GetFilePath();
    const std::string target = m_strTarget;
    m_strTarget.clear();
    std::fstream& stream = m_file.GetStream();
    // A refused write leaves the stream failed for good, so its state speaks for every record.
    stream.flush();
    bool saved = stream.good();
    stream.close();
    saved = saved && !stream.fail();
    m_file.Close();
    saved = saved && MoveOver(temporary, target);
    if (!saved)
        RemoveQuietly(temporary);
    return saved;
}

void CStoreFile::Abandon()
{
    const std::string temporary = m_file.GetFilePath();
    m_strTarget.clear();
    m_file.Close();
    RemoveQuietly(temporary);
}

bool CStoreFile::IsAtEnd()
{
    std::fstream& stream = m_file.GetStream();
    if (!IsOpen() || IsWriting())
        return true;
    const bool atEnd = stream.peek() == std::char_traits<char>::eof();
    stream.clear(stream.rdstate() & ~(std::ios::eofbit | std::ios::failbit));
    return atEnd;
}
