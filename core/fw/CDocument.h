// CDocument: the part of a window's document that long work reports its progress through.
#pragma once

#include <string>

// A document has a title, which its window frame shows. Long operations such as the folder walk
// set it to say what they are doing (SetProgressTitle, many times a second); the window program's
// documents override both setters to pass the text on to their frames, a progress title at the
// pace a reader can follow.
class CDocument {
public:
    virtual ~CDocument() = default;

    virtual void SetTitle(const std::string& title) { m_strTitle = title; }
    // The title at once, its display possibly a moment later.
    virtual void SetProgressTitle(const std::string& title) { SetTitle(title); }
    const std::string& GetTitle() const { return m_strTitle; }

protected:
    std::string m_strTitle;
};
