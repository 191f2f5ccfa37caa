// CPseudoMounts: the mount points of a Linux host's pseudo file systems, read from its mount table.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

// /proc, /sys, /dev and their kin hold no files on disk: /proc/kcore alone reports the size of
// the address space, and some of their folders fail to list. Walks leave them out, as du -x and
// disk-usage tools do. They are recognised by their file-system type in the host's mount table
// (/proc/self/mountinfo), so a pseudo file system mounted anywhere is found, and a real one
// mounted at /dev or /proc would not be. Both the POSIX platform and, under Wine, the Win32
// platform (which reads the table through Z:\proc) use this class; it holds the mount points as
// folder keys (Windows paths), so a walk asks with the key it has.
class CPseudoMounts {
public:
    // construction: keyOfNative turns a native absolute path into the folder key
    template <class KeyOfNative>
    static CPseudoMounts FromMountInfo(std::string_view mountInfo, KeyOfNative keyOfNative)
    {
        CPseudoMounts mounts;
        for (const std::string& point : PseudoMountPoints(mountInfo))
            if (std::string key = keyOfNative(point); !key.empty())
                mounts.m_keys.insert(std::move(key));
        return mounts;
    }

    bool Contains(const std::string& key) const { return m_keys.count(key) != 0; }
    bool IsEmpty() const { return m_keys.empty(); }

    // The native mount points of the pseudo file systems in a mountinfo text, escapes ("\040"
    // for a blank) undone; "/" itself is never one of them.
    static std::unordered_set<std::string> PseudoMountPoints(std::string_view mountInfo);
    static bool IsPseudoType(std::string_view type);

private:
    std::unordered_set<std::string> m_keys;
};
