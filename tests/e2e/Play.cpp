#include "Play.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>

namespace e2e
{

namespace
{

// The introduction walks the player left along the roof for 225 step events,
// about 3.7 s; the start screen hides most of that walk, so it is waited out.
const double INTRODUCTION_WALK_SECONDS = 4.0;

const double START_SCREEN_SCORE = 0.98;

struct SpriteFile
{
    int frames = -1;
    int width = 0;
    int height = 0;
    char transparent = '\0';
    std::vector<std::string> body;
};

// A reader of the sprite file format just large enough for the game's own,
// well-formed files: this side of the test must not lean on the loader it checks.
bool readSpriteFile(const std::string& file, SpriteFile& sprite)
{
    std::ifstream in(file);
    std::string line;
    bool inHeader = false, inBody = false;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "<HEADER>" || line == "</HEADER>")
            inHeader = line == "<HEADER>";
        else if (line == "<BODY>" || line == "</BODY>")
            inBody = line == "<BODY>";
        else if (inHeader && line.rfind("frames ", 0) == 0)
            sprite.frames = std::stoi(line.substr(7));
        else if (inHeader && line.rfind("width ", 0) == 0)
            sprite.width = std::stoi(line.substr(6));
        else if (inHeader && line.rfind("height ", 0) == 0)
            sprite.height = std::stoi(line.substr(7));
        else if (inHeader && line.rfind("transparent ", 0) == 0 && line.size() > 12)
            sprite.transparent = line[12];
        else if (inBody)
            sprite.body.push_back(line);
    }
    return sprite.frames >= 0 && sprite.width > 0 && sprite.height > 0;
}

} // namespace

bool readSpriteFrame(const std::string& file, int frame, SpriteArt& art)
{
    SpriteFile sprite;
    if (!readSpriteFile(file, sprite) || frame >= sprite.frames)
        return false;
    size_t first = static_cast<size_t>(frame) * (sprite.height + 1); // each frame ends with "end"
    if (first + sprite.height > sprite.body.size())
        return false;
    art.rows.assign(sprite.body.begin() + static_cast<long>(first),
                    sprite.body.begin() + static_cast<long>(first + sprite.height));
    art.transparent = sprite.transparent;
    return true;
}

int spriteFrameCount(const std::string& file)
{
    SpriteFile sprite;
    return readSpriteFile(file, sprite) ? sprite.frames : -1;
}

TextMatch waitForArt(GameRun& run, const SpriteArt& art, Ink ink, double minScore, double timeoutSeconds,
                     Image* shot)
{
    TextMatch best;
    double deadline = now() + timeoutSeconds;
    do
    {
        Image image;
        if (run.screenshot(image))
        {
            TextMatch match = image.findText(art.rows, ink, art.transparent);
            if (match.score > best.score)
            {
                best = match;
                if (shot)
                    *shot = image;
            }
        }
        if (best.score >= minScore)
            break;
        sleepSeconds(0.2);
    } while (now() < deadline && run.process().running());
    return best;
}

bool waitUntilPlayerStill(GameRun& run, double timeoutSeconds, InkBox& player)
{
    double deadline = now() + timeoutSeconds;
    InkBox previous;
    int same = 0;
    while (now() < deadline && run.process().running())
    {
        Image image;
        if (run.screenshot(image))
        {
            InkBox box = image.box(Ink::Cyan);
            same = !box.empty() && box == previous ? same + 1 : 0;
            previous = box;
            if (same == 2)
            {
                player = box;
                return true;
            }
        }
        sleepSeconds(0.15);
    }
    return false;
}

InkBox findPlayer(GameRun& run, Image* shot)
{
    for (int attempt = 0; attempt < 5; ++attempt)
    {
        Image image;
        if (!run.screenshot(image))
            continue;
        InkBox box = image.box(Ink::Cyan);
        if (shot)
            *shot = image;
        if (!box.empty())
            return box;
        sleepSeconds(0.05);
    }
    return InkBox();
}

void playOpening(GameRun& run, Opening& opening)
{
    ASSERT_TRUE(run.findWindow(60)) << "no window titled Orvane appeared (" << run.process().describeEnd() << ")";
    SpriteArt menu;
    ASSERT_TRUE(readSpriteFrame(run.path("sprites/startmenu-spr.txt"), 0, menu));
    opening.startScreen = waitForArt(run, menu, Ink::Yellow, START_SCREEN_SCORE, 30, &opening.startShot);
    ASSERT_GE(opening.startScreen.score, START_SCREEN_SCORE) << "the start screen did not show";
    opening.startShot.savePpm(run.path("start-screen.ppm"));
    // The start screen's text stands in the middle of the window.
    EXPECT_NEAR(opening.startScreen.centreX, 512, 3 * CELL_WIDTH);
    EXPECT_NEAR(opening.startScreen.centreY, 384, 3 * CELL_HEIGHT);
    sleepSeconds(INTRODUCTION_WALK_SECONDS);
    run.tap("space");
    // The player jumps, walks a little, and falls down the shaft with the
    // view following it; under the sanitizers every frame takes longer.
    ASSERT_TRUE(waitUntilPlayerStill(run, 90, opening.player))
        << "the player never came to rest after Space (" << run.process().describeEnd() << ")";
}

