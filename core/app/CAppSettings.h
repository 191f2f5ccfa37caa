// CAppSettings: the one settings-and-services object of the program.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/CStoreFile.h"
#include "app/CWindowPlacement.h"
#include "folderdata/CFolderKeys.h"
#include "folderdata/CFolderWalk.h"
#include "fw/CArchive.h"
#include "services/CDisplayFormat.h"
#include "services/CDriveServices.h"
#include "services/CFileServices.h"

class CDirSzLst;
class CWalkSink;

// Holds the names of the store and of the special tree nodes, which folder totals the labels show,
// and the stop flag of long loops, and owns the services built on them, each handed out as a
// member: the folder keys (m_keys), the display format with the size unit and kilobyte base
// (m_format), the folder walk (m_walk), the drive services (m_drives) and the file services with the
// name rules (m_files). It also keeps the store
// of settings and placements itself. The application object owns the instance everybody uses and
// attaches its record list and pump to the walk; a test may build one of its own.
//
// The store is a folder of small files, each the archive of one record or of a sequence of
// records. SerializeToFile reads or writes one file in one call; the child-window file, which
// several windows read and write piece by piece, is opened with OpenStoreFile and passed to
// SerializeOnFile once per record. Any object with Serialize(CArchive&) can be stored. Nothing
// here shows a message: a file that cannot be read leaves the settings as they are, and a file
// that cannot be written keeps its previous content and makes the call return false.
class CAppSettings {
public:
    using SerializeFunction = std::function<void(CArchive&)>;
    template <class T>
    static constexpr bool kSerializable = requires(T& object, CArchive& ar) { object.Serialize(ar); };

    // construction
    CAppSettings() = default;
    virtual ~CAppSettings() = default;
    CAppSettings(const CAppSettings&) = delete;
    CAppSettings& operator=(const CAppSettings&) = delete;
    // Gives the walk and the drive services the program's record list and pump.
    void Attach(CDirSzLst& folderInfo, CWalkSink& sink);

    // store operations
    // Reads (load) or writes (store) the whole file at path; false when it cannot be opened, or
    // when a write did not reach the disk (the previous file then stays).
    bool SerializeToFile(const std::string& path, CArchive::Mode mode, const SerializeFunction& serialize);
    template <class T>
        requires kSerializable<T>
    bool SerializeToFile(const std::string& path, CArchive::Mode mode, T& object)
    {
        return SerializeToFile(path, mode, [&object](CArchive& ar) { object.Serialize(ar); });
    }
    // Reads name from the store folder, or from the default folder when the store has no such
    // file that opens; false when neither opens.
    bool LoadStoreFile(const std::string& name, const SerializeFunction& serialize);
    template <class T>
        requires kSerializable<T>
    bool LoadStoreFile(const std::string& name, T& object)
    {
        return LoadStoreFile(name, [&object](CArchive& ar) { object.Serialize(ar); });
    }
    // Opens for reading (bRead) or starts writing; a write is saved by file.Close().
    bool OpenStoreFile(CStoreFile& file, const std::string& path, bool bRead);
    // One record on an open file, behind the records before it; false when the archive failed.
    // A failed write spoils the whole file, so that closing it keeps the previous one.
    bool SerializeOnFile(CStoreFile& file, CArchive::Mode mode, const SerializeFunction& serialize);
    template <class T>
        requires kSerializable<T>
    bool SerializeOnFile(CStoreFile& file, CArchive::Mode mode, T& object)
    {
        return SerializeOnFile(file, mode, [&object](CArchive& ar) { object.Serialize(ar); });
    }
    // Writes or reads the 44-byte placement record; false, with the record unchanged, when the
    // archive fails.
    static bool SerializePlacement(CArchive& ar, CWindowPlacement& placement);
    // name alone for an empty folder, else folder and name with one backslash between.
    static std::string JoinStorePath(const std::string& folder, const std::string& name);
    // A file of the store folder.
    std::string StorePath(const std::string& name) const { return JoinStorePath(m_strPositionDir, name); }
    // Creates the store folder when it is not there; false when it still is not (the writes
    // that follow then fail without a message).
    bool EnsureStoreFolder() const;

    // store names
    std::string m_strPositionDefaultDir = "フォルダZQ Position Default";
    std::string m_strPositionDir = "フォルダZQ Position";
    std::string m_strMainFrameFile = "Mn";
    std::string m_strToolBarFile = "Tool Bar";
    std::string m_strChildWindowPath = JoinStorePath(m_strPositionDir, "Child Wind ");
    std::string m_strSearchDialogPath = JoinStorePath(m_strPositionDir, "Dilog Find");
    std::string m_strFolderInfoPath = JoinStorePath(m_strPositionDir, "Dir Info");
    std::string m_strOnePointPath = JoinStorePath(m_strPositionDir, "One Point Number");
    // open while start-up recreates the saved child windows
    CStoreFile m_fileChildWindows;

    // TRUE only while a long loop waits in its message pump; clearing it asks the loop to stop.
    bool m_bWalkRunning = false;

    // which folder totals the tree labels show
    int32_t m_bShowModified = 0;
    int32_t m_bShowLastRead = 0;
    int32_t m_bShowCreated = 0;
    int32_t m_bShowFolderCount = 0;
    int32_t m_bShowFileCount = 0;

    // display names of the special nodes (their keys are m_keys')
    std::string m_strFileOnlyFolderName = "ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ";
    std::string m_strMyComputerName = "ﾏｲ ｺﾝﾋﾟｭｰﾀ";

    // the services
    const CFolderKeys m_keys{};
    CDisplayFormat m_format;
    CFolderWalk m_walk{m_keys, m_bWalkRunning};
    CDriveServices m_drives{m_keys};
    CFileServices m_files{m_keys, m_walk};

private:
    bool SerializeAndClose(CStoreFile& file, CArchive::Mode mode, const SerializeFunction& serialize);
};
