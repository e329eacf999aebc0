#include "support/TestSupport.h"

#include "engine/core/Clock.h"
#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/display/DisplayManager.h"
#include "engine/display/InputManager.h"
#include "engine/resources/ResourceManager.h"
#include "engine/world/WorldManager.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace test
{

std::string dataDir()
{
    return std::string(ORVANE_SOURCE_DIR) + "/data";
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string readTextFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

bool fileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

bool displayAvailable()
{
    return ov::platform::displayAvailable();
}

void startManagers(int which)
{
    ov::LogManager& log = ov::LogManager::getInstance();
    log.setFlush(true);
    if ((which & LOG) && !log.isStarted())
        ASSERT_EQ(0, log.start());
    if ((which & DISPLAY) && !ov::DisplayManager::getInstance().isStarted())
        ASSERT_EQ(0, ov::DisplayManager::getInstance().start());
    if ((which & WORLD) && !ov::WorldManager::getInstance().isStarted())
        ASSERT_EQ(0, ov::WorldManager::getInstance().start());
    if (which & INPUT)
        ASSERT_EQ(0, ov::InputManager::getInstance().start());
    if ((which & RESOURCES) && !ov::ResourceManager::getInstance().isStarted())
        ASSERT_EQ(0, ov::ResourceManager::getInstance().start());
}

void stopManagers(int which)
{
    if (which & RESOURCES)
        ov::ResourceManager::getInstance().stop();
    if (which & INPUT)
        ov::InputManager::getInstance().stop();
    if (which & WORLD)
        ov::WorldManager::getInstance().stop();
    if (which & DISPLAY)
        ov::DisplayManager::getInstance().stop();
    ov::LogManager& log = ov::LogManager::getInstance();
    if ((which & LOG) && log.isStarted())
        log.stop();
    log.setFlush(false);
}

namespace
{

class ManagerEnvironment : public testing::Environment
{
public:
    explicit ManagerEnvironment(int which) : m_which(which) {}
    void SetUp() override { startManagers(m_which); }
    void TearDown() override { stopManagers(m_which); }

private:
    int m_which;
};

} // namespace

bool keepManagersRunning(int which)
{
    testing::AddGlobalTestEnvironment(new ManagerEnvironment(which));
    return true;
}

void restoreClock()
{
    ov::setUtcTimeSource(nullptr);
}

} // namespace test
