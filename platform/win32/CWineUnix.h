// CWineUnix: a Unix program run on files under Wine, for what Wine's file functions cannot do.
#pragma once

#include <string>
#include <vector>

// Wine removes no Unix symbolic link to a folder through its file functions (it looks at the
// folder the link leads to), and makes none: CreateSymbolicLinkW does nothing there. Its loader
// can run a Unix program, though. On Windows there is no such program and nothing is run.
class CWineUnix {
public:
    // Runs program (an absolute Unix path) with the options and then the Unix names of paths,
    // and waits for it; false when not under Wine or a path has no Unix name.
    static bool Run(const char* program, const std::vector<std::string>& options,
                    const std::vector<std::wstring>& paths);
};
