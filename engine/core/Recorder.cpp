#include "engine/core/Recorder.h"

#include "engine/core/Platform.h"

#include <cstring>
#include <map>

namespace ov
{

namespace
{

std::string frameName(int frame)
{
    return frame < 0 ? "the stop" : frame == 0 ? "the start-up" : "frame " + std::to_string(frame);
}

} // namespace

Recorder& Recorder::getInstance()
{
    static Recorder instance;
    return instance;
}

void Recorder::startRecording()
{
    if (m_mode == Mode::REPLAYING)
        return;
    m_mode = Mode::RECORDING;
    m_current = FrameRecord();
    m_lastTime = -1;
    m_lastChanged.clear();
    m_pending.clear();
    m_objectDigests.clear();
    m_failed = false;
}

void Recorder::openFile(const char* path)
{
    if (m_mode != Mode::RECORDING || m_file)
        return;
    platform::OpenResult result = platform::OpenResult::Failed;
    std::string reason;
    m_file = platform::openExclusive(path, result, reason);
    if (!m_file)
    {
        std::fprintf(stderr, "%s cannot be written: %s. The game goes on unrecorded.\n", path, reason.c_str());
        m_mode = Mode::OFF;
        m_pending.clear();
        return;
    }
    std::vector<std::string> pending;
    pending.swap(m_pending);
    std::fprintf(m_file, "%s\n", RecordingFile::header().c_str());
    for (const std::string& line : pending)
        std::fprintf(m_file, "%s\n", line.c_str());
    std::fflush(m_file);
}

void Recorder::write(const FrameRecord& record)
{
    const std::string line = RecordingFile::format(record, m_lastTime, m_lastChanged);
    if (!m_file)
    {
        m_pending.push_back(line);
        return;
    }
    std::fprintf(m_file, "%s\n", line.c_str());
    // A frame at a time reaches the file, so a crash keeps every frame until then.
    if (std::fflush(m_file) != 0 && !m_failed)
    {
        m_failed = true;
        std::fprintf(stderr, "Cannot write %s: %s. The game goes on unrecorded.\n", RECORDING_FILE,
                     std::strerror(errno));
    }
}

void Recorder::finish()
{
    if (m_mode == Mode::RECORDING)
    {
        m_current.frame = -1;
        write(m_current);
        if (m_file)
            std::fclose(m_file);
        m_file = nullptr;
        m_pending.clear();
        m_mode = Mode::OFF;
        return;
    }
    if (m_mode != Mode::REPLAYING)
        return;
    FrameRecord* record = replayed();
    if (record && record->frame >= 0 && m_at + 1 < m_records.size() && m_records[m_at + 1].frame < 0 &&
        allTaken(*record))
    {
        // A stop that read no clock at all.
        ++m_at;
        m_times = m_seeds = m_audio = m_keys = 0;
        record = replayed();
    }
    if (!record)
        return;
    if (record->frame >= 0)
        part(PARTED, "the replay ended after " + frameName(m_frame) + "; the recorded run went on");
    else if (!allTaken(*record))
        part(PARTED, "the stop read the clock fewer times than in the recorded run");
    else if (m_check)
        m_report = "all " + std::to_string(m_frame) + " frames agree with the recording";
    else
        m_report = "replayed " + std::to_string(m_frame) + " frames";
    m_mode = Mode::OFF;
}

bool Recorder::load(const std::string& path, std::string& error)
{
    m_report.clear();
    if (!RecordingFile::read(path, m_records, m_complete, error))
        return false;
    // A recording cut short keeps the reason, for the report of its end.
    if (!m_complete)
        m_report = error;
    return true;
}

void Recorder::startReplay(bool fast, bool check)
{
    m_mode = Mode::REPLAYING;
    m_fast = fast;
    m_check = check;
    m_at = 0;
    m_times = m_seeds = m_audio = m_keys = 0;
    m_objectDigests.clear();
    m_result = AGREED;
    m_abandoned = false;
    m_afterFrame = false;
}

void Recorder::abandon()
{
    if (m_mode != Mode::REPLAYING || m_abandoned)
        return;
    m_abandoned = true;
    m_report = "the replay was ended by Q in " + frameName(m_frame);
}

void Recorder::part(Result result, const std::string& why)
{
    if (m_result == AGREED && !m_abandoned)
    {
        m_result = result;
        m_report = why;
    }
    // The rest of the run goes on its own: real clock, real input; the game ends at this frame's end.
    m_mode = Mode::OFF;
    m_abandoned = true;
}

FrameRecord* Recorder::replayed()
{
    if (m_mode != Mode::REPLAYING)
        return nullptr;
    // Readings after a frame's end belong to the stop.
    if (m_afterFrame)
    {
        m_afterFrame = false;
        if (m_at + 1 >= m_records.size())
        {
            part(UNUSABLE, "the recording ends after " + frameName(m_frame) + ", cut short" +
                               (m_report.empty() ? "" : " (" + m_report + ")"));
            return nullptr;
        }
        if (m_records[m_at + 1].frame >= 0)
        {
            part(PARTED, "the replay ended after " + frameName(m_frame) + "; the recorded run went on");
            return nullptr;
        }
        ++m_at;
        m_times = m_seeds = m_audio = m_keys = 0;
    }
    return &m_records[m_at];
}

bool Recorder::allTaken(const FrameRecord& record) const
{
    return m_times == record.times.size() && m_seeds == record.seeds.size() && m_audio == record.audio.size() &&
           m_keys == record.keyAnswers.size();
}

template <typename T>
T Recorder::take(std::vector<T> FrameRecord::*readings, std::size_t& taken, T live, const char* otherwise)
{
    if (m_mode == Mode::RECORDING)
    {
        (m_current.*readings).push_back(live);
        return live;
    }
    FrameRecord* record = replayed();
    if (!record)
        return live;
    if (taken >= (record->*readings).size())
    {
        part(PARTED, frameName(record->frame) + otherwise);
        return live;
    }
    return (record->*readings)[taken++];
}

int Recorder::time(int now)
{
    return take(&FrameRecord::times, m_times, now, " read the clock more often than in the recorded run");
}

int Recorder::seed(int seed)
{
    return take(&FrameRecord::seeds, m_seeds, seed, " drew a seed the recorded run did not");
}

bool Recorder::audio(bool available)
{
    return take(&FrameRecord::audio, m_audio, available, " looked for an audio device; the recorded run did not");
}

bool Recorder::keyDown(bool down)
{
    return take(&FrameRecord::keyAnswers, m_keys, down, " asked for a key more often than the recorded run");
}

void Recorder::input(FrameInput& input)
{
    if (m_mode == Mode::RECORDING)
        m_current.input = input;
    else if (FrameRecord* record = replayed())
        input = record->input;
}

bool Recorder::quit(bool requested)
{
    if (m_mode == Mode::RECORDING)
    {
        m_current.quit = m_current.quit || requested;
        return requested;
    }
    if (m_mode == Mode::REPLAYING && requested)
        abandon();
    if (m_abandoned)
    {
        // Told once: from here the run goes on its own, and its stop is the
        // replayer's, not the recording's.
        m_mode = Mode::OFF;
        m_abandoned = false;
        return true;
    }
    const FrameRecord* record = replayed();
    return requested || (record && record->quit);
}

void Recorder::beginFrame(int frame)
{
    m_frame = frame;
    if (m_mode == Mode::RECORDING)
    {
        if (m_current.frame == 0)
        {
            write(m_current);
            m_current = FrameRecord();
        }
        m_current.frame = frame;
        return;
    }
    if (m_mode != Mode::REPLAYING)
        return;
    m_afterFrame = false;
    const FrameRecord& previous = m_records[m_at];
    if (!allTaken(previous))
    {
        part(PARTED, frameName(previous.frame) + " took less from outside than in the recorded run");
        return;
    }
    if (m_at + 1 >= m_records.size())
    {
        part(UNUSABLE, "the recording ends after " + frameName(previous.frame) + ", cut short" +
                           (m_report.empty() ? "" : " (" + m_report + ")"));
        return;
    }
    if (m_records[m_at + 1].frame != frame)
    {
        part(PARTED, "the recorded run ended after " + frameName(previous.frame) + "; the replay goes on");
        return;
    }
    ++m_at;
    m_times = m_seeds = m_audio = m_keys = 0;
}

void Recorder::endFrame(const ObjectDigests& objects, Describe describe)
{
    if (m_mode == Mode::OFF)
        return;
    // The world's digest, and the objects whose digest changed in the frame
    // (or that are new), against the last frame's.
    std::uint64_t world = 0xcbf29ce484222325ull;
    std::vector<std::pair<int, std::uint8_t>> changed;
    for (const auto& object : objects)
    {
        world = (world ^ object.second) * 0x100000001b3ull;
        if (lastDigest(object.first) != (object.second | KNOWN))
            changed.emplace_back(object.first, static_cast<std::uint8_t>(object.second));
    }
    const std::uint32_t digest = static_cast<std::uint32_t>(world ^ (world >> 32));

    if (m_mode == Mode::RECORDING)
    {
        m_current.hasDigest = true;
        m_current.digest = digest;
        m_current.changed = changed;
        write(m_current);
        m_current = FrameRecord();
        m_current.frame = -1;
    }
    else if (FrameRecord* record = replayed())
    {
        m_afterFrame = true;
        if (m_check && (!record->hasDigest || record->digest != digest))
        {
            char digests[64];
            std::snprintf(digests, sizeof digests, "%08x, replayed %08x", static_cast<unsigned int>(record->digest),
                          static_cast<unsigned int>(digest));
            part(PARTED, frameName(record->frame) + " (line " + std::to_string(record->line) +
                             ") differs from the recorded run: the world's digest was " + digests + ". " +
                             firstDifference(*record, changed, describe));
        }
    }
    for (const auto& object : objects)
    {
        if (object.first < 0)
            continue;
        const std::size_t id = static_cast<std::size_t>(object.first);
        if (id >= m_objectDigests.size())
            m_objectDigests.resize(id + 1, 0);
        m_objectDigests[id] = object.second | KNOWN;
    }
}

std::uint64_t Recorder::lastDigest(int id) const
{
    return id >= 0 && static_cast<std::size_t>(id) < m_objectDigests.size() ? m_objectDigests[static_cast<std::size_t>(id)]
                                                                             : 0;
}

std::string Recorder::firstDifference(const FrameRecord& record, const std::vector<std::pair<int, std::uint8_t>>& changed,
                                      Describe describe) const
{
    // The objects that changed in either run, in id order: the first whose
    // recorded digest is not the replayed one.
    std::map<int, std::pair<int, int>> digests; // id: recorded, replayed (-1: unchanged)
    for (const auto& object : record.changed)
        digests[object.first] = {object.second, -1};
    for (const auto& object : changed)
    {
        auto& pair = digests.emplace(object.first, std::make_pair(-1, -1)).first->second;
        pair.second = object.second;
    }
    for (const auto& entry : digests)
    {
        const int id = entry.first;
        const auto& pair = entry.second;
        if (pair.first == pair.second)
            continue;
        // An object that did not change has the digest it had after the frame before.
        const std::uint64_t before = lastDigest(id);
        const auto show = [before](int digest) {
            char text[32];
            if (digest >= 0)
                std::snprintf(text, sizeof text, "%02x", digest);
            else if (before & KNOWN)
                std::snprintf(text, sizeof text, "%02x (unchanged)", static_cast<unsigned int>(before & 0xff));
            else
                std::snprintf(text, sizeof text, "none (not in the world)");
            return std::string(text);
        };
        return "The first object that differs is " + (describe ? describe(id) : "object " + std::to_string(id)) +
               "; its digest was " + show(pair.first) + ", replayed " + show(pair.second) + ".";
    }
    return "The objects that changed agree; an object that left the world differs.";
}

int runReplay(int argc, char** argv, int (*game)())
{
    bool fast = false;
    bool check = false;
    std::string path;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "--fast")
            fast = true;
        else if (argument == "--check")
            check = true;
        else if (path.empty() && !argument.empty() && argument[0] != '-')
            path = argument;
        else
            path.clear(), i = argc;
    }
    const char* program = argc > 0 ? argv[0] : "orvane-replay";
    if (path.empty())
    {
        std::fprintf(stderr, "usage: %s [--fast] [--check] FILE\n", program);
        return Recorder::UNUSABLE;
    }
    Recorder& recorder = Recorder::getInstance();
    std::string error;
    if (!recorder.load(path, error))
    {
        std::fprintf(stderr, "%s: %s: %s\n", program, path.c_str(), error.c_str());
        return Recorder::UNUSABLE;
    }
    recorder.startReplay(fast, check);
    game();
    std::fprintf(recorder.getResult() == Recorder::AGREED ? stdout : stderr, "%s: %s: %s\n", program, path.c_str(),
                 recorder.getReport().c_str());
    return recorder.getResult();
}

} // namespace ov
