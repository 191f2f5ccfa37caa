// CPathForms: names that Windows cannot reach by an ordinary path, and the shell's answer to a declined question.
#pragma once

#include <cstdint>
#include <string_view>

// Windows drops a trailing blank or dot from each component of an ordinary path, which then
// names another entry (or none): a folder "apache." made outside Windows opens as its sibling
// "apache". Only the \\?\ form reaches such a name. The platform uses these tests to choose that
// form, the file services to refuse such paths to the shell, which takes no other form.
class CPathForms {
public:
    // What a shell operation returns when the shell stopped short (ERROR_CANCELLED): after the
    // user's No to one of its questions, or, under Wine, on its own.
    static constexpr uint32_t kErrorCancelled = 1223;

    // True for a name ending in a blank or a dot; "." and ".." are not such names.
    static bool EndsInBlankOrDot(std::string_view name)
    {
        if (name.empty() || name == "." || name == "..")
            return false;
        return name.back() == ' ' || name.back() == '.';
    }
    // True when a component of path (separated by \ or /) ends in a blank or a dot.
    static bool HasComponentEndingInBlankOrDot(std::string_view path)
    {
        for (std::size_t start = 0;;) {
            const std::size_t end = path.find_first_of("\\/", start);
            if (EndsInBlankOrDot(path.substr(start, end == std::string_view::npos ? end : end - start)))
                return true;
            if (end == std::string_view::npos)
                return false;
            start = end + 1;
        }
    }
};
