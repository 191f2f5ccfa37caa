// Reading a whole "Dir Info" file.
#include "folderdata/CDirInfoFile.h"

#include <exception>
#include <iostream>
#include <vector>

#include "CPlatformDecorator.h"
#include "folderdata/CDirSzLst.h"
#include "fw/CArchive.h"
#include "fw/CFile.h"

namespace {

// The list's reader reports a record it cannot read in a box; a reader that tells its caller
// instead keeps the box off the screen and remembers that one was asked for.
class CQuietPlatform : public CPlatformDecorator {
public:
    // on top of whatever platform is in place, so that a test's platform keeps its part
    CQuietPlatform() : CPlatformDecorator(GetPlatform()) {}
    int ShowMessageBox(const std::string&, unsigned) override
    {
        m_bAsked = true;
        return kIdCancel;
    }
    bool m_bAsked = false;
};

}  // namespace

CDirInfoFile::Shape CDirInfoFile::Read(const std::string& key, CDirSzLst& list)
{
    Shape shape;
    CFile file;
    if (!file.Open(key, CFile::modeRead))
        return shape;
    shape.bOpened = true;
    CQuietPlatform quiet;
    try {
        CArchive ar(file, CArchive::load);
        ar >> shape.nAnnounced;
        shape.bCounted = true;
        ar.SetReadPosition(0);
        list.Serialize(ar);
        const std::streamoff position = ar.GetReadPosition();
        std::iostream& stream = file.GetStream();
        stream.clear();
        stream.seekg(0, std::ios::end);
        if (position >= 0 && stream)
            shape.nTrailing = static_cast<std::streamoff>(stream.tellg()) - position;
    } catch (const std::exception&) {
        shape.bUnreadable = true;
    }
    shape.bUnreadable = shape.bUnreadable || quiet.m_bAsked || !list.m_bSerializeOk;
    shape.nRead = list.GetCount();
    return shape;
}

std::string CDirInfoFile::Damage(const Shape& shape)
{
    const std::string read = std::to_string(shape.nRead) + " of " + std::to_string(shape.nAnnounced) + " records";
    if (!shape.bOpened)
        return "cannot be opened";
    if (!shape.bCounted)
        return "damaged: too short to hold its record count";
    if (shape.nAnnounced < 0)
        return "damaged: it announces " + std::to_string(shape.nAnnounced) + " records";
    if (shape.bUnreadable || shape.nRead != shape.nAnnounced)
        return "damaged after " + read;
    if (shape.nTrailing != 0)
        return "damaged: " + std::to_string(shape.nTrailing) + " bytes after its " + std::to_string(shape.nRead) +
               " records";
    return std::string();
}
