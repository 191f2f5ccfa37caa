// CCmdTarget: an object that handles commands and their update-UI through its own command map.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "fw/CCmdUI.h"

// Every object on the command route (views, documents, frames, the application) derives from
// this. A class fills its map in its constructor with OnCommand and OnUpdateUI, naming one id or a
// range; OnCmdMsg first tries the object's own map and classes that pass commands on (frames to
// their views, views to their documents) override it to extend the route. A command is executed
// when pUI is null; otherwise the first update handler fills pUI, or, in probe mode, the route
// only reports whether a command handler exists.
class CCmdTarget {
public:
    using CommandHandler = std::function<void(UINT id)>;
    using UpdateHandler = std::function<void(CCmdUI& ui)>;

    // construction
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // routing
    // True when the command (or its update, or the probe) was handled on this object's route.
    virtual bool OnCmdMsg(UINT id, CCmdUI* pUI);
    // This object's own map only.
    bool DispatchOwn(UINT id, CCmdUI* pUI);
    // Fills ui along this object's route; a command without an update handler is enabled exactly
    // when some object on the route handles it.
    void EvaluateCmdUI(CCmdUI& ui);

protected:
    // map building
    void OnCommand(UINT id, CommandHandler handler) { OnCommandRange(id, id, std::move(handler)); }
    void OnCommandRange(UINT first, UINT last, CommandHandler handler);
    void OnUpdateUI(UINT id, UpdateHandler handler) { OnUpdateUIRange(id, id, std::move(handler)); }
    void OnUpdateUIRange(UINT first, UINT last, UpdateHandler handler);

private:
    struct CommandEntry {
        UINT first;
        UINT last;
        CommandHandler handler;
    };
    struct UpdateEntry {
        UINT first;
        UINT last;
        UpdateHandler handler;
    };

    std::vector<CommandEntry> m_commands;
    std::vector<UpdateEntry> m_updates;
};
