// AfxMessageBox: the program's message box, with the framework's choice of a default icon.
#pragma once

#include <string>

#include "CPlatform.h"

// Shows text in a message box titled with the program's name. A box given no icon gets the
// exclamation mark when it offers OK or Yes/No, as the framework does; Retry boxes stay plain.
int AfxMessageBox(const std::string& text, unsigned style = kMbOk);
