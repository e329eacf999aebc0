#pragma once

#include <string>

namespace ov
{

// A moment of the UTC day, to the millisecond.
struct UtcTime
{
    int hour; // 0 to 23
    int minute; // 0 to 59
    int second; // 0 to 59
    int millisecond; // 0 to 999
};

// Milliseconds since UTC midnight, 0 to 86 399 999.
int timeOfDayMs();

// The current UTC time of day as "hh:mm:ss.mmm".
std::string getTimeString();

// The UTC time that the engine sees: the system's, or a test's; in a
// replayed run, the recorded one.
UtcTime currentUtcTime();

// A seed for the game's random numbers: the time of day in milliseconds,
// kept with the run's recording (a replayed run gets the recorded one).
int randomSeed();

// Lets tests set the time of day (for example just before midnight).
// Passing nullptr returns to the system clock.
using UtcTimeSource = UtcTime (*)();
void setUtcTimeSource(UtcTimeSource source);

// Measures elapsed milliseconds of the time of day. A measurement across
// UTC midnight reports -1 once.
class Clock
{
public:
    Clock();

    // Milliseconds since the reference; the reference becomes now.
    int delta();

    // Milliseconds since the reference; the reference stays.
    int split() const;

private:
    int m_previousTime;
};

} // namespace ov
