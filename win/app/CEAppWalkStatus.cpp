// CEApp, the walk's progress: the main frame's status bar while a walk runs.
#include "app/CEApp.h"

#include "Win32Text.h"
#include "fw/CMDIFrameWnd.h"

// The message pane is the one the menus write their prompts into; a menu opened during a walk
// takes it over until it closes, and the next progress text takes it back.
void CEApp::ShowWalkStatus(const std::string& text)
{
    if (!m_pMainWnd)
        return;
    if (text.empty())
        m_pMainWnd->SetIdleMessage();
    else
        m_pMainWnd->SetMessageText(ToWide(text));
}
