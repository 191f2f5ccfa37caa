// Fuzz target: the folder-information file "Dir Info" (the folder record list).
#include "FuzzSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    CAppCore app;
    CDirSzLst& list = app.m_folderInfo;
    LoadInput(data, size, list);
    int walked = 0;
    for (CDirSzLst::POSITION pos = list.GetHeadPosition(); pos;) {
        const std::string key = list.GetNext(pos).m_strPath;
        Require(list.FindEntry(key) != nullptr, "every loaded key can be found");
        ++walked;
    }
    Require(walked == list.GetCount(), "entry count");
    return 0;
}
