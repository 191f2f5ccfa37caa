// The program's entry point.
#include <windows.h>

#include "app/CEApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int nCmdShow)
{
    CEApp app;
    app.m_nCmdShow = nCmdShow;
    if (!app.InitInstance())
        return 0;
    return app.Run();
}
