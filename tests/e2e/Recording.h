#pragma once

#include <string>
#include <vector>

namespace e2e
{

// What OpenAL Soft's wave output wrote: the mix of everything the game
// played, from the moment the audio device was opened.
class Recording
{
public:
    // Loudness of one short stretch: `rms` of the samples, `edge` of their
    // differences, which weighs high frequencies (a swish) over low ones.
    struct Window
    {
        double start;
        double rms;
        double edge;
    };

    // Reads a RIFF WAVE file of 16-bit or 32-bit integer or 32-bit float
    // samples. The writer fills in the sizes only when it closes the file,
    // so the samples are read to the end of the file whatever the header says.
    bool load(const std::string& path, std::string* error = nullptr);

    double seconds() const;
    int sampleRate() const { return m_rate; }

    // Consecutive windows of the given length over the whole recording.
    std::vector<Window> windows(double length) const;

private:
    int m_rate = 0;
    std::vector<float> m_samples; // channels mixed down to one
};

// One measure of a window: &Recording::Window::rms or &Recording::Window::edge.
using Measure = double Recording::Window::*;

// The median of the windows' measure (the background: music).
double median(const std::vector<Recording::Window>& windows, Measure measure);

// The window of the greatest measure that starts within [from, to) seconds.
Recording::Window strongestIn(const std::vector<Recording::Window>& windows, Measure measure, double from, double to);

} // namespace e2e
