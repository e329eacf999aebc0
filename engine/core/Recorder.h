#pragma once

#include "engine/core/FrameInput.h"
#include "engine/core/RecordingFile.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace ov
{

const char RECORDING_FILE[] = "orvane.replay";

// Everything a run takes from outside the program that changes what the
// program does, frame by frame: the clock's readings, the seed of the random
// numbers, whether there is an audio device, the window's input and the
// answers to "is this key down?", the requests to quit; and after each frame
// a digest of the world. A game run records it all into "orvane.replay"
// (RecordingFile says how), written as the run goes, so a crash keeps every
// frame until then; a replaying run takes it all from a recording instead,
// so that it plays the run again exactly, its log byte for byte.
//
// The engine meets the outside world only through the calls below (the
// clock, the input manager, the audio probe, the game loop): a game written
// on the engine is recorded and replayed without code of its own.
class Recorder
{
public:
    // Whether the run is recorded, replayed, or neither (a replay that has
    // ended, or a program that never started the game manager).
    enum class Mode
    {
        OFF,
        RECORDING,
        REPLAYING
    };
    // How a replay ended, and the replayer's exit code.
    enum Result
    {
        AGREED = 0,   // every frame as recorded (or ended by Q)
        PARTED = 1,   // the replay parted from the recording
        UNUSABLE = 2  // the recording is damaged, cut short, or not for this program
    };

    // The one recorder.
    static Recorder& getInstance();

    // What the recorder is doing now.
    Mode getMode() const { return m_mode; }

    // Recording: from now on everything is kept, in memory until openFile
    // names the file, which is then emptied and written from the start.
    // Without the file (it cannot be written), one line on the standard
    // error says so and the run goes on unrecorded.
    ///@{
    void startRecording();
    void openFile(const char* path);
    ///@}
    // After the log's last line: the stop's readings, then the file closes.
    // Replaying: the replay must end here too.
    void finish();

    // Replaying: reads the whole recording first; false, with the reason
    // (naming the line), when it cannot be replayed.
    bool load(const std::string& path, std::string& error);
    // Frames without the loop's sleep when fast; each frame's digest
    // compared with the recording's when checking.
    void startReplay(bool fast, bool check);
    // Whether a fast replay is running: the loop then skips its sleep.
    bool isFast() const { return m_mode == Mode::REPLAYING && m_fast; }
    // Q in the replay's window: the replay ends after this frame.
    void abandon();
    // How the replay went (AGREED until it parts or ends otherwise).
    Result getResult() const { return m_result; }
    // What the replay found, for the person who started it.
    const std::string& getReport() const { return m_report; }

    // The seam. Recording, each keeps what it is given and returns it;
    // replaying, each returns what the recording holds in its place.
    // Times are milliseconds of the UTC day.
    ///@{
    int time(int now);
    int seed(int seed);
    bool audio(bool available);
    bool keyDown(bool down);
    void input(FrameInput& input);
    ///@}
    // True also when a replay has ended (or parted), so that the game ends.
    bool quit(bool requested);
    // The loop's frame number, from 1, as each frame begins.
    void beginFrame(int frame);
    // Each object's id and digest, in the world's order; describe tells of an
    // object by its id, for the report of a replay that parts from its recording.
    ///@{
    using ObjectDigests = std::vector<std::pair<int, std::uint32_t>>;
    using Describe = std::string (*)(int id);
    void endFrame(const ObjectDigests& objects, Describe describe);
    ///@}

private:
    Recorder() = default;
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Writes the record as its line (or keeps it until the file is open).
    void write(const FrameRecord& record);
    // The replay stops following the recording: said in the report, the
    // result kept (the first reason wins), the rest of the run on its own.
    void part(Result result, const std::string& why);
    // The record being replayed, or none when the replay has ended.
    FrameRecord* replayed();
    // One reading of a kind: kept when recording; when replaying, the
    // recording's next, or the live one once the replay has parted.
    template <typename T>
    T take(std::vector<T> FrameRecord::*readings, std::size_t& taken, T live, const char* otherwise);
    // Whether every reading of the record has been taken.
    bool allTaken(const FrameRecord& record) const;
    // Says which object first differs in a frame whose digest does.
    std::string firstDifference(const FrameRecord& record, const std::vector<std::pair<int, std::uint8_t>>& changed,
                                Describe describe) const;
    // The digest an object had after the last frame, marked KNOWN; 0 for none.
    std::uint64_t lastDigest(int id) const;
    static const std::uint64_t KNOWN = 1ull << 32;

    Mode m_mode = Mode::OFF;
    FrameRecord m_current;
    int m_lastTime = -1;
    std::vector<int> m_lastChanged;
    std::vector<std::string> m_pending; // lines kept until the file is open
    std::FILE* m_file = nullptr;
    bool m_failed = false;
    // The objects' last digests, by id (0: none yet), to write only those that changed.
    std::vector<std::uint64_t> m_objectDigests;

    std::vector<FrameRecord> m_records;
    bool m_complete = false;
    std::size_t m_at = 0; // the record being replayed
    // Readings of each kind taken from it so far.
    std::size_t m_times = 0, m_seeds = 0, m_audio = 0, m_keys = 0;
    bool m_fast = false;
    bool m_check = false;
    bool m_abandoned = false;
    bool m_afterFrame = false; // between a frame's end and the next frame or the stop
    Result m_result = AGREED;
    std::string m_report;
    int m_frame = 0;
};

// The replayer's entry: `PROGRAM [--fast] [--check] FILE` replays the
// recording by running the game (its usual entry) in replay; returns the
// exit code (Recorder::Result). A game on the engine makes its replayer with
// a main of one line around it.
int runReplay(int argc, char** argv, int (*game)());

} // namespace ov
