#pragma once

namespace ov
{

// Whether the audio layer could open a device. Without one (no sound card,
// or no driver that works) every call of the audio layer fails and prints an
// error, and a playing music stream restarts its source without end, filling
// the terminal and a processor core: nothing is then played. Asked once, on
// the first play, and remembered; the first "no" is written to the log.
bool audioAvailable();

// Plays a voice or a stream once or looping, when there is a device to hear it.
template <typename Source>
void playIfAudible(Source& source, bool loop)
{
    if (!audioAvailable())
        return;
    source.setLoop(loop);
    source.play();
}

} // namespace ov
