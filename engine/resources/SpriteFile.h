#pragma once

#include "engine/resources/Frame.h"
#include "engine/resources/Sprite.h"

#include <istream>
#include <string>
#include <vector>

namespace ov
{

// Limits for files that users edit by hand: a frame never needs more
// columns or rows than this, and no sprite file or line of one is this long.
const int MAX_SPRITE_SIZE = 1000;
const int MAX_SPRITE_LINE_LENGTH = 1 << 20;
const int MAX_SPRITE_FILE_BYTES = 4 << 20;

// The steps of reading a sprite file. Messages go to the log with the source "ResourceManager".

// Reads up to the next line feed (consumed, not stored) and drops one
// carriage return at the end, so both line endings read alike.
std::string readLine(std::istream& input);

// The lines between "<name>" and "</name>"; empty on failure (logged).
std::vector<std::string> readSection(std::istream& file, const std::string& name);

// The value of the last line that begins with the key (as by atoi), or -1 when
// no line belongs to it. Removes every matching line.
int readHeaderInt(std::vector<std::string>& lines, const std::string& key);

// The value of the last line that begins with the key, or "". Removes every matching line.
std::string readHeaderString(std::vector<std::string>& lines, const std::string& key);

// The next frame of the body, removing its lines; the empty frame on failure.
Frame readFrame(std::vector<std::string>& lines, int width, int height);

// Header and body of one sprite read from a stream: the new sprite (the caller
// owns it), or nullptr after logging why, ending with "Sprite '%s' not loaded.".
Sprite* readSprite(std::istream& file, const std::string& label);

} // namespace ov
