#include "ResourceTesting.h"

#include "engine/resources/ResourceManager.h"
#include "engine/resources/SpriteFile.h"

#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

namespace
{

using ov::ResourceManager;

// Two frames of 3 x 2, yellow, '#' transparent, each frame shown for 4 draws.
const std::vector<std::string> EXAMPLE = {
    "<HEADER>", "frames 2", "width 3", "height 2", "color yellow", "transparent #", "slowdown 4", "</HEADER>",
    "<BODY>",   "#o#",      "/^\\",    "end",      "#o#",          "\\^/",          "end",        "</BODY>"};

std::string join(const std::vector<std::string>& lines, const std::string& end = "\n")
{
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

// A one-frame 1 x 1 sprite whose header holds the given lines.
std::string withHeader(const std::vector<std::string>& header)
{
    std::vector<std::string> lines = {"<HEADER>"};
    lines.insert(lines.end(), header.begin(), header.end());
    for (const char* line : {"</HEADER>", "<BODY>", "x", "end", "</BODY>"})
        lines.push_back(line);
    return join(lines);
}

const std::string NOT_LOADED = "ALERT|ResourceManager|Sprite 'bad' not loaded.";

class SpriteFileTest : public restest::ResourceTest
{
protected:
    // Loads the text as a sprite labelled "bad" and returns what the loader
    // logged after its "Loading file" line; the load must fail and register nothing.
    std::vector<std::string> failingLoad(const std::string& content)
    {
        test::writeFile("bad.txt", content);
        return failingLoadOf("bad.txt");
    }

    std::vector<std::string> failingLoadOf(const std::string& path)
    {
        ResourceManager& resources = ResourceManager::getInstance();
        const int before = resources.getSpriteCount();
        mark();
        EXPECT_EQ(resources.loadSprite(path, "bad"), -1);
        EXPECT_EQ(resources.getSpriteCount(), before);
        EXPECT_EQ(resources.getSprite("bad"), nullptr);
        std::vector<std::string> lines = logSinceMark();
        EXPECT_GE(lines.size(), 2u);
        if (lines.size() < 2)
            return lines;
        EXPECT_EQ(lines[0], "|ResourceManager|Loading sprite 'bad'.");
        EXPECT_EQ(lines[1], "|ResourceManager|Loading file '" + path + "'.");
        return std::vector<std::string>(lines.begin() + 2, lines.end());
    }

    ov::Sprite* load(const std::string& content, const std::string& label)
    {
        test::writeFile(label + ".txt", content);
        EXPECT_EQ(ResourceManager::getInstance().loadSprite(label + ".txt", label), 0);
        return ResourceManager::getInstance().getSprite(label);
    }
};

TEST_F(SpriteFileTest, WorkedExampleLoadsAlikeWithEitherLineEnd)
{
    for (const std::string& end : {std::string("\n"), std::string("\r\n")})
    {
        SCOPED_TRACE(end.size() == 1 ? "LF" : "CRLF");
        const std::string label = end.size() == 1 ? "lf" : "crlf";
        test::writeFile(label + ".txt", join(EXAMPLE, end));
        mark();
        ASSERT_EQ(ResourceManager::getInstance().loadSprite(label + ".txt", label), 0);
        EXPECT_EQ(logSinceMark(),
                  (std::vector<std::string>{"|ResourceManager|Loading sprite '" + label + "'.",
                                            "|ResourceManager|Loading file '" + label + ".txt'.",
                                            "|ResourceManager|Sprite '" + label + "' loaded."}));

        const ov::Sprite* sprite = ResourceManager::getInstance().getSprite(label);
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->getLabel(), label);
        EXPECT_EQ(sprite->getMaxFrameCount(), 2);
        EXPECT_EQ(sprite->getFrameCount(), 2);
        EXPECT_EQ(sprite->getWidth(), 3);
        EXPECT_EQ(sprite->getHeight(), 2);
        EXPECT_EQ(sprite->getColor(), ov::YELLOW);
        EXPECT_EQ(sprite->getTransparency(), '#');
        EXPECT_EQ(sprite->getSlowdown(), 4);
        EXPECT_EQ(sprite->getFrame(0).getText(), "#o#/^\\");
        EXPECT_EQ(sprite->getFrame(1).getText(), "#o#\\^/");
        EXPECT_EQ(sprite->getFrame(1).getWidth(), 3);
        EXPECT_EQ(sprite->getFrame(1).getHeight(), 2);
    }
}

TEST_F(SpriteFileTest, EachBrokenFileLogsItsMessagesInOrder)
{
    const std::string framesMissing = "ERROR|ResourceManager|Error loading bad sprite: frames not declared in HEADER";
    const std::string noFrame = "ERROR|ResourceManager|Error loading sprite frame: Frame does not exist.";
    auto frameBad = [](int i) {
        return "ERROR|ResourceManager|Error loading bad sprite: " + std::to_string(i) +
               " frame not declared properly in BODY";
    };
    auto outOfRange = [](const std::string& key) {
        return "ERROR|ResourceManager|Error loading bad sprite: " + key + " out of range in HEADER";
    };
    auto replaced = [](size_t index, const std::string& line) {
        std::vector<std::string> lines = EXAMPLE;
        lines[index] = line;
        return join(lines);
    };
    auto without = [](size_t index) {
        std::vector<std::string> lines = EXAMPLE;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
        return join(lines);
    };

    struct Case
    {
        const char* name;
        std::string content;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"blank first line", "\n" + join(EXAMPLE),
         {"ERROR|ResourceManager|Sprite Error: HEADER not defined.", framesMissing, NOT_LOADED}},
        {"blank line in header", replaced(2, "\nwidth 3"),
         {"ERROR|ResourceManager|Sprite Error: HEADER not closed.", framesMissing, NOT_LOADED}},
        {"header never closed", join({"<HEADER>", "frames 1", "width 1", "height 1"}),
         {"ERROR|ResourceManager|Sprite Error: HEADER not closed.", framesMissing, NOT_LOADED}},
        {"no width", without(2),
         {"ERROR|ResourceManager|Error loading bad sprite: width not declared in HEADER", NOT_LOADED}},
        {"no height", without(3),
         {"ERROR|ResourceManager|Error loading bad sprite: height not declared in HEADER", NOT_LOADED}},
        {"width -1 counts as absent", replaced(2, "width -1"),
         {"ERROR|ResourceManager|Error loading bad sprite: width not declared in HEADER", NOT_LOADED}},
        {"short row", replaced(13, "\\^"), {frameBad(1), NOT_LOADED}},
        {"long row", replaced(10, "/^\\/"), {frameBad(0), NOT_LOADED}},
        {"missing end", without(11), {frameBad(0), NOT_LOADED}},
        {"more frames declared than given", replaced(1, "frames 3"), {noFrame, frameBad(2), NOT_LOADED}},
        {"no body", join({EXAMPLE.begin(), EXAMPLE.begin() + 8}),
         {"ERROR|ResourceManager|Sprite Error: BODY not defined.", noFrame, frameBad(0), NOT_LOADED}},
        {"body never closed", join({EXAMPLE.begin(), EXAMPLE.end() - 1}),
         {"ERROR|ResourceManager|Sprite Error: BODY not closed.", noFrame, frameBad(0), NOT_LOADED}},
        {"empty file", "",
         {"ERROR|ResourceManager|Sprite Error: HEADER not defined.", framesMissing, NOT_LOADED}},
        {"binary with NUL bytes", std::string("\0\x01\xff<HEADER>\0\n\x7f\x80\n", 16),
         {"ERROR|ResourceManager|Sprite Error: HEADER not defined.", framesMissing, NOT_LOADED}},
        {"absurd frame count", replaced(1, "frames 2000000000"), {noFrame, frameBad(2), NOT_LOADED}},
        {"frame count beyond int", replaced(1, "frames 99999999999999999999"), {noFrame, frameBad(2), NOT_LOADED}},
        {"negative frame count", replaced(1, "frames -5"), {outOfRange("frames"), NOT_LOADED}},
        {"absurd width", replaced(2, "width 100000"), {outOfRange("width"), NOT_LOADED}},
        {"absurd height", replaced(3, "height 100000"), {outOfRange("height"), NOT_LOADED}},
        {"negative height", replaced(3, "height -3"), {outOfRange("height"), NOT_LOADED}},
        {"width key alone reads as 0", replaced(2, "width"), {outOfRange("width"), NOT_LOADED}},
        {"very long header line", replaced(4, "color " + std::string(ov::MAX_SPRITE_LINE_LENGTH, 'r')),
         {"ERROR|ResourceManager|Sprite Error: HEADER line longer than 1048576 characters.", framesMissing,
          NOT_LOADED}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(failingLoad(c.content), c.expected);
    }
}

TEST_F(SpriteFileTest, FilesThatCannotBeSpritesAreRefusedBeforeReading)
{
    const std::vector<std::string> cannotOpen = {
        "ERROR|ResourceManager|Error opening 'bad' sprite from file 'missing.txt'.", NOT_LOADED};
    EXPECT_EQ(failingLoadOf("missing.txt"), cannotOpen);

    ASSERT_EQ(mkdir("folder.txt", 0755), 0);
    EXPECT_EQ(failingLoadOf("folder.txt"), (std::vector<std::string>{
                                               "ERROR|ResourceManager|Error opening 'bad' sprite from file 'folder.txt'.",
                                               NOT_LOADED}));

    test::writeFile("huge.txt", join(EXAMPLE) + std::string(ov::MAX_SPRITE_FILE_BYTES, 'x'));
    EXPECT_EQ(failingLoadOf("huge.txt"),
              (std::vector<std::string>{"ERROR|ResourceManager|Error loading bad sprite: file larger than 4194304 bytes.",
                                        NOT_LOADED}));
}

TEST_F(SpriteFileTest, LabelsAreUniqueAndCheckedBeforeTheFileIsOpened)
{
    ASSERT_NE(load(join(EXAMPLE), "bat"), nullptr);
    mark();
    EXPECT_EQ(ResourceManager::getInstance().loadSprite("missing.txt", "bat"), -1);
    EXPECT_EQ(logSinceMark(),
              (std::vector<std::string>{"|ResourceManager|Loading sprite 'bat'.",
                                        "ERROR|ResourceManager|Cannot load sprite with label 'bat'. 'bat' already loaded."}));
    EXPECT_EQ(ResourceManager::getInstance().getSpriteCount(), 1);
}

TEST_F(SpriteFileTest, HeaderKeysLastWinsDefaultsAndWords)
{
    // The last of several lines wins; keys may come in any order.
    ov::Sprite* sprite = load(withHeader({"height 1", "width 7", "frames 1", "width 1", "slowdown 3x"}), "last");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getWidth(), 1);
    EXPECT_EQ(sprite->getSlowdown(), 3);
    EXPECT_EQ(sprite->getColor(), ov::WHITE);
    EXPECT_EQ(sprite->getTransparency(), 0);

