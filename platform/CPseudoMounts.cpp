// Reading the mount table for pseudo file systems.
#include "CPseudoMounts.h"

#include <array>
#include <sstream>

namespace {

// Kernel interfaces and virtual devices; tmpfs and ramfs are left in, their files being real.
constexpr std::array<std::string_view, 22> kPseudoTypes = {
    "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "debugfs", "tracefs", "securityfs", "pstore",
    "bpf", "mqueue", "hugetlbfs", "configfs", "fusectl", "binfmt_misc", "autofs", "efivarfs", "selinuxfs",
    "rpc_pipefs", "nsfs", "nfsd",
};

// mountinfo writes a blank, a tab, a newline and a backslash in a path as "\040", "\011", "\012", "\134".
std::string Unescape(std::string_view field)
{
    const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] <= '3' && isOctal(field[i + 1]) &&
            isOctal(field[i + 2]) && isOctal(field[i + 3])) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

}  // namespace

bool CPseudoMounts::IsPseudoType(std::string_view type)
{
    for (std::string_view pseudo : kPseudoTypes)
        if (type == pseudo)
            return true;
    return false;
}

// A line: id parent major:minor root mount-point options [optional fields...] - type source options
std::unordered_set<std::string> CPseudoMounts::PseudoMountPoints(std::string_view mountInfo)
{
    std::unordered_set<std::string> points;
    std::istringstream lines{std::string(mountInfo)};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint, word;
        if (!(fields >> id >> parent >> device >> root >> mountPoint))
            continue;
        while (fields >> word && word != "-") {
        }
        std::string type;
        if (word != "-" || !(fields >> type))
            continue;
        const std::string point = Unescape(mountPoint);
        if (IsPseudoType(type) && point != "/")
            points.insert(point);
    }
    return points;
}
