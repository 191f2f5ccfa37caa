// FileServicesFixture: the platform, scratch tree and file services the file operation tests share.
#pragma once

#include "TestSupport.h"
#include "app/CAppSettings.h"

// A test of the file services on a real folder tree: the platform (a CScriptedPlatform, or one that
// fails or records more) is in place before the settings that hold the file services are made.
template <class Platform = CScriptedPlatform>
class FileServicesFixture : public ::testing::Test {
protected:
    Platform platform;
    TempTree tree;
    CAppSettings settings;
    CFileServices& files = settings.m_files;
};
