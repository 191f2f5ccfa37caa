// The smallest Windows walker: FindFirstFileExW recursion summing sizes, the yardstick the
// program's own walk (and, over two trees, its compare walk) is measured against under the same
// Wine.
//
//   zq_findwalk FOLDER...
//
// Walks the folders one after the other and prints what it saw in all of them, and the seconds
// of the walks without the process's start.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void Walk(const std::wstring& folder, unsigned long long& bytes, long& folders, long& files)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0)
                continue;
            ++folders;
            Walk(folder + L"\\" + data.cFileName, bytes, folders, files);
        } else {
            ++files;
            bytes += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    unsigned long long bytes = 0;
    long folders = 0, files = 0;
    for (int folder = 1; folder < argc; ++folder)
        Walk(argv[folder], bytes, folders, files);
    QueryPerformanceCounter(&end);
    std::printf("bytes=%llu folders=%ld files=%ld seconds=%.3f\n", bytes, folders, files,
                static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    return 0;
}
