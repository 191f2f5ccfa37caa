// Unix programs run through Wine's loader.
#include "CWineUnix.h"

#include <windows.h>

namespace {

using UnixNameOf = char*(__cdecl*)(const wchar_t*);
using SpawnUnix = LONG(__cdecl*)(char* const*, int);

template <typename Function>
Function WineExport(const wchar_t* module, const char* name)
{
    const HMODULE handle = GetModuleHandleW(module);
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

}  // namespace

bool CWineUnix::Run(const char* program, const std::vector<std::string>& options,
                    const std::vector<std::wstring>& paths)
{
    const auto unixNameOf = WineExport<UnixNameOf>(L"kernel32.dll", "wine_get_unix_file_name");
    const auto spawnUnix = WineExport<SpawnUnix>(L"ntdll.dll", "__wine_unix_spawnvp");
    if (!unixNameOf || !spawnUnix)
        return false;
    std::vector<std::string> words{program};
    words.insert(words.end(), options.begin(), options.end());
    for (const std::wstring& path : paths) {
        char* unixName = unixNameOf(path.c_str());
        if (!unixName)
            return false;
        words.emplace_back(unixName);
        HeapFree(GetProcessHeap(), 0, unixName);
    }
    std::vector<char*> arguments;
    for (std::string& word : words)
        arguments.push_back(word.data());
    arguments.push_back(nullptr);
    spawnUnix(arguments.data(), 1);
    return true;
}
