#pragma once

#include "engine/resources/Frame.h"

#include <istream>
#include <string>
#include <vector>

namespace ov
{

// The steps of reading a sprite file. Messages go to the log with the source "ResourceManager".

// The lines between "<name>" and "</name>"; empty on failure (logged).
std::vector<std::string> readSection(std::istream& file, const std::string& name);

// The value of the last line that begins with the key (as by atoi), or -1 when
// no line belongs to it. Removes every matching line.
int readHeaderInt(std::vector<std::string>& lines, const std::string& key);

// The value of the last line that begins with the key, or "". Removes every matching line.
std::string readHeaderString(std::vector<std::string>& lines, const std::string& key);

// The next frame of the body, removing its lines; the empty frame on failure.
Frame readFrame(std::vector<std::string>& lines, int width, int height);

} // namespace ov
