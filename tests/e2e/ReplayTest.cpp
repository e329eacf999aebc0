#include "GameRun.h"
#include "Play.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

using namespace e2e;

namespace
{

// The first press of D made a press of A: the event, the key held, and the
// answers to the player's questions whether A and D are down (asked in
// pairs, in that order) the other way round. Gives the frame's number, -1
// when D was never pressed.
int pressAInsteadOfD(std::string& recording)
{
    for (std::size_t at = 0, end = 0; at < recording.size(); at = end + 1)
    {
        end = std::min(recording.find('\n', at), recording.size());
        std::string line = recording.substr(at, end - at);
        if (!std::regex_search(line, std::regex(" p:D( |$)")))
            continue;
        line = std::regex_replace(line, std::regex(" p:D( |$)"), " p:A$1");
        line = std::regex_replace(line, std::regex("( h:(?:[^ ]*\\+)?)D(?=[+ ]|$)"), "$1A");
        const std::size_t answers = line.find(" k");
        for (std::size_t k = answers + 2; answers != std::string::npos && k + 1 < line.size() && line[k] != ' '; k += 2)
            std::swap(line[k], line[k + 1]);
        recording.replace(at, end - at, line);
        return std::atoi(line.c_str());
    }
    return -1;
}

// What a stored recording's run lacks of what it was made for ("" for nothing).
std::string lacks(const std::string& file, const test::GameLog& log)
{
    const int end = log.find("GameManager", "---------END GAME LOOP---------");
    const auto beforeTheEnd = [&](const std::string& source) {
        const int at = log.find(source, "Die.");
        return at >= 0 && at < end;
    };
    if (file == "kills.replay")
        return !beforeTheEnd("Bat ") && !beforeTheEnd("Slime ") ? "nothing killed"
               : beforeTheEnd("Player ")                        ? "the player died"
                                                                : "";
    // The next floor's checkpoint is made when the player reaches the first.
    if (log.find("Checkpoint ", "Renamed Checkpoint.", log.find("Checkpoint ", "Renamed Checkpoint.") + 1) < 0)
        return "no floor change";
    return beforeTheEnd("Player ") ? "" : "the player did not die";
}

} // namespace

// A run on the real clock, played at random, then replayed fast and checked:
// the same log byte for byte, in a fraction of the time. With one input
// changed, the replay parts from the recording at that frame.
TEST(Replay, ARunPlayedAtRandomReplaysExactlyAndFast)
{
    GameRun played;
    played.setFakeClock(false);
    ASSERT_TRUE(played.start());
    Opening opening;
    ASSERT_NO_FATAL_FAILURE(playOpening(played, opening));
    // D pressed first, while the player has control, for the change below.
    played.keyDown("d");
    sleepSeconds(0.5);
    played.keyUp("d");
    Monkey monkey(20261208);
    for (const double end = now() + 12; now() < end && played.process().running(); sleepSeconds(monkey.pause()))
        monkey.act(played);
    monkey.releaseAll(played);
    played.tap("q");
    ASSERT_TRUE(played.waitForExit(30));
    const double playedSeconds = played.elapsed();
    expectCleanEnd(played);
    const std::string recording = played.readFile("orvane.replay");
    ASSERT_NE(recording.find("\nend"), std::string::npos) << "no recording of the whole run";

    GameRun replayed;
    ASSERT_NO_FATAL_FAILURE(startReplay(replayed, recording, {"--fast", "--check"}));
    ASSERT_TRUE(replayed.waitForExit(60));
    const double replaySeconds = replayed.elapsed();
    EXPECT_TRUE(replayed.process().exitedNormally() && replayed.process().exitCode() == 0)
        << replayed.process().describeEnd() << "\n" << replayed.errorOutput();
    const std::string log = played.readFile("orvane.log");
    EXPECT_TRUE(replayed.readFile("orvane.log") == log) << "the replay's log differs from the run's";
    EXPECT_FALSE(replayed.readFile("stdout.txt").find("frames agree with the recording") == std::string::npos);
    EXPECT_TRUE(replayed.readFile("orvane.replay").empty()) << "a replay recorded itself";
    EXPECT_LE(replaySeconds, playedSeconds / 5) << "played " << playedSeconds << " s, replayed " << replaySeconds;

    std::string changed = recording;
    const int frame = pressAInsteadOfD(changed);
    ASSERT_GT(frame, 0) << "D was never pressed";
    GameRun parted;
    ASSERT_NO_FATAL_FAILURE(startReplay(parted, changed, {"--fast", "--check"}));
    ASSERT_TRUE(parted.waitForExit(60));
    EXPECT_EQ(parted.process().exitCode(), 1) << parted.process().describeEnd();
    const std::string report = parted.errorOutput();
    EXPECT_NE(report.find("frame " + std::to_string(frame) + " (line"), std::string::npos) << report;
    EXPECT_NE(report.find("The first object that differs is Player"), std::string::npos) << report;

    char figures[160];
    std::snprintf(figures, sizeof figures, "played %.1f s, replayed fast in %.2f s; recording %zu bytes",
                  playedSeconds, replaySeconds, recording.size());
    note(figures);
}

