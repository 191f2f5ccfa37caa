// CSearchDlg: the modeless folder search dialog, kept from its first showing to the end of the process.
#pragma once

#include <functional>

#include "dialogs/CSearchCriteria.h"
#include "folderdata/CSizeInfo.h"
#include "fw/CDialog.h"

class CAppSettings;
class CArchive;

// Created on first use by the application and only hidden when closed, so that its position and
// its criteria survive. Its fields are those of CSearchCriteria, moved to and from the controls
// by DoDataExchange. The start/stop button either stops whatever long work waits in its message
// pump (a search or a walk) or builds the criteria and runs a search in the folder tree of the
// active window; the search runs inside the button's handler, pumping messages, so pressing the
// button again reaches it. The hide button hides the dialog and gives the main window back. The
// dialog does not know the windows: the application hands it the function that runs its criteria
// in the folder tree of the active window.
//
// Its position is the store file "Dilog Find": LoadPlacement reads it when the dialog is
// created, SavePlacement writes it; Serialize is that file's content, the normal rectangle.
class CSearchDlg : public CDialog, public CSearchCriteria {
public:
    // construction
    using SearchActiveTree = std::function<void(const CSearchDlg&)>;
    CSearchDlg(HWND hParent, SearchActiveTree searchActiveTree);

    // store
    void Serialize(CArchive& ar);
    void LoadPlacement(CAppSettings& settings);
    bool SavePlacement(CAppSettings& settings);

    // Reads the controls, builds m_criteria from them and shows the message and the normalised
    // texts; false when the criteria cannot be used.
    bool BuildCriteria();

    // overridables
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;
    void OnCancel() override;

    CSizeInfo m_criteria;

private:
    SearchActiveTree m_searchActiveTree;
};