    const std::vector<std::string> base = {"frames 1", "width 1", "height 1"};
    auto loadWith = [&](const std::string& line, const std::string& label) {
        std::vector<std::string> header = base;
        header.push_back(line);
        return load(withHeader(header), label);
    };

    const char* const words[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white", "orange", "custom"};
    for (int i = 0; i < 10; ++i)
    {
        sprite = loadWith(std::string("color ") + words[i], words[i]);
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->getColor(), static_cast<ov::Color>(i)) << words[i];
    }
    sprite = loadWith("color Red", "capital");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getColor(), ov::WHITE);
    EXPECT_EQ(sprite->getSlowdown(), 0); // no slowdown line
    sprite = loadWith("color ", "emptyColor");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getColor(), ov::WHITE);

    sprite = loadWith("slowdown -1", "slowMinusOne");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getSlowdown(), 0);
    sprite = loadWith("slowdown  \t12 frames", "slowSpaces");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getSlowdown(), 12);

    sprite = loadWith("transparent .x", "firstChar");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getTransparency(), '.');
    sprite = loadWith("transparent", "noTransparent");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getTransparency(), 0);
}

TEST_F(SpriteFileTest, ZeroFramesGiveASpriteWithoutFrames)
{
    ov::Sprite* sprite = load(join({"<HEADER>", "frames 0", "width 2", "height 2", "</HEADER>", "<BODY>", "ab",
                                    "cd", "end", "</BODY>"}),
                              "none");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getMaxFrameCount(), 0);
    EXPECT_EQ(sprite->getFrameCount(), 0);
    EXPECT_TRUE(sprite->getFrame(0).isEmpty());
}

} // namespace