// The recordings kept with the tests, replayed fast and checked: each still
// shows what it was made for.
TEST(Replay, TheStoredRecordingsReplayAsRecorded)
{
    for (const std::string file : {"floor-change-and-death.replay", "kills.replay"})
    {
        SCOPED_TRACE(file);
        GameRun run;
        ASSERT_NO_FATAL_FAILURE(startReplay(run, storedRecording(file), {"--fast", "--check"}));
        ASSERT_TRUE(run.waitForExit(120));
        EXPECT_EQ(run.process().exitCode(), 0) << run.process().describeEnd() << "\n" << run.errorOutput();
        EXPECT_EQ(lacks(file, run.log()), "");
    }
}

// Not a test: plays the runs of the stored recordings again, when the game's
// behaviour has changed on purpose. `make recordings` runs it, writing into
// tests/e2e/recordings; without ORVANE_RECORDINGS_OUT it does nothing.
TEST(RecordAgain, TheStoredRecordings)
{
    const char* out = std::getenv("ORVANE_RECORDINGS_OUT");
    if (!out || !*out)
        GTEST_SKIP() << "ORVANE_RECORDINGS_OUT names the folder to write";
    // Right into the enemies, never attacking, jumping up the steps: past
    // the checkpoint to the next floor, and on to the player's death. Then
    // the same with a swing to the right at each jump, until a kill, and Q.
    for (const bool attack : {false, true})
    {
        const std::string file = attack ? "kills.replay" : "floor-change-and-death.replay";
        // Played until the run shows what the recording is for.
        bool kept = false;
        for (int attempt = 0; attempt < 5 && !kept; ++attempt)
        {
            GameRun run;
            ASSERT_TRUE(run.start());
            Opening opening;
            ASSERT_NO_FATAL_FAILURE(playOpening(run, opening));
            run.keyDown("d");
            const double deadline = now() + 150;
            while (now() < deadline && run.process().running())
            {
                // Jumps held a moment, as a person jumps: a bare tap does not clear a step.
                sleepSeconds(0.6);
                run.keyDown("space");
                sleepSeconds(0.2);
                run.keyUp("space");
                if (!attack)
                    continue;
                const InkBox player = findPlayer(run);
                if (player.count > 0)
                    run.click(static_cast<int>(player.centreX() + 200), static_cast<int>(player.centreY()));
                const test::GameLog log = run.log();
                if (log.find("Bat ", "Die.") >= 0 || log.find("Slime ", "Die.") >= 0)
                    break;
            }
            run.keyUp("d");
            if (attack)
                run.tap("q");
            ASSERT_TRUE(run.waitForExit(60));
            expectCleanEnd(run);
            const std::string missing = lacks(file, run.log());
            std::printf("%s, attempt %d: %s\n", file.c_str(), attempt + 1, missing.empty() ? "kept" : missing.c_str());
            kept = missing.empty();
            if (kept)
                std::ofstream(std::string(out) + "/" + file, std::ios::binary) << run.readFile("orvane.replay");
        }
        EXPECT_TRUE(kept) << file << " is as it was: no run showed what it is for";
    }
}
