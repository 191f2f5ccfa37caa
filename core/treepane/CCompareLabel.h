// CCompareLabel: the labels a compare walk gives the tree items it has compared.
#pragma once

#include <string>

// A compared folder's label opens with a letter field four bytes wide: the verdict letters of
// the other windows padded with dots for a differing folder, dots alone for an equal one. A ">"
// and a blank follow, then the stored totals text and ">" and the display name, as an aggregated
// label shows them (CFolderLabel). The name stays behind the last ">", so the tree reads it back
// from a compared label as from any other.
class CCompareLabel {
public:
    // letters: the verdict ("" when only something below the folder differs).
    static std::string Different(const std::string& letters, const std::string& infoText, const std::string& name);
    // An equal folder without stored totals shows the letter field and its name alone.
    static std::string Same(const std::string& infoText, const std::string& name);
};
