#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace
{

std::string g_workDir;

// A new, empty folder of this program's own under the system's temporary folder.
bool makeWorkDir(std::string& dir)
{
#ifdef _WIN32
    std::random_device random;
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        fs::path candidate = fs::temp_directory_path(error) / ("orvane-test-" + std::to_string(random()));
        if (!error && fs::create_directory(candidate, error))
        {
            dir = candidate.string();
            return true;
        }
    }
    return false;
#else
    char pattern[] = "/tmp/orvane-test-XXXXXX";
    if (!mkdtemp(pattern))
        return false;
    dir = pattern;
    return true;
#endif
}

} // namespace

namespace test
{
std::string workDir()
{
    return g_workDir;
}
} // namespace test

int main(int argc, char** argv)
{
    // Silent audio unless a test run asked for another output.
#ifdef _WIN32
    if (!std::getenv("ALSOFT_DRIVERS"))
        _putenv_s("ALSOFT_DRIVERS", "null");
#else
    setenv("ALSOFT_DRIVERS", "null", 0);
#endif

    if (!makeWorkDir(g_workDir))
        return 1;
    std::error_code error;
    fs::copy_file(test::dataDir() + "/ov-font.ttf", fs::path(g_workDir) / "ov-font.ttf", error);
    fs::current_path(g_workDir, error);
    if (error)
        return 1;

    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();

    if (!std::getenv("ORVANE_KEEP_TEST_DIR"))
    {
        // Off the folder first: Windows cannot remove a process's current folder.
        fs::current_path(fs::temp_directory_path(error), error);
        fs::remove_all(g_workDir, error);
#ifndef _WIN32
        if (error)
            return result ? result : 1;
#endif
        // Windows cannot remove files still open, and the engine's singletons
        // (the font loaded by the display) hold theirs until the process ends:
        // what is left stays in the temporary folder.
    }
    return result;
}
