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
    const auto startIf = [](bool wanted, ov::Manager& manager) {
        if (wanted)
        {
            ASSERT_EQ(0, manager.start()) << manager.getType();
        }
    };
    startIf((which & LOG) && !log.isStarted(), log);
    startIf((which & DISPLAY) && !ov::DisplayManager::getInstance().isStarted(), ov::DisplayManager::getInstance());
    startIf((which & WORLD) && !ov::WorldManager::getInstance().isStarted(), ov::WorldManager::getInstance());
    startIf(which & INPUT, ov::InputManager::getInstance());
    startIf((which & RESOURCES) && !ov::ResourceManager::getInstance().isStarted(),
            ov::ResourceManager::getInstance());
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
