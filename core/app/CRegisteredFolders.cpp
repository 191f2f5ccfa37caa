// The registered folder list's rules.
#include "app/CRegisteredFolders.h"

#include <algorithm>
#include <filesystem>

#include "CPlatform.h"
#include "text/Cp932.h"
#include "text/Utf.h"

namespace {

// The lower-case letters code page 932 has (Latin, full-width Latin, Greek, Cyrillic) as their
// capitals, since Windows file names do not tell them apart.
char32_t FoldCase(char32_t c)
{
    if ((c >= U'a' && c <= U'z') || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F))
        return c - 0x20;
    if (c >= 0xFF41 && c <= 0xFF5A)
        return c - 0x20;
    if (c == 0x451)
        return 0x401;
    return c;
}

std::u32string Folded(const std::string& text)
{
    std::u32string folded;
    for (std::size_t pos = 0; pos < text.size();)
        folded += FoldCase(Utf::NextCodePoint(text, pos));
    return folded;
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDrive(const std::string& path)
{
    return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

// The root a path hangs from ("C:" or "\\server\share") and the components after it.
std::string SplitRoot(const std::string& path, std::string& rest)
{
    if (path.rfind("\\\\", 0) == 0) {
        std::size_t end = path.find('\\', 2);
        end = end == std::string::npos ? path.size() : path.find('\\', end + 1);
        end = std::min(end, path.size());
        rest = path.substr(end);
        return path.substr(0, end);
    }
    rest = path.substr(2);
    return path.substr(0, 2);
}

std::string AbsoluteOf(const std::string& path)
{
    if (HasDrive(path) || path.rfind("\\\\", 0) == 0)
        return path;
    const std::string current = GetPlatform().WindowsPathOf(std::filesystem::current_path());
    if (!path.empty() && path[0] == '\\')
        return current.substr(0, 2) + path;
    return current + '\\' + path;
}

// Joins the components of rest to root, resolving "." and ".." and dropping empty ones.
std::string Resolve(const std::string& root, const std::string& rest)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= rest.size()) {
        const std::size_t end = std::min(rest.find('\\', start), rest.size());
        const std::string part = rest.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string full = root;
    for (const std::string& part : parts)
        full += '\\' + part;
    return parts.empty() && HasDrive(root) ? full + '\\' : full;
}

}  // namespace

std::string CRegisteredFolders::MakeFullPath(const std::string& path)
{
    std::string absolute = path;
    std::replace(absolute.begin(), absolute.end(), '/', '\\');
    absolute = AbsoluteOf(absolute);
    std::string rest;
    const std::string root = SplitRoot(absolute, rest);
    return Resolve(root, rest);
}

bool CRegisteredFolders::IsSamePath(const std::string& a, const std::string& b)
{
    return Folded(a) == Folded(b);
}

void CRegisteredFolders::Add(const std::string& folder)
{
    const std::string full = MakeFullPath(folder);
    std::erase_if(m_entries, [&full](const std::string& entry) { return IsSamePath(entry, full); });
    m_entries.insert(m_entries.begin(), full);
    if (m_entries.size() > kMaxEntries)
        m_entries.resize(kMaxEntries);
}

void CRegisteredFolders::Remove(std::size_t index)
{
    if (index < m_entries.size())
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}

void CRegisteredFolders::SortRegisteredFolders()
{
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const std::string& a, const std::string& b) { return Cp932::CompareUtf8(a, b) < 0; });
}

const std::string& CRegisteredFolders::GetAt(std::size_t index) const
{
    static const std::string none;
    return index < m_entries.size() ? m_entries[index] : none;
}

void CRegisteredFolders::SetEntries(const std::vector<std::string>& entries)
{
    m_entries.clear();
    for (const std::string& entry : entries) {
        if (entry.empty() || m_entries.size() == kMaxEntries)
            break;
        m_entries.push_back(entry);
    }
}
