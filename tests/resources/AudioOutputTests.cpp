// Plays through OpenAL Soft's wave writer and reads back what it recorded.
// OpenAL reads its settings when the first device opens, which happens when
// the engine first asks whether there is audio: the environment below is
// set up before any test runs.
#include "ResourceTesting.h"

#include "engine/resources/Audio.h"
#include "engine/resources/ResourceManager.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

namespace
{

std::string g_recording;

class WaveOutput : public testing::Environment
{
public:
    void SetUp() override
    {
        g_recording = test::workDir() + "/recorded.wav";
        const std::string config = test::workDir() + "/alsoft.conf";
        test::writeFile(config, "[wave]\nfile=" + g_recording + "\n");
        setenv("ALSOFT_DRIVERS", "wave", 1);
        setenv("ALSOFT_CONF", config.c_str(), 1);
    }
};

[[maybe_unused]] testing::Environment* const g_waveOutput = testing::AddGlobalTestEnvironment(new WaveOutput);

uint32_t read32(const std::string& bytes, size_t at)
{
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
           uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
}

uint16_t read16(const std::string& bytes, size_t at)
{
    return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

size_t recordedBytes()
{
    return test::readFile(g_recording).size();
}

// The largest absolute sample (0 to 1) written after the given byte offset,
// or -1 when the recording cannot be read. The writer fills in the chunk
// sizes only when the device closes, so the data runs to the end of the file.
double peakSince(size_t offset)
{
    const std::string bytes = test::readFile(g_recording);
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return -1.0;
    int format = 0;
    int bits = 0;
    size_t data = 0;
    for (size_t at = 12; at + 8 <= bytes.size();)
    {
        const uint32_t size = read32(bytes, at + 4);
        if (bytes.compare(at, 4, "fmt ") == 0 && at + 8 + 16 <= bytes.size())
        {
            format = read16(bytes, at + 8);
            bits = read16(bytes, at + 8 + 14);
            if (format == 0xFFFE && size >= 40 && at + 8 + 26 <= bytes.size())
                format = read16(bytes, at + 8 + 24); // the extensible format's sub-format
        }
        if (bytes.compare(at, 4, "data") == 0)
        {
            data = at + 8;
            break;
        }
        at += 8 + size + (size & 1);
    }
    if (data == 0 || !((format == 1 && (bits == 8 || bits == 16)) || (format == 3 && bits == 32)))
        return -1.0;

    const size_t sampleBytes = static_cast<size_t>(bits / 8);
    size_t at = std::max(offset, data);
    at = data + (at - data + sampleBytes - 1) / sampleBytes * sampleBytes;
    double peak = 0.0;
    for (; at + sampleBytes <= bytes.size(); at += sampleBytes)
    {
        double value = 0.0;
        if (bits == 8)
            value = (uint8_t(bytes[at]) - 128) / 128.0;
        else if (bits == 16)
            value = int16_t(read16(bytes, at)) / 32768.0;
        else
        {
            float sample = 0.0f;
            const uint32_t raw = read32(bytes, at);
            std::memcpy(&sample, &raw, sizeof sample);
            value = sample;
        }
        peak = std::max(peak, std::fabs(value));
    }
    return peak;
}

void waitMilliseconds(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Plays the sound once and returns the peak of what was recorded meanwhile.
double recordSound(ov::Sound& sound)
{
    const size_t start = recordedBytes();
    sound.play(false);
    waitMilliseconds(600);
    sound.getSound()->stop();
    return peakSince(start);
}

class AudioOutputTest : public restest::ResourceTest
{
protected:
    void SetUp() override
    {
        restest::ResourceTest::SetUp();
        // Opens the device; the writer is given a moment.
        ASSERT_TRUE(ov::audioAvailable());
        waitMilliseconds(200);
        ASSERT_GT(recordedBytes(), 44u) << "OpenAL's wave output is not recording to " << g_recording;
    }
};

TEST_F(AudioOutputTest, NothingPlayedRecordsSilence)
{
    const size_t start = recordedBytes();
    waitMilliseconds(500);
    ASSERT_GT(recordedBytes(), start + 10000) << "the writer must have written while we waited";
    const double peak = peakSince(start);
    ASSERT_GE(peak, 0.0);
    EXPECT_LT(peak, 0.001);
}

TEST_F(AudioOutputTest, SoundsPlayTheirOwnSamplesAfterAnEarlierOneIsUnloaded)
{
    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    restest::writeSineWav("loud.wav", 0.9f, 440.0f, 0.3f);
    restest::writeSineWav("middle.wav", 0.4f, 660.0f, 0.3f);
    restest::writeSineWav("quiet.wav", 0.1f, 330.0f, 0.3f);
    ASSERT_EQ(resources.loadSound("loud.wav", "loud"), 0);
    ASSERT_EQ(resources.loadSound("middle.wav", "middle"), 0);

    const double loud = recordSound(*resources.getSound("loud"));
    const double middle = recordSound(*resources.getSound("middle"));
    ASSERT_GT(middle, 0.05);
    ASSERT_GT(loud, middle * 1.8);

    // "middle" moves into the first slot; the slot it left takes a new sound.
    ASSERT_EQ(resources.unloadSound("loud"), 0);
    ASSERT_EQ(resources.loadSound("quiet.wav", "quiet"), 0);

    const double moved = recordSound(*resources.getSound("middle"));
    EXPECT_NEAR(moved, middle, middle * 0.1);
    const double quiet = recordSound(*resources.getSound("quiet"));
    EXPECT_NEAR(quiet, middle * 0.25, middle * 0.05);
}

TEST_F(AudioOutputTest, GameEffectAndLoopingMusicAreHeard)
{
    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    ASSERT_EQ(resources.loadSound(test::dataDir() + "/sounds/jump2.ogg", "jump"), 0);
    EXPECT_GT(recordSound(*resources.getSound("jump")), 0.05);

    // A piece a quarter of a second long, still heard after it has run out
    // three times over: it loops.
    restest::writeSineWav("tune.wav", 0.5f, 440.0f, 0.25f);
    ASSERT_EQ(resources.loadMusic("tune.wav", "tune"), 0);
    ov::Music* music = resources.getMusic("tune");
    ASSERT_NE(music, nullptr);
    music->play(true);
    waitMilliseconds(800);
    const size_t late = recordedBytes();
    waitMilliseconds(400);
    const double peak = peakSince(late);
    music->getMusic()->stop();
    EXPECT_GT(peak, 0.1);

    // And stopped, it falls silent.
    waitMilliseconds(200);
    const size_t after = recordedBytes();
    waitMilliseconds(300);
    EXPECT_LT(peakSince(after), 0.001);
}

} // namespace
