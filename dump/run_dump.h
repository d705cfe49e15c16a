#pragma once

#include <istream>
#include <ostream>

// The whole run: port access, the file name prompt, the capture with its
// progress lines, the image file. Returns the exit status.
int RunDump(std::istream& input, std::ostream& console);
