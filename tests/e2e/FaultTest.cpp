#include "GameRun.h"
#include "Play.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace e2e;

namespace
{

const char LOOP_START[] = "--------START GAME LOOP--------";
const char LOOP_END[] = "---------END GAME LOOP---------";
const char FAILED_START[] = "The game could not start; orvane.log says why.\n";

void makePipe(GameRun& run, const std::string& relative)
{
    run.removeFile(relative);
    ASSERT_EQ(0, mkfifo(run.path(relative).c_str(), 0644));
}

void makeFolder(GameRun& run, const std::string& relative)
{
    run.removeFile(relative);
    ASSERT_TRUE(std::filesystem::create_directory(run.path(relative)));
}

int countOf(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// Exit code 0, nothing from the sanitizers, and the log closed by the log manager.
void expectCleanEnd(GameRun& run)
{
    EXPECT_TRUE(run.process().exitedNormally()) << run.process().describeEnd();
    EXPECT_EQ(0, run.process().exitCode());
    EXPECT_EQ("", run.sanitizerReport());
}

void expectCompleteLog(const GameLog& log)
{
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("LogManager", log.lines().back().source);
    EXPECT_EQ("Stopping...", log.lines().back().message);
}

// Waits for the start screen, presses Space, lets the game run a moment
// and quits with Q.
void playBrieflyThenQuit(GameRun& run, bool expectStartScreen = true)
{
    ASSERT_TRUE(run.findWindow(60)) << run.process().describeEnd();
    if (expectStartScreen)
    {
        SpriteArt menu;
        ASSERT_TRUE(readSpriteFrame(run.path("sprites/startmenu-spr.txt"), 0, menu));
        EXPECT_GE(waitForArt(run, menu, Ink::Yellow, 0.98, 30).score, 0.98) << "the start screen did not show";
    }
    else
    {
        ASSERT_TRUE(run.waitForLogLine(LOOP_START, 30));
        sleepSeconds(1.0);
    }
    run.tap("space");
    sleepSeconds(1.5);
    run.tap("q");
    ASSERT_TRUE(run.waitForExit(20)) << "still running 20 s after Q";
}

// The Ogg page checksum: CRC-32 with the polynomial 0x04c11db7, not
// reflected, starting from 0, over the page with its checksum field zeroed.
std::uint32_t oggChecksum(const std::string& page)
{
    std::uint32_t crc = 0;
    for (unsigned char byte : page)
    {
        crc ^= static_cast<std::uint32_t>(byte) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04c11db7u : crc << 1;
    }
    return crc;
}

// A copy of a short Ogg Vorbis file whose last page claims that the sound
// runs for the given time. A decoder learns a file's length from that page,
// before it decodes anything; the few samples actually there stay short.
// The file needs audio on more than one page: the first audio page's
// position is taken as the start.
bool writeLongOgg(const std::string& from, const std::string& to, double seconds)
{
    std::ifstream in(from, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t last = data.rfind("OggS");
    size_t first = data.find("OggS");
    if (last == std::string::npos || first == std::string::npos || data.size() < 27)
        return false;
    // The identification header: packet type 1, "vorbis", version, channels, rate.
    size_t packet = first + 27 + static_cast<unsigned char>(data[first + 26]);
    if (data.compare(packet, 7, "\x01vorbis") != 0)
        return false;
    std::uint32_t rate = 0;
    for (int i = 3; i >= 0; --i)
        rate = (rate << 8) | static_cast<unsigned char>(data[packet + 12 + static_cast<size_t>(i)]);

    std::uint64_t granule = static_cast<std::uint64_t>(seconds * rate);
    for (int i = 0; i < 8; ++i)
        data[last + 6 + static_cast<size_t>(i)] = static_cast<char>((granule >> (8 * i)) & 0xff);
    size_t segments = static_cast<unsigned char>(data[last + 26]);
    size_t length = 27 + segments;
    for (size_t i = 0; i < segments; ++i)
        length += static_cast<unsigned char>(data[last + 27 + i]);
    std::string page = data.substr(last, length);
    for (int i = 0; i < 4; ++i)
        page[22 + static_cast<size_t>(i)] = 0;
    std::uint32_t crc = oggChecksum(page);
    for (int i = 0; i < 4; ++i)
        data[last + 22 + static_cast<size_t>(i)] = static_cast<char>((crc >> (8 * i)) & 0xff);

    std::ofstream out(to, std::ios::binary);
    out << data;
    return static_cast<bool>(out);
}

} // namespace

// Scenario 4: faults met by chance or by an attacker. Each case ends with
// exit code 0 and the log closed, or a word on the standard error where no
// log can be.
TEST(Faults, SoundsAndMusicThatAreNotFilesAreRefused)
{
    GameRun run;
    makeFolder(run, "sounds/jump5.ogg");
    makePipe(run, "sounds/hit2.ogg");
    makePipe(run, "musics/Retro Mystic.ogg");
    ASSERT_TRUE(run.start());
    playBrieflyThenQuit(run);
    expectCleanEnd(run);

    GameLog log = run.log();
    expectCompleteLog(log);
    int jump = log.find("Sound", "Error loading sound from file 'sounds/jump5.ogg'");
    ASSERT_GE(jump, 0);
    EXPECT_EQ("ERROR", log.lines()[jump].level);
    EXPECT_GE(log.find("ResourceManager", "Unable to load sound 'jump' from file 'sounds/jump5.ogg'.", jump), 0);
    EXPECT_GE(log.find("Sound", "Error loading sound from file 'sounds/hit2.ogg'"), 0);
    EXPECT_GE(log.find("Music", "Error loading music from file 'musics/Retro Mystic.ogg'"), 0);
    EXPECT_GE(log.find("ResourceManager", "Unable to load music 'bgMusic' from file 'musics/Retro Mystic.ogg'."), 0);
    EXPECT_EQ(15, loadedResources(log));
    EXPECT_GE(log.find("GameManager", LOOP_END), 0);
}

TEST(Faults, MusicThatIsAFolderIsRefused)
{
    GameRun run;
    makeFolder(run, "musics/Retro Mystic.ogg");
    ASSERT_TRUE(run.start());
    playBrieflyThenQuit(run);
    expectCleanEnd(run);

    GameLog log = run.log();
    expectCompleteLog(log);
    EXPECT_GE(log.find("Music", "Error loading music from file 'musics/Retro Mystic.ogg'"), 0);
    EXPECT_EQ(17, loadedResources(log));
}

TEST(Faults, FontThatIsAPipeEndsTheProgramCleanly)
{
    GameRun run;
    makePipe(run, "ov-font.ttf");
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after start with a pipe for a font";
    expectCleanEnd(run);

    GameLog log = run.log();
    expectCompleteLog(log);
    EXPECT_GE(log.find("DisplayManager", "Error loading font from ov-font.ttf."), 0);
    EXPECT_EQ(1, countOf(run.errorOutput(), FAILED_START)) << run.errorOutput();
}

TEST(Faults, StartedWithoutTheDataTheTerminalIsToldWhereToLook)
{
    GameRun run;
    run.removeFile("ov-font.ttf");
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.waitForExit(30));
    expectCleanEnd(run);
    expectCompleteLog(run.log());
    EXPECT_EQ(1, countOf(run.errorOutput(), FAILED_START)) << run.errorOutput();
}

TEST(Faults, QuitsWithQWithoutThePlayersSprite)
{
    GameRun run;
    run.removeFile("sprites/player-bounds.txt");
    ASSERT_TRUE(run.start());
    playBrieflyThenQuit(run);
    expectCleanEnd(run);

    GameLog log = run.log();
    expectCompleteLog(log);
    EXPECT_GE(log.find("GameManager", LOOP_END), 0);
}

TEST(Faults, QuitsWithQWithoutAnySprite)
{
    GameRun run;
    std::filesystem::remove_all(run.path("sprites"));
    ASSERT_TRUE(run.start());
    playBrieflyThenQuit(run, false);
    expectCleanEnd(run);

    GameLog log = run.log();
    expectCompleteLog(log);
    EXPECT_GE(log.find("GameManager", LOOP_END), 0);
}

TEST(Faults, SignalsEndTheGameAsQDoes)
{
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP})
    {
        SCOPED_TRACE("signal " + std::to_string(signalNumber));
        GameRun run;
        ASSERT_TRUE(run.start());
        ASSERT_TRUE(run.waitForLogLine(LOOP_START, 60)) << run.process().describeEnd();
        sleepSeconds(1.0);
        ASSERT_TRUE(run.process().sendSignal(signalNumber));
        ASSERT_TRUE(run.waitForExit(20)) << "still running 20 s after the signal";
        expectCleanEnd(run);

        GameLog log = run.log();
        expectCompleteLog(log);
        int end = log.find("GameManager", LOOP_END);
        EXPECT_GE(end, 0);
        EXPECT_GT(log.find("GameManager", "Stopping managers."), end);
    }
}

