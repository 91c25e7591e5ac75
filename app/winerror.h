#pragma once

#include <string>

namespace kobalin {

// The system's own text for a Windows error code, in UTF-8 (messages of this
// program are UTF-8 whatever the user's code page). Windows only.
std::string windowsErrorMessage(unsigned long error);

}  // namespace kobalin
