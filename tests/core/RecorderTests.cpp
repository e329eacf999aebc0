#include "engine/core/Platform.h"
#include "engine/core/Recorder.h"
#include "engine/core/RecordingFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using ov::FrameInput;
using ov::FrameRecord;
using ov::Recorder;
using ov::RecordingFile;

namespace
{

using Happening = FrameInput::Happening;

// Writes the records as a recording, each line as the recorder formats it.
std::string writeRecording(const std::string& path, const std::vector<FrameRecord>& records)
{
    std::string text = RecordingFile::header() + "\n";
    int lastTime = -1;
    std::vector<int> lastChanged;
    for (const FrameRecord& record : records)
        text += RecordingFile::format(record, lastTime, lastChanged) + "\n";
    test::writeFile(path, text);
    return text;
}

std::string readError(const std::string& name, const std::string& content)
{
    test::writeFile(name, content);
    std::vector<FrameRecord> records;
    bool complete = false;
    std::string error;
    if (RecordingFile::read(name, records, complete, error))
        return "(read without complaint)";
    return error;
}

} // namespace

TEST(RecordingFile, EveryKindOfReadingComesBackAsWritten)
{
    std::vector<FrameRecord> written(4);
    written[0].times = {43200000, 43200000, 43200000, 43200007};
    written[0].seeds = {-5};
    written[0].audio = {true, false};
    FrameRecord& busy = written[1];
    busy.frame = 1;
    busy.times = {43200040, 43200039};
    busy.input.happenings = {{Happening::KEY_PRESSED, static_cast<int>(ov::Key::D), {}},
                             {Happening::KEY_RELEASED, -1, {}},
                             {Happening::MOUSE_MOVED, -1, ov::Vector(512.25f, 0.1f)},
                             {Happening::MOUSE_CLICKED, static_cast<int>(ov::MouseButton::Middle), ov::Vector(-3, 767)}};
    busy.input.keys[static_cast<int>(ov::Key::A)] = true;
    busy.input.keys[static_cast<int>(ov::Key::Num9)] = true;
    busy.input.buttons[0] = busy.input.buttons[1] = true;
    busy.keyAnswers = {true, false, true};
    busy.hasDigest = true;
    busy.digest = 0x0a0b0c0d;
    busy.changed = {{12, 0x9a}, {602, 0x07}};
    written[2].frame = 2;
    written[2].hasDigest = true;
    written[2].changed = {{12, 0x00}, {602, 0xff}}; // the same objects: written short
    written[2].quit = true;
    written[3].frame = -1;
    written[3].times = {0};

    const std::string text = writeRecording("kinds.replay", written);
    EXPECT_NE(text.find(" t43200000,0*2,7"), std::string::npos) << text;
    EXPECT_NE(text.find(" o=00ff"), std::string::npos) << text;

    std::vector<FrameRecord> read;
    bool complete = false;
    std::string error;
    ASSERT_TRUE(RecordingFile::read("kinds.replay", read, complete, error)) << error;
    EXPECT_TRUE(complete);
    // Written again, what was read is the same text: nothing read was lost.
    EXPECT_EQ(writeRecording("again.replay", read), text);
    ASSERT_EQ(read.size(), written.size());
    EXPECT_EQ(read[1].line, 3);
    EXPECT_EQ(read[0].times, written[0].times);
    EXPECT_EQ(read[1].times, written[1].times);
    EXPECT_EQ(read[0].audio, written[0].audio);
    EXPECT_EQ(read[2].changed, written[2].changed);
    EXPECT_EQ(read[3].frame, -1);
    const FrameInput& input = read[1].input;
    ASSERT_EQ(input.happenings.size(), 4u);
    EXPECT_EQ(input.happenings[0].code, static_cast<int>(ov::Key::D));
    EXPECT_EQ(input.happenings[1].kind, Happening::KEY_RELEASED);
    EXPECT_EQ(input.happenings[2].position.x, 512.25f);
    EXPECT_EQ(input.happenings[3].code, static_cast<int>(ov::MouseButton::Middle));
    EXPECT_EQ(input.happenings[3].position.y, 767.0f);
    EXPECT_TRUE(input.keys[static_cast<int>(ov::Key::Num9)] && input.buttons[1] && !input.buttons[2]);
}