TEST(Faults, OverlongSoundIsRefusedFromItsHeader)
{
    GameRun run;
    run.removeFile("sounds/jump5.ogg");
    ASSERT_TRUE(writeLongOgg(std::string(ORVANE_STAGED_DATA) + "/sounds/gameover4.ogg", run.path("sounds/jump5.ogg"),
                             2 * 3600.0));
    ASSERT_TRUE(run.start());
    playBrieflyThenQuit(run);
    expectCleanEnd(run);

    GameLog log = run.log();
    expectCompleteLog(log);
    int refused = log.find("Sound", "Sound file 'sounds/jump5.ogg' lasts 7200.0 s, longer than the 60 s a sound may last.");
    ASSERT_GE(refused, 0);
    EXPECT_EQ("ERROR", log.lines()[refused].level);
    EXPECT_GT(log.find("ResourceManager", "Unable to load sound 'jump' from file 'sounds/jump5.ogg'."), refused);
    EXPECT_EQ(-1, log.find("ResourceManager", "Sound 'jump' loaded."));
    EXPECT_EQ(17, loadedResources(log));
}

TEST(Faults, SecondCopyInTheSameFolderLeavesTheFirstCopysLogAlone)
{
    GameRun run;
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.waitForLogLine(LOOP_START, 60)) << run.process().describeEnd();

    Process second;
    ASSERT_TRUE(run.startCopy(second, "second-stderr.txt"));
    ASSERT_TRUE(second.waitFor(20)) << "the second copy is still running";
    EXPECT_TRUE(second.exitedNormally()) << second.describeEnd();
    EXPECT_EQ(0, second.exitCode());
    std::ifstream in(run.path("second-stderr.txt"));
    std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(1, countOf(said, "orvane.log is in use by another copy of the game running in this folder")) << said;

    ASSERT_TRUE(run.findWindow(30));
    run.tap("q");
    ASSERT_TRUE(run.waitForExit(20));
    expectCleanEnd(run);
    GameLog log = run.log();
    expectCompleteLog(log);
    EXPECT_EQ(1, log.count("LogManager", "Started."));
    EXPECT_GE(log.find("GameManager", LOOP_START), 0);
    EXPECT_GE(log.find("GameManager", LOOP_END), 0);
}

