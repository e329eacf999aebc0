#pragma once

#include "engine/core/Manager.h"
#include "engine/core/Recorder.h"

#include <string>

namespace ov
{

class Clock;

const int FRAME_TIME_MS = 33;
const int TIMER_PERIOD_MS = 1;
// Files the program may need open at once: its log and recording, the
// standard streams, the display's connections, the graphics and audio
// drivers' devices and the music it streams.
const int FILES_NEEDED = 16;

// Owns the program's time: starts and stops the engine managers in order and
// runs the fixed-rate game loop of 33 ms frames until the game is over.
class GameManager : public Manager
{
public:
    // The one game manager.
    static GameManager& getInstance();

    // Starts the log (its file, "orvane.log", and the run's recording beside it), the display (the window), the
    // world and the input, in that order; 0, or -1 when one cannot start (said in the log, or on the standard error
    // without one). It needs ov-font.ttf in the working folder.
    int start() override;
    // Ends the game and stops the managers in the reverse order, the log last. Safe on managers that never started.
    void stop() override;

    // The game loop; returns when the game is over.
    void run();

    // Whether the game is over: the loop ends after the frame in which it is set.
    ///@{
    void setGameOver(bool gameOver = true) { m_gameOver = gameOver; }
    bool getGameOver() const { return m_gameOver; }
    ///@}
    // The number of the frame being run (from 1), or of the last one once the loop has ended.
    int getStepCount() const { return m_stepCount; }

    // The game's own manager, which builds the level: started at the top of
    // run and stopped after the last frame. The engine knows it only as a Manager.
    void setFloorManager(Manager* floorManager) { m_floorManager = floorManager; }

    // The frame sleep; tests replace it to check the loop's timing.
    using SleepFunction = void (*)(int milliseconds);
    // Replaces the sleep between frames (milliseconds); nullptr puts the system's back.
    void setSleepFunction(SleepFunction sleep);

    // A frame's end for the recorder: every object's digest, in the world's
    // order (the loop calls it while a run is recorded or replayed).
    void digestWorld();

private:
    GameManager();
    // One frame: input, update, draw, show, the loop's step event and the
    // sleep. Says what it is doing as it goes; returns the next frame's adjustment.
    int runFrame(Clock& clock, int adjustTime, const char*& doing);
    // Tells of an object of the world by its id, for a replay's report.
    static std::string describe(int id);
    // The connection to the display is gone, or the graphics library failed
    // (crashed) while doing something: says so, then stopWithoutDisplay.
    [[noreturn]] static void onDisplayLost(const char* displayName);
    [[noreturn]] static void onGraphicsFailed(const char* doing);
    // Stops what can stop without the display, closes the log and ends the
    // process with code 0.
    [[noreturn]] static void stopWithoutDisplay();

    bool m_gameOver = false;
    int m_stepCount = 0;
    Recorder::ObjectDigests m_digests; // kept between frames for its memory
    Manager* m_floorManager = nullptr;
    SleepFunction m_sleep;
};

} // namespace ov
