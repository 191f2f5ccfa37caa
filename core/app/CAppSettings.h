// CAppSettings: the one settings-and-services object of the program.
#pragma once

#include "folderdata/CFolderWalk.h"

// Holds the display settings, the names of the store and of the special tree nodes, and the stop
// flag of long loops, and offers the services built on them: the folder walk with its path
// helpers, formatting, drives and file operations. The application object owns the instance
// everybody uses; a document may build a short-lived one to call a service.
class CAppSettings : public CFolderWalk {
public:
    CAppSettings() = default;
    virtual ~CAppSettings() = default;
};