std::vector<ExpectedLine> wholeRunInOrder()
{
    std::vector<ExpectedLine> lines = {{"LogManager", "Started."},   {"DisplayManager", "Started."},
                                       {"WorldManager", "Started."}, {"InputManager", "Started."},
                                       {"GameManager", "Started."},  {"ResourceManager", "Started."}};
    for (const char* sprite : {"bat", "slime", "player-attack-r", "player-attack-l", "player-walk",
                               "player-idle-body", "player-idle-feet", "player-bounds", "gameover", "startmenu"})
        lines.push_back({"ResourceManager", std::string("Sprite '") + sprite + "' loaded."});
    for (const char* sound : {"jump", "hit", "hurt", "bat_die", "slime_die", "slime_jump", "gameover"})
        lines.push_back({"ResourceManager", std::string("Sound '") + sound + "' loaded."});
    lines.push_back({"ResourceManager", "Music 'bgMusic' loaded."});
    std::vector<ExpectedLine> rest = {{"Clock", "Delta clock started.", true},
                                      {"GameManager", "--------START GAME LOOP--------"},
                                      {"FloorManager", "Started."},
                                      {"FloorManager", "Stopped."},
                                      {"GameManager", "---------END GAME LOOP---------"},
                                      {"GameManager", "Stopping managers."},
                                      {"InputManager", "Stopped."},
                                      {"WorldManager", "Stopped."},
                                      {"DisplayManager", "Stopped."},
                                      {"LogManager", "Stopping..."}};
    lines.insert(lines.end(), rest.begin(), rest.end());
    return lines;
}

void expectCleanEnd(GameRun& run, bool logged)
{
    EXPECT_TRUE(run.process().exitedNormally()) << run.process().describeEnd();
    EXPECT_EQ(0, run.process().exitCode());
    EXPECT_EQ("", run.sanitizerReport());
    if (!logged)
        return;
    test::GameLog log = run.log();
    ASSERT_FALSE(log.empty()) << run.errorOutput();
    EXPECT_EQ("LogManager", log.lines().back().source);
    EXPECT_EQ("Stopping...", log.lines().back().message) << log.lines().back().text();
}

void seeStartScreenThenQuit(GameRun& run, bool startScreen)
{
    ASSERT_TRUE(run.findWindow(60)) << run.process().describeEnd();
    SpriteArt menu;
    if (startScreen)
    {
        ASSERT_TRUE(readSpriteFrame(run.path("sprites/startmenu-spr.txt"), 0, menu));
        EXPECT_GE(waitForArt(run, menu, Ink::Yellow, START_SCREEN_SCORE, 30).score, START_SCREEN_SCORE)
            << "the start screen did not show";
    }
    else
    {
        ASSERT_TRUE(run.waitForLogLine("--------START GAME LOOP--------", 30));
        sleepSeconds(1.0);
    }
    run.tap("space");
    sleepSeconds(1.5); // the game plays on with what it has
    run.tap("q");
    ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after Q";
}

int loadedResources(const test::GameLog& log)
{
    int n = 0;
    for (const test::LogLine& line : log.lines())
    {
        const std::string& m = line.message;
        bool loaded = m.size() > 9 && m.compare(m.size() - 9, 9, "' loaded.") == 0;
        n += line.source == "ResourceManager" && loaded ? 1 : 0;
    }
    return n;
}

std::string storedRecording(const std::string& name)
{
    std::ifstream in(std::string(ORVANE_RECORDINGS) + "/" + name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void startReplay(GameRun& run, const std::string& recording, const std::vector<std::string>& options)
{
    run.writeFile("run.replay", recording);
    std::vector<std::string> argv = {ORVANE_REPLAY_PROGRAM};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.push_back("run.replay");
    run.setProgram(argv);
    run.setFakeClock(false);
    ASSERT_TRUE(run.start());
}

int countOf(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

void note(const std::string& text)
{
    std::cout << "[ e2e      ] " << text << std::endl;
}

double walkRight(GameRun& run, double from, Image* shot, double seconds)
{
    double furthest = from;
    double lastSwing = 0;
    Image image;
    run.keyDown("d");
    for (double deadline = now() + seconds; furthest <= from + 3 * CELL_WIDTH && now() < deadline;)
    {
        InkBox box = findPlayer(run, &image);
        if (shot)
            *shot = image;
        if (box.empty())
            continue;
        if (box.centreX() < furthest + CELL_WIDTH / 2)
        {
            // Held a moment, as a person does: a bare tap is the lowest jump,
            // which can come down before the walk has carried the player
            // over a step it stood against.
            run.keyDown("space");
            sleepSeconds(0.3);
            run.keyUp("space");
        }
        if (now() - lastSwing > 0.8)
        {
            // At a bat close by (the only thing drawn in red while playing),
            // as a player would; else ahead, at whatever comes.
            InkBox bat = image.box(Ink::Red);
            bool near = !bat.empty() && std::abs(bat.centreX() - box.centreX()) < 200 &&
                        std::abs(bat.centreY() - box.centreY()) < 200;
            run.click(static_cast<int>(near ? bat.centreX() : box.centreX() + 150),
                      static_cast<int>(near ? bat.centreY() : box.centreY()));
            lastSwing = now();
        }
        furthest = std::max(furthest, box.centreX());
    }
    run.keyUp("d");
    return furthest;
}

void expectWholeRunInOrder(const test::GameLog& log)
{
    ASSERT_FALSE(log.empty());
    EXPECT_FALSE(log.banner().empty());
    EXPECT_EQ(std::string::npos, log.banner().find(" | ")) << "the first line is not the banner: " << log.banner();
    EXPECT_EQ(18, loadedResources(log));
    int at = 0;
    for (const ExpectedLine& line : wholeRunInOrder())
    {
        int found = line.prefix ? log.findPrefix(line.source, line.message, at)
                                : log.find(line.source, line.message, at);
        ASSERT_GE(found, 0) << "no \"" << line.source << " | " << line.message << "\" after line " << at;
        at = found + 1;
    }
}

} // namespace e2e
