// The program's message box.
#include "fw/AfxMessageBox.h"

int AfxMessageBox(const std::string& text, unsigned style)
{
    constexpr unsigned kIconMask = 0xF0;
    constexpr unsigned kTypeMask = 0x0F;
    if ((style & kIconMask) == 0) {
        const unsigned type = style & kTypeMask;
        if (type == kMbOk || type == kMbOkCancel || type == kMbYesNo || type == kMbYesNoCancel)
            style |= kMbIconExclamation;
    }
    return GetPlatform().ShowMessageBox(text, style);
}
