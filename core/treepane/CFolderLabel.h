// CFolderLabel: the text of a folder tree item, its totals in front of its name.
#pragma once

#include <string>
#include <string_view>

#include "folderdata/CSizeInfo.h"

class CAppSettings;

// A tree item's label is its display name, or, once the item has totals, the totals text, ">"
// and the name. The totals text holds one piece per column the settings enable (modified, read
// and created dates, folder count, file count, size), each ending in "> ", padded with dots so
// that the pieces of sibling items line up. Folder names cannot hold ">", so the name is always
// what follows the last ">": the tree reads names back from labels and swaps a new name behind
// kept totals with these helpers. DisplayNameOf gives the name a key is first shown with.
class CFolderLabel {
public:
    // The totals text of the enabled columns; empty when none is enabled.
    static std::string BuildInfoText(const CAppSettings& settings, const CSizeInfo& totals);
    // The label of an item with totals.
    static std::string MakeLabel(const CAppSettings& settings, const CSizeInfo& totals, const std::string& name);
    // infoText + ">" + name, or the name alone for an empty infoText.
    static std::string Compose(const std::string& infoText, const std::string& name);
    // True when the label shows totals.
    static bool HasTotals(std::string_view label);
    // The name behind the last ">".
    static std::string NameOf(std::string_view label);
    // The same totals in front of another name.
    static std::string Rename(std::string_view label, const std::string& name);
    // Splits a label the user edited: prefix is everything up to and including the last ">",
    // name the rest. A text ending in ">" is all name (with an empty prefix): what the user
    // typed there is no name left behind the totals but a name holding ">", which the name
    // rules then refuse.
    static void SplitEdited(std::string_view label, std::string& prefix, std::string& name);
    // The name of a newly shown key: the computer's and the virtual folders' own names, the
    // shell's name of a drive (the root itself when the shell has none), and a folder's last
    // component with the case of an all-capitals name softened.
    static std::string DisplayNameOf(const CAppSettings& settings, const std::string& key);

private:
    static std::string CountText(int32_t count);
};
