#include "engine/core/GameManager.h"

#include "engine/core/Clock.h"
#include "engine/core/EventStep.h"
#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/core/Recorder.h"
#include "engine/display/DisplayManager.h"
#include "engine/display/InputManager.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectList.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"

#include <cstdio>
#include <new>

namespace ov
{

GameManager::GameManager() : m_sleep(platform::sleepMilliseconds)
{
    setType("GameManager");
}

GameManager& GameManager::getInstance()
{
    static GameManager instance;
    return instance;
}

int GameManager::start()
{
    // Fewer than this and the windowing layer runs out of files while it
    // makes the window, and crashes.
    const int limit = platform::openFileLimit();
    if (limit < FILES_NEEDED)
    {
        std::fprintf(stderr, "The game needs to have %d files open at once, and may have only %d here (ulimit -n); "
                             "it does not start.\n", FILES_NEEDED, limit);
        return -1;
    }
    // A terminal or pipe that goes away, or a disk that is full, must not end the game.
    platform::ignoreOutputSignals();
    // Sleeps must be accurate to about a millisecond for a steady frame rate.
    platform::beginTimerPeriod(TIMER_PERIOD_MS);
    // Ctrl+C, a terminal hanging up or a polite kill end the game as Q does,
    // at the end of a frame, so that the managers stop and the log closes.
    platform::watchQuitRequests();
    platform::setDisplayLostHandler(&GameManager::onDisplayLost);
    DisplayManager::getInstance().setFailureHandler(&GameManager::onGraphicsFailed);

    // The run is recorded from its first reading of the clock; the recording
    // is written beside the log once the log is ours (its lock keeps a second
    // copy in this folder off both).
    Recorder& recorder = Recorder::getInstance();
    recorder.startRecording();
    // Without a log there is nowhere to say why.
    if (LogManager::getInstance().start() != 0)
    {
        recorder.finish();
        return -1;
    }
    recorder.openFile(RECORDING_FILE);

    if (DisplayManager::getInstance().start() != 0)
    {
        logMessage("ERROR", "Error staring DisplayManager.");
        return -1;
    }
    if (WorldManager::getInstance().start() != 0)
    {
        logMessage("ERROR", "Error starting WorldManager.");
        return -1;
    }
    if (InputManager::getInstance().start() != 0)
    {
        logMessage("ERROR", "Error starting InputManager.");
        return -1;
    }

    setStarted(true);
    logMessage("", "Started.");
    return 0;
}

void GameManager::stop()
{
    m_gameOver = true;
    platform::endTimerPeriod(TIMER_PERIOD_MS);
    logMessage("", "Stopping managers.");

    // Reverse order of start; each stop is safe on a manager that never started.
    InputManager::getInstance().stop();
    WorldManager::getInstance().stop();
    DisplayManager::getInstance().stop();
    LogManager::getInstance().stop();
    Recorder::getInstance().finish();

    // Base stop: its "Stopped." line is skipped because the log is closed now.
    Manager::stop();
}

void GameManager::run()
{
    Clock clock;
    m_stepCount = 0;
    logMessage("ALERT", "--------START GAME LOOP--------");

    // What the loop is about, for the line that says what could not be made
    // when the memory runs out: the game then ends as on Q.
    const char* doing = "building the level";
    try
    {
        if (m_floorManager && !m_floorManager->isStarted() && m_floorManager->start() != 0)
        {
            logMessage("ERROR", "Error starting FloorManager.");
            m_gameOver = true;
            return;
        }
        int adjustTime = 0;
        while (!m_gameOver)
            adjustTime = runFrame(clock, adjustTime, doing);
    }
    catch (const std::bad_alloc&)
    {
        logMessage("ALERT", "Out of memory while %s in frame %d; the game stops.", doing, m_stepCount);
        m_gameOver = true;
    }

    if (m_floorManager && m_floorManager->isStarted())
        m_floorManager->stop();
    logMessage("ALERT", "---------END GAME LOOP---------");
}

int GameManager::runFrame(Clock& clock, int adjustTime, const char*& doing)
{
    Recorder& recorder = Recorder::getInstance();
    ++m_stepCount;
    recorder.beginFrame(m_stepCount);
    clock.delta();

    WorldManager& world = WorldManager::getInstance();
    doing = "reading the input";
    InputManager::getInstance().getInput();
    doing = "updating the world";
    world.update(m_stepCount);
    doing = "drawing the frame";
    world.draw();
    DisplayManager::getInstance().swapBuffers();

    // A copy: objects created by these handlers get their first step next frame.
    doing = "stepping the objects";
    EventStep step;
    const ObjectList objects = world.getAllObjects();
    ObjectListIterator iterator(&objects);
    for (iterator.first(); !iterator.isDone(); iterator.next())
        iterator.currentObject()->handleEvent(step);

    int loopTime = clock.split();
    int sleepTime = FRAME_TIME_MS - loopTime - adjustTime;
    if (sleepTime < 0)
        sleepTime = 0;

    clock.delta();
    // A replay played fast runs its frames one after the other.
    if (!recorder.isFast())
        m_sleep(sleepTime);
    int actualSleep = clock.split();

    if (recorder.quit(platform::quitRequested()))
        m_gameOver = true;
    if (recorder.getMode() != Recorder::Mode::OFF)
    {
        doing = "digesting the world";
        digestWorld();
    }
    // Oversleeping is paid back in the next frame; undersleeping is not made up.
    return actualSleep > sleepTime ? actualSleep - sleepTime : 0;
}

void GameManager::digestWorld()
{
    const ObjectList objects = WorldManager::getInstance().getAllObjects();
    m_digests.clear();
    for (int i = 0; i < objects.getCount(); ++i)
        m_digests.emplace_back(objects.get(i)->getId(), objects.get(i)->digest());
    Recorder::getInstance().endFrame(m_digests, &GameManager::describe);
}

std::string GameManager::describe(int id)
{
    // Found by a walk: only a replay that parts from its recording asks.
    const ObjectList objects = WorldManager::getInstance().getAllObjects();
    for (int i = 0; i < objects.getCount(); ++i)
    {
        const Object* object = objects.get(i);
        if (object->getId() != id)
            continue;
        const Vector velocity = object->getVelocity();
        const Box box = object->getBox();
        char text[512];
        std::snprintf(text, sizeof text,
                      "%s %d (as replayed: position %.6g %.6g, velocity %.6g %.6g, box %.6g %.6g %.6g x %.6g, "
                      "sprite '%s' frame %d, altitude %d, collision kind %d)",
                      object->getType().c_str(), id, object->getPosition().x, object->getPosition().y, velocity.x,
                      velocity.y, box.corner.x, box.corner.y, box.horizontal, box.vertical,
                      object->getSpriteName().c_str(), object->getAnimation().getIndex(), object->getAltitude(),
                      static_cast<int>(object->getCollisionKind()));
        return text;
    }
    return "object " + std::to_string(id) + " (no longer in the replayed world)";
}

void GameManager::onDisplayLost(const char* displayName)
{
    getInstance().logMessage("ALERT", "Lost the connection to display '%s'. Stopping without it.", displayName);
    stopWithoutDisplay();
}

void GameManager::onGraphicsFailed(const char* doing)
{
    getInstance().logMessage("ALERT", "The graphics library failed while %s. Stopping without it.", doing);
    stopWithoutDisplay();
}

void GameManager::stopWithoutDisplay()
{
    // The windowing or graphics layer cannot go on: nothing here may touch
    // the window or the input again, so the input and display managers are
    // left as they are, and the process ends without running destructors,
    // which would. The rest stops as usual and the log closes.
    GameManager& game = getInstance();
    game.m_gameOver = true;
    if (game.m_floorManager && game.m_floorManager->isStarted())
        game.m_floorManager->stop();
    platform::endTimerPeriod(TIMER_PERIOD_MS);
    game.logMessage("", "Stopping managers.");
    WorldManager::getInstance().stop();
    LogManager::getInstance().stop();
    Recorder::getInstance().finish();
    platform::exitNow(0);
}

void GameManager::setSleepFunction(SleepFunction sleep)
{
    m_sleep = sleep ? sleep : platform::sleepMilliseconds;
}

} // namespace ov
