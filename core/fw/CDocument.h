// CDocument: the part of a window's document that long work reports its progress through.
#pragma once

#include <string>

// A document has a title, which its window frame shows. Long operations such as the folder walk
// set it to say what they are doing; the window program's documents override SetTitle to pass
// the text on to their frames.
class CDocument {
public:
    virtual ~CDocument() = default;

    virtual void SetTitle(const std::string& title) { m_strTitle = title; }
    const std::string& GetTitle() const { return m_strTitle; }

protected:
    std::string m_strTitle;
};