TEST(RecordingFile, DamagedOrForeignRecordingsAreRefusedNamingTheLine)
{
    const std::string head = RecordingFile::header() + "\n";
    const std::string other = std::string(ov::platform::name()) == "linux" ? "windows" : "linux";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "empty"},
        {"PK\x03\x04 a zip\n", "line 1: not a recording"},
        {"orvane-replay 2 " + std::string(ov::platform::name()) + "\n", "line 1: a recording of format version 2"},
        {"orvane-replay 1 " + other + "\n", "line 1: recorded on " + other},
        {head + "0 t5\n2 t1\n", "line 3: frame 1 expected"},
        {head + "0 t5 tx\n", "line 2: cannot read \"tx\""},
        {head + "0 t86400000\n", "line 2: cannot read"},
        {head + "0 t5\n1 t-6\n", "line 3: cannot read"}, // before midnight
        {head + "0 t1,0*99999999\n", "line 2: cannot read"},
        {head + "0 p:Nokey\n", "line 2: cannot read \"p:Nokey\""},
        {head + "0 h:Undefined\n", "line 2: cannot read"},
        {head + "0 c:Left@1\n", "line 2: cannot read"},
        {head + "0 d0a0b0c0d\n1 o=9a\n", "line 3: cannot read \"o=9a\""}, // no objects in the line before
        {head + "0 o:7=9a\n1 o=+a\n", "line 3: cannot read"},
        {head + "0 d+0a0b0c0\n", "line 2: cannot read"},
        {head + "0 k012\n", "line 2: cannot read"},
        {head + "0  q\n", "line 2: cannot read"},
        {head + "0\nend\n1\n", "line 4: more after the end"},
    };
    for (const auto& c : cases)
        EXPECT_NE(readError("damaged.replay", c.first).find(c.second), std::string::npos)
            << "recording:\n" << c.first << "\nexpected: " << c.second << "\ngot: " << readError("damaged.replay", c.first);

    EXPECT_NE(readError(".", "").find("not a file"), std::string::npos);

    // A run that crashed mid-line: the whole lines are played, the cut one named.
    test::writeFile("cut.replay", head + "0 t5\n1 t1\n2 t");
    std::vector<FrameRecord> records;
    bool complete = true;
    std::string note;
    ASSERT_TRUE(RecordingFile::read("cut.replay", records, complete, note));
    EXPECT_FALSE(complete);
    EXPECT_EQ(records.size(), 2u);
    EXPECT_EQ(note, "line 4 is cut short");
}

namespace
{

std::string describeObject(int id)
{
    return "Thing " + std::to_string(id);
}

// A run as the game loop meets the recorder: the start-up's readings, three
// frames, the stop's. It hands the recorder `live` values (what the machine
// says now) and gives back what the recorder answered. `parting` changes
// object 2 in frame 2; `extraRead` reads the clock once more in frame 3.
struct FakeRun
{
    int live = 0;
    bool parting = false;
    bool extraRead = false;
    std::vector<int> answers;
    std::vector<bool> heldD;
    bool quitAfterParting = false; // the game was told to end before its third frame was done

