// CCompareSummaryDlg: the compare summary form "フォルダ ZQ　照合結果（件数）" (template 175).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "fw/CDialog.h"

class CCompareTally;

// Each folder tree keeps one. After the compare command has run, the tree of the window it was
// chosen in shows the counts of its walk: the folder it compared, one count per letter, all
// letters together and the objects asked about. The form is modeless, so that the windows stay
// usable beside it; while it is open it follows every later compare walk of that tree (a new
// selection, an aggregation). OK and Cancel hide it.
//
// A compare with a saved "Dir Info" shows the same counts and, beyond them, the folders gone since
// and the ten biggest size changes (size change, folder); the form grows for them and shrinks back
// for a compare between windows.
class CCompareSummaryDlg : public CDialog {
public:
    explicit CCompareSummaryDlg(HWND hParent);
    // Creates the form on first use; fills and shows it.
    void ShowSummary(const std::string& displayPath, const CCompareTally& tally);
    // lines: (size change, folder), biggest first, at most ten.
    void ShowSnapshotSummary(const std::string& heading, const CCompareTally& tally, uint64_t nGone,
                             const std::vector<std::pair<std::string, std::string>>& lines);

    void OnOK() override;
    void OnCancel() override;

private:
    void SetNumber(int control, uint64_t number);
    void ShowCounts(const std::string& heading, const CCompareTally& tally);
    // The snapshot's part shown or hidden, the form and its OK button sized for it.
    void LayOut(bool bSnapshot);
};
