#pragma once

#include "GameRun.h"
#include "Image.h"

#include <random>
#include <set>
#include <string>
#include <vector>

namespace e2e
{

// The rows of one frame of a staged sprite file, and its transparent character.
struct SpriteArt
{
    std::vector<std::string> rows;
    char transparent = '\0';
};
bool readSpriteFrame(const std::string& file, int frame, SpriteArt& art);
int spriteFrameCount(const std::string& file);

// Takes screenshots until the art shows in the ink (score at least
// `minScore`) or time runs out; gives the best match seen and its screenshot.
TextMatch waitForArt(GameRun& run, const SpriteArt& art, Ink ink, double minScore, double timeoutSeconds,
                     Image* shot = nullptr);

// Takes screenshots until the player (the only thing drawn in cyan) stands
// still: the same box on three screenshots in a row.
bool waitUntilPlayerStill(GameRun& run, double timeoutSeconds, InkBox& player);

// Where the player is now: a few screenshots are tried, since the figure
// blinks out on some frames while it cannot be hurt. Empty when not seen.
InkBox findPlayer(GameRun& run, Image* shot = nullptr);

// D held for up to `seconds` from where the player stands (x `from`, pixels), with
// a jump whenever a step of the ground stops it and a swing now and then at
// whatever flies at it, until it is 3 cells further right. Gives the furthest
// x seen, and the screenshot it was seen on.
double walkRight(GameRun& run, double from, Image* shot = nullptr, double seconds = 8);

// What a person does from start-up to the first moment of control: waits for
// the start screen, lets the introduction walk the player off the roof,
// presses Space and waits until the player has landed in the shaft.
struct Opening
{
    TextMatch startScreen;
    Image startShot;
    InkBox player; // where the player stands once it has control
};
// Fails the test when the window, the start screen or the landing never comes.
void playOpening(GameRun& run, Opening& opening);

// A player who knows nothing: random A, D, Space and clicks anywhere in the
// window, at random moments, and never Q.
class Monkey
{
public:
    explicit Monkey(unsigned seed) : m_random(seed) {}

    void act(GameRun& run)
    {
        int choice = std::uniform_int_distribution<int>(0, 9)(m_random);
        if (choice < 3)
            toggle(run, "a");
        else if (choice < 6)
            toggle(run, "d");
        else if (choice < 8)
            run.tap("space");
        else
            run.click(std::uniform_int_distribution<int>(0, 1023)(m_random),
                      std::uniform_int_distribution<int>(0, 767)(m_random));
        ++m_inputs;
    }

    double pause() { return std::uniform_real_distribution<double>(0.05, 0.4)(m_random); }

    // Keys still held are let go, so that the X server is left as found.
    void releaseAll(GameRun& run)
    {
        for (const std::string& key : m_held)
            run.keyUp(key);
        m_held.clear();
    }

    int inputs() const { return m_inputs; }

private:
    void toggle(GameRun& run, const std::string& key)
    {
        if (m_held.erase(key))
            run.keyUp(key);
        else
        {
            run.keyDown(key);
            m_held.insert(key);
        }
    }

    std::mt19937 m_random;
    std::set<std::string> m_held;
    int m_inputs = 0;
};

// One line the log of a whole run must hold: source and message, or the
// message's start when `prefix` is set.
struct ExpectedLine
{
    std::string source;
    std::string message;
    bool prefix = false;
};

// The log from start-up to shut-down, in the order the program entry brings
// the system up and takes it down (each line after the one before).
std::vector<ExpectedLine> wholeRunInOrder();
// Fails the test at the first of those lines the log lacks, in its place,
// or when the banner does not stand alone first or a resource did not load.
void expectWholeRunInOrder(const test::GameLog& log);

// Exit code 0 and nothing from the sanitizers; when the program had a log,
// the log closed by the log manager, "Stopping..." its last line.
void expectCleanEnd(GameRun& run, bool logged = true);

// Waits for the window and, where its sprite is there to show, the start
// screen; then presses Space, lets the game play a moment and quits with Q.
void seeStartScreenThenQuit(GameRun& run, bool startScreen = true);

// A recording kept under tests/e2e/recordings.
std::string storedRecording(const std::string& name);
// Starts the replayer in the run's folder on a copy of the recording's text,
// with the options given ("--fast", "--check"); its clock is the recording's.
void startReplay(GameRun& run, const std::string& recording, const std::vector<std::string>& options);

// Lines of the resource manager that report a sprite, sound or music loaded.
int loadedResources(const test::GameLog& log);

// How many times the part stands in the text.
int countOf(const std::string& text, const std::string& part);

// A figure worth seeing in the test's output (printed, not asserted).
void note(const std::string& text);

} // namespace e2e
