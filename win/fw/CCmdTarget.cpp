// Command maps and the first step of command routing.
#include "fw/CCmdTarget.h"

bool CCmdTarget::OnCmdMsg(UINT id, CCmdUI* pUI)
{
    return DispatchOwn(id, pUI);
}

bool CCmdTarget::DispatchOwn(UINT id, CCmdUI* pUI)
{
    if (pUI && !pUI->IsProbe()) {
        for (const UpdateEntry& entry : m_updates) {
            if (id >= entry.first && id <= entry.last) {
                entry.handler(*pUI);
                return true;
            }
        }
        return false;
    }
    for (const CommandEntry& entry : m_commands) {
        if (id >= entry.first && id <= entry.last) {
            if (!pUI)
                entry.handler(id);
            return true;
        }
    }
    return false;
}

void CCmdTarget::EvaluateCmdUI(CCmdUI& ui)
{
    if (OnCmdMsg(ui.m_nID, &ui))
        return;
    CCmdUI probe(ui.m_nID, CCmdUI::Mode::probe);
    ui.Enable(OnCmdMsg(ui.m_nID, &probe));
}

void CCmdTarget::OnCommandRange(UINT first, UINT last, CommandHandler handler)
{
    m_commands.push_back({first, last, std::move(handler)});
}

void CCmdTarget::OnUpdateUIRange(UINT first, UINT last, UpdateHandler handler)
{
    m_updates.push_back({first, last, std::move(handler)});
}
