// Printing what zqtotals found.
#include "CTotalsReport.h"

#include <ctime>

namespace {

using Kind = CSnapshotCompare::Kind;

const char* StateOf(Kind kind)
{
    return kind == Kind::kNew ? "new" : kind == Kind::kGone ? "gone" : "changed";
}

std::string Signed(int64_t value)
{
    return (value > 0 ? "+" : "") + std::to_string(value);
}

std::string JsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string JsonTime(const CTime& time)
{
    return time.IsSet() ? JsonString(CTotalsReport::FormatUtc(time)) : "null";
}

std::string JsonRecord(const CSizeInfo& info)
{
    return "{\"bytes\": " + std::to_string(info.m_nSize) + ", \"folders\": " + std::to_string(info.m_nFolders) +
           ", \"files\": " + std::to_string(info.m_nFiles) + ", \"modified\": " + JsonTime(info.m_tModified) +
           ", \"read\": " + JsonTime(info.m_tAccessed) + ", \"created\": " + JsonTime(info.m_tCreated) + "}";
}

// "  "name": [ ... ]" with one item a line.
void PrintJsonArray(std::FILE* out, const char* name, const std::vector<std::string>& items, const char* after)
{
    std::fprintf(out, "  \"%s\": [", name);
    for (std::size_t i = 0; i < items.size(); ++i)
        std::fprintf(out, "%s\n    %s", i ? "," : "", items[i].c_str());
    std::fprintf(out, "\n  ]%s\n", after);
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

std::string CsvTime(const CTime& time)
{
    return time.IsSet() ? CTotalsReport::FormatUtc(time) : std::string();
}

void PrintCsvRow(std::FILE* out, const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + CsvField(fields[i]);
    std::fprintf(out, "%s\n", line.c_str());
}

std::vector<std::string> CsvTotals(const char* record, const std::string& path, const CSizeInfo& info)
{
    return {record,
            path,
            std::to_string(info.m_nSize),
            std::to_string(info.m_nFolders),
            std::to_string(info.m_nFiles),
            CsvTime(info.m_tModified),
            CsvTime(info.m_tAccessed),
            CsvTime(info.m_tCreated),
            "",
            "",
            ""};
}

void PrintTextRecord(std::FILE* out, const std::string& path, const char* which, const CSizeInfo& info)
{
    std::fprintf(out, "%s\t%s\tbytes=%llu folders=%d files=%d modified=%s read=%s created=%s\n", path.c_str(), which,
                 static_cast<unsigned long long>(info.m_nSize), info.m_nFolders, info.m_nFiles,
                 CTotalsReport::FormatUtc(info.m_tModified).c_str(), CTotalsReport::FormatUtc(info.m_tAccessed).c_str(),
                 CTotalsReport::FormatUtc(info.m_tCreated).c_str());
}

}  // namespace

bool CTotalsReport::ParseFormat(const std::string& name, Format& format)
{
    if (name == "text")
        format = Format::kText;
    else if (name == "json")
        format = Format::kJson;
    else if (name == "csv")
        format = Format::kCsv;
    else
        return false;
    return true;
}

std::string CTotalsReport::FormatUtc(const CTime& time)
{
    if (!time.IsSet())
        return "-";
    const std::time_t t = time.GetTime();
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &t);
#else
    gmtime_r(&t, &utc);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

void CTotalsReport::Print(Format format, bool bSince, std::FILE* out) const
{
    if (format == Format::kJson)
        PrintJson(out);
    else if (format == Format::kCsv)
        PrintCsv(out);
    else
        PrintText(bSince, out);
}

void CTotalsReport::PrintText(bool bSince, std::FILE* out) const
{
    if (!bSince) {
        for (const Totals& totals : m_totals) {
            PrintTextRecord(out, totals.path, "total", totals.total);
            PrintTextRecord(out, totals.path, "direct", totals.direct);
        }
        return;
    }
    for (const Change& item : m_changes) {
        const CSnapshotCompare::Change& change = item.change;
        std::fprintf(out, "%s\tbytes=%s\tfolders=%s\tfiles=%s\t%s%s%s\n", item.path.c_str(),
                     Signed(change.SizeChange()).c_str(), Signed(change.FoldersChange()).c_str(),
                     Signed(change.FilesChange()).c_str(), StateOf(change.kind), change.letters.empty() ? "" : "\t",
                     change.letters.c_str());
    }
}

void CTotalsReport::PrintJson(std::FILE* out) const
{
    std::vector<std::string> totals, leftOuts, changes;
    for (const Totals& item : m_totals)
        totals.push_back("{\"path\": " + JsonString(item.path) + ", \"total\": " + JsonRecord(item.total) +
                         ", \"direct\": " + JsonRecord(item.direct) + "}");
    for (const LeftOut& item : m_leftOut)
        leftOuts.push_back("{\"path\": " + JsonString(item.path) + ", \"code\": " + JsonString(item.code) +
                           ", \"reason\": " + JsonString(item.reason) + "}");
    for (const Change& item : m_changes) {
        const CSnapshotCompare::Change& change = item.change;
        changes.push_back("{\"path\": " + JsonString(item.path) + ", \"state\": \"" + StateOf(change.kind) +
                          "\", \"letters\": " + JsonString(change.letters) +
                          ", \"bytes\": " + std::to_string(change.SizeChange()) +
                          ", \"folders\": " + std::to_string(change.FoldersChange()) +
                          ", \"files\": " + std::to_string(change.FilesChange()) +
                          ", \"before\": " + (change.kind == Kind::kNew ? "null" : JsonRecord(change.before)) +
                          ", \"now\": " + (change.kind == Kind::kGone ? "null" : JsonRecord(change.now)) + "}");
    }
    std::fprintf(out, "{\n");
    PrintJsonArray(out, "totals", totals, ",");
    PrintJsonArray(out, "left_out", leftOuts, ",");
    PrintJsonArray(out, "changes", changes, "");
    std::fprintf(out, "}\n");
}

void CTotalsReport::PrintCsv(std::FILE* out) const
{
    PrintCsvRow(out, {"record", "path", "bytes", "folders", "files", "modified", "read", "created", "state",
                      "letters", "reason"});
    for (const Totals& totals : m_totals) {
        PrintCsvRow(out, CsvTotals("total", totals.path, totals.total));
        PrintCsvRow(out, CsvTotals("direct", totals.path, totals.direct));
    }
    for (const LeftOut& leftOut : m_leftOut)
        PrintCsvRow(out, {"left_out", leftOut.path, "", "", "", "", "", "", leftOut.code, "", leftOut.reason});
    for (const Change& item : m_changes) {
        const CSnapshotCompare::Change& change = item.change;
        std::vector<std::string> row = CsvTotals("change", item.path, change.kind == Kind::kGone ? change.before
                                                                                                  : change.now);
        row[2] = Signed(change.SizeChange());
        row[3] = Signed(change.FoldersChange());
        row[4] = Signed(change.FilesChange());
        row[8] = StateOf(change.kind);
        row[9] = change.letters;
        PrintCsvRow(out, row);
    }
}
