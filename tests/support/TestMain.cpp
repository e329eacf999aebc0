#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{

std::string g_workDir;

void copyFile(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
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
    setenv("ALSOFT_DRIVERS", "null", 0);

    char pattern[] = "/tmp/orvane-test-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    g_workDir = pattern;
    copyFile(test::dataDir() + "/ov-font.ttf", g_workDir + "/ov-font.ttf");
    if (chdir(g_workDir.c_str()) != 0)
        return 1;

    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();

    if (!std::getenv("ORVANE_KEEP_TEST_DIR"))
    {
        std::string command = "rm -rf '" + g_workDir + "'";
        if (std::system(command.c_str()) != 0)
            return result ? result : 1;
    }
    return result;
}
