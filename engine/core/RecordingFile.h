#pragma once

#include "engine/core/FrameInput.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ov
{

// The format of "orvane.replay", plain text: a first line
//
//     orvane-replay 1 linux
//
// (the format's version and the platform, whose random numbers the level was
// drawn with), then a line for the start-up, one per frame and one for the
// stop, each its number ("end" for the stop) followed by what the run took
// from outside the program meanwhile, in the order it was taken:
//
//     t43200000,0*3,1    readings of the clock, milliseconds of the UTC day:
//                        the run's first as it was, every later one as the
//                        difference from the one before; 0*3 is 0,0,0
//     s43200061          a seed for the random numbers
//     a1                 whether the audio layer found a device (a0: none)
//     p:D  r:D           a key pressed, released (the engine's key names)
//     m:512,384          the pointer moved to these pixels of the picture
//     c:Left@512,384     a mouse button clicked there
//     h:A+D  b:Left      the keys and mouse buttons held this frame
//     k0110              the answers, in order, to "is this key down?"
//     q                  a request to quit from outside the window
//     d5e3a0c1f          a digest of the world after the frame
//     o:12=9a,602=07     the digests (their low 8 bits) of the objects that
//                        changed in the frame, by id; o=9a07 when they are
//                        the same objects as in the line before
//
// A recording cut short (the run crashed) lacks the "end" line.
const int RECORDING_VERSION = 1;

// What one line holds.
struct FrameRecord
{
    int frame = 0;                // 0 for the start-up, -1 for the stop
    int line = 0;                 // in the file, from 1
    std::vector<int> times;       // milliseconds of the UTC day
    std::vector<int> seeds;       // for the random numbers
    std::vector<bool> audio;      // whether a sound device was found
    std::vector<bool> keyAnswers; // to "is this key down?", in order
    FrameInput input;             // the window's, as the input manager received it
    bool quit = false;            // asked to quit from outside the window
    bool hasDigest = false;       // a frame's line has the world's digest
    std::uint32_t digest = 0;     // the world's, after the frame
    std::vector<std::pair<int, std::uint8_t>> changed; // object id, its digest's low 8 bits
};

// Writes and reads the lines above.
class RecordingFile
{
public:
    // The first line, for this platform.
    static std::string header();
    // One record as its line, without the line end. `lastTime` is the reading
    // before the record's first (-1 before the run's first), and becomes its
    // last; `lastChanged` the objects that changed in the line before.
    static std::string format(const FrameRecord& record, int& lastTime, std::vector<int>& lastChanged);

    // Reads a whole recording. False, with a message naming the line or the
    // reason, when it is damaged, of another version or of another
    // platform; `complete` tells whether it has its "end" line.
    static bool read(const std::string& path, std::vector<FrameRecord>& records, bool& complete, std::string& error);

    // The engine's names of keys and mouse buttons, and back (-1: Undefined);
    // false for a name that is neither.
    ///@{
    static const char* keyName(int key);
    static const char* buttonName(int button);
    static bool keyCode(const std::string& name, int& key);
    static bool buttonCode(const std::string& name, int& button);
    ///@}
};

} // namespace ov