    void play(Recorder& recorder)
    {
        answers.push_back(recorder.time(1000 + live));
        answers.push_back(recorder.seed(77 + live));
        answers.push_back(recorder.audio(live == 0));
        for (int frame = 1; frame <= 3; ++frame)
        {
            recorder.beginFrame(frame);
            answers.push_back(recorder.time(1000 + 33 * frame + live));
            if (extraRead && frame == 3)
                answers.push_back(recorder.time(0));
            FrameInput input;
            input.keys[static_cast<int>(ov::Key::D)] = live == 0;
            recorder.input(input);
            heldD.push_back(input.keys[static_cast<int>(ov::Key::D)]);
            answers.push_back(recorder.keyDown((frame % 2 == 0) == (live == 0)));
            const bool quit = recorder.quit(false);
            const std::uint32_t second = parting && frame == 2 ? 0xbad : 0x200;
            recorder.endFrame({{1, 0x100u + static_cast<std::uint32_t>(frame)}, {2, second}}, describeObject);
            if (quit)
            {
                quitAfterParting = true;
                break;
            }
        }
        answers.push_back(recorder.time(2000 + live));
        recorder.finish();
    }
};

void record(const std::string& path)
{
    Recorder& recorder = Recorder::getInstance();
    recorder.startRecording();
    FakeRun run;
    run.answers.push_back(recorder.time(990)); // before the file is named: kept, then written
    recorder.openFile(path.c_str());
    run.play(recorder);
    EXPECT_EQ(recorder.getMode(), Recorder::Mode::OFF);
}

FakeRun replay(const std::string& path, FakeRun run)
{
    Recorder& recorder = Recorder::getInstance();
    std::string error;
    EXPECT_TRUE(recorder.load(path, error)) << error;
    recorder.startReplay(true, true);
    recorder.time(5);
    run.play(recorder);
    return run;
}

} // namespace

TEST(Recorder, AReplayAnswersAsTheRecordedRunWasAnswered)
{
    record("run.replay");
    FakeRun recorded;
    recorded.play(Recorder::getInstance()); // the recorder is off: live values pass through
    FakeRun replayed;
    replayed.live = 500; // the machine now says otherwise
    replayed = replay("run.replay", replayed);
    EXPECT_EQ(replayed.answers, recorded.answers);
    EXPECT_EQ(replayed.heldD, std::vector<bool>(3, true));
    EXPECT_EQ(Recorder::getInstance().getResult(), Recorder::AGREED);
    EXPECT_EQ(Recorder::getInstance().getReport(), "all 3 frames agree with the recording");
}

TEST(Recorder, AReplayThatPartsNamesTheFrameAndTheObject)
{
    record("parting.replay");
    FakeRun changed;
    changed.parting = true;
    changed = replay("parting.replay", changed);
    Recorder& recorder = Recorder::getInstance();
    EXPECT_EQ(recorder.getResult(), Recorder::PARTED);
    const std::string& report = recorder.getReport();
    EXPECT_NE(report.find("frame 2 (line 4) differs"), std::string::npos) << report;
    EXPECT_NE(report.find("Thing 2; its digest was 00 (unchanged), replayed ad."), std::string::npos) << report;
    EXPECT_TRUE(changed.quitAfterParting) << "the game was not told to end";

    FakeRun greedy;
    greedy.extraRead = true;
    replay("parting.replay", greedy);
    EXPECT_EQ(recorder.getResult(), Recorder::PARTED);
    EXPECT_EQ(recorder.getReport(), "frame 3 read the clock more often than in the recorded run");
}

TEST(Recorder, ARecordingCutShortEndsItsReplayAsUnusable)
{
    record("whole.replay");
    std::string text = test::readFile("whole.replay");
    // The run crashed while writing frame 3.
    text = text.substr(0, text.find("\n3 ") + 4);
    test::writeFile("crashed.replay", text);
    replay("crashed.replay", FakeRun());
    EXPECT_EQ(Recorder::getInstance().getResult(), Recorder::UNUSABLE);
    EXPECT_EQ(Recorder::getInstance().getReport(), "the recording ends after frame 2, cut short (line 5 is cut short)");
}

TEST(Recorder, ARecordingThatCannotBeWrittenLeavesTheRunUnrecorded)
{
    std::filesystem::create_directory("blocked.replay");
    Recorder& recorder = Recorder::getInstance();
    recorder.startRecording();
    testing::internal::CaptureStderr();
    recorder.openFile("blocked.replay");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(said.rfind("blocked.replay cannot be written", 0), 0u) << said;
    EXPECT_EQ(recorder.getMode(), Recorder::Mode::OFF);
    EXPECT_EQ(recorder.time(5), 5);
}
