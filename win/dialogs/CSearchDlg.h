// CSearchDlg: the modeless folder search dialog, kept from its first showing to the end of the process.
#pragma once

#include "fw/CDialog.h"

class CAppSettings;
class CArchive;

// Created on first use by the application and only hidden when closed, so that its position and
// its criteria survive. Its position is the store file "Dilog Find": LoadPlacement reads it when
// the dialog is created, SavePlacement writes it; Serialize is that file's content, the dialog's
// normal rectangle.
class CSearchDlg : public CDialog {
public:
    // construction
    explicit CSearchDlg(HWND hParent);

    // store
    void Serialize(CArchive& ar);
    void LoadPlacement(CAppSettings& settings);
    bool SavePlacement(CAppSettings& settings);

    // overridables
    void OnOK() override;
    void OnCancel() override;
};