TEST(Faults, FullDiskIsReportedOnceAndThePlayGoesOn)
{
    GameRun run;
    std::filesystem::create_symlink("/dev/full", run.path("orvane.log"));
    ASSERT_TRUE(run.start());
    playBrieflyThenQuit(run);
    expectCleanEnd(run);
    EXPECT_EQ(1, countOf(run.errorOutput(), "Cannot write orvane.log: No space left on device.")) << run.errorOutput();
}

TEST(Faults, UnwritableFolderSaysWhyOnStandardError)
{
    GameRun run;
    // Root writes anywhere: the program then runs as nobody, who cannot
    // write the test's directory (made for its owner alone).
    // The clock library cannot set itself up as nobody, and is not needed here.
    if (geteuid() == 0)
        run.setCommandPrefix(
            {"env", "-u", "LD_PRELOAD", "setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    ASSERT_EQ(0, chmod(run.dir().c_str(), 0500));
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.waitForExit(30));
    chmod(run.dir().c_str(), 0700);
    expectCleanEnd(run);
    EXPECT_EQ("orvane.log cannot be created: Permission denied.\n", run.errorOutput());
    EXPECT_FALSE(std::filesystem::exists(run.path("orvane.log")));
}

TEST(Faults, ClosedStandardErrorKeepsTheLibrariesOutOfTheLog)
{
    GameRun run;
    run.setStderrClosed(true);
    run.setFakeClock(false);
    ASSERT_TRUE(run.start());
    playBrieflyThenQuit(run);
    expectCleanEnd(run);

    GameLog log = run.log();
    expectCompleteLog(log);
    EXPECT_EQ("Orvane engine: a character-cell 2D game engine", log.banner());
    EXPECT_EQ("LogManager", log.lines().front().source);
    EXPECT_EQ("Started.", log.lines().front().message);
}

// Without a sound card every call of the audio layer fails and says so on
// the standard error; a music stream kept restarting its source and wrote
// tens of megabytes a second. The game now plays silently: what is left is
// one complaint per sound slot made at start-up, nothing per frame.
TEST(Faults, WithoutAnAudioDeviceTheGamePlaysSilentlyAndQuietly)
{
    GameRun run;
    // A driver list naming no real driver opens no device, as no sound card does.
    run.setCommandPrefix({"env", "ALSOFT_DRIVERS=no-such-driver"});
    ASSERT_TRUE(run.start());
    playBrieflyThenQuit(run);
    expectCleanEnd(run);

    GameLog log = run.log();
    expectCompleteLog(log);
    EXPECT_GE(log.find("Sound", "No audio device could be opened; playing without sound."), 0);
    EXPECT_LT(run.errorOutput().size(), 400000u);
}
