// The store operations of the settings object.
#include "app/CAppSettings.h"

#include "CPlatform.h"

void CAppSettings::Attach(CDirSzLst& folderInfo, CWalkSink& sink)
{
    m_walk.Attach(folderInfo, sink);
    m_drives.Attach(sink);
}

bool CAppSettings::EnsureStoreFolder() const
{
    CPlatform& platform = GetPlatform();
    CFindEntry status;
    if (platform.GetFileStatus(m_strPositionDir, status))
        return status.IsDirectory();
    return platform.CreateFolder(m_strPositionDir) == kErrorSuccess;
}

bool CAppSettings::SerializeToFile(const std::string& path, CArchive::Mode mode, const SerializeFunction& serialize)
{
    CStoreFile file;
    return OpenStoreFile(file, path, mode == CArchive::load) && SerializeAndClose(file, mode, serialize);
}

bool CAppSettings::LoadStoreFile(const std::string& name, const SerializeFunction& serialize)
{
    CStoreFile file;
    const bool opened = OpenStoreFile(file, JoinStorePath(m_strPositionDir, name), true) ||
                        OpenStoreFile(file, JoinStorePath(m_strPositionDefaultDir, name), true);
    return opened && SerializeAndClose(file, CArchive::load, serialize);
}

bool CAppSettings::SerializeAndClose(CStoreFile& file, CArchive::Mode mode, const SerializeFunction& serialize)
{
    const bool serialized = SerializeOnFile(file, mode, serialize);
    return file.Close() && serialized;
}

bool CAppSettings::OpenStoreFile(CStoreFile& file, const std::string& path, bool bRead)
{
    return file.Open(path, bRead);
}

bool CAppSettings::SerializeOnFile(CStoreFile& file, CArchive::Mode mode, const SerializeFunction& serialize)
{
    try {
        CArchive ar(file.GetFile(), mode);
        serialize(ar);
        ar.Close();
        return true;
    } catch (const CArchiveException&) {
    } catch (const CFileException&) {
    }
    if (mode == CArchive::store)
        file.GetFile().GetStream().setstate(std::ios::badbit);
    return false;
}

bool CAppSettings::SerializePlacement(CArchive& ar, CWindowPlacement& placement)
{
    try {
        if (ar.IsStoring())
            placement.Write(ar);
        else
            placement = CWindowPlacement::Read(ar);
        return true;
    } catch (const CArchiveException&) {
    } catch (const CFileException&) {
    }
    return false;
}

std::string CAppSettings::JoinStorePath(const std::string& folder, const std::string& name)
{
    return CFileServices::JoinWithOneBackslash(folder, name);
}