TEST(ReadLine, CarriageReturnLineFeedAndLineFeedReadAlike)
{
    std::istringstream crlf("ab\r\nc");
    EXPECT_EQ(ov::readLine(crlf), "ab");
    EXPECT_EQ(ov::readLine(crlf), "c");
    EXPECT_TRUE(crlf.eof());

    std::istringstream lf("ab\n\nc\n");
    EXPECT_EQ(ov::readLine(lf), "ab");
    EXPECT_EQ(ov::readLine(lf), "");
    EXPECT_EQ(ov::readLine(lf), "c");
    EXPECT_FALSE(lf.eof());
}

TEST(ReadLine, KeepsCarriageReturnsInsideTheLine)
{
    std::istringstream input("a\rb\r\n\r\n");
    EXPECT_EQ(ov::readLine(input), "a\rb");
    EXPECT_EQ(ov::readLine(input), "");
}

TEST(ReadLine, EndOfInputGivesWhatWasReadAndReportsTheEnd)
{
    std::istringstream empty("");
    EXPECT_EQ(ov::readLine(empty), "");
    EXPECT_TRUE(empty.eof());
    EXPECT_TRUE(empty.fail());

    std::istringstream done("x\n");
    EXPECT_EQ(ov::readLine(done), "x");
    EXPECT_EQ(ov::readLine(done), "");
    EXPECT_TRUE(done.eof());
}
