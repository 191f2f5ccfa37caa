// CTotalsReport: what one run of zqtotals found, printed as text, JSON or CSV.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "folderdata/CSizeInfo.h"
#include "folderdata/CSnapshotCompare.h"

// The run gathers its totals, the folders it left out and the changes since a snapshot here,
// and prints them once at the end in the form asked for. The text form is the one scripts have
// read all along (totals lines, or with --since one line per change); JSON and CSV carry all
// three parts in a documented, stable shape: sizes in bytes, times in ISO 8601 UTC.
class CTotalsReport {
public:
    enum class Format { kText, kJson, kCsv };

    struct Totals {
        std::string path;
        CSizeInfo total;
        CSizeInfo direct;
    };
    struct LeftOut {
        std::string path;
        std::string code;
        std::string reason;
    };
    struct Change {
        std::string path;
        CSnapshotCompare::Change change;
    };

    // Kind of output; --since asks the text form for the changes instead of the totals.
    static bool ParseFormat(const std::string& name, Format& format);
    void Print(Format format, bool bSince, std::FILE* out) const;

    static std::string FormatUtc(const CTime& time);

    std::vector<Totals> m_totals;
    std::vector<LeftOut> m_leftOut;
    std::vector<Change> m_changes;

private:
    void PrintText(bool bSince, std::FILE* out) const;
    void PrintJson(std::FILE* out) const;
    void PrintCsv(std::FILE* out) const;
};
