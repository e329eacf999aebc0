// Times drawing one frame of characters the display manager's way, gathered
// into one draw call, against drawing it one character at a time with a
// shared rectangle and text, for a full screen and for a typical frame of the
// game. Prints one line per scene:
//   render SCENE: batched X ms/frame, per-character Y ms/frame, speed-up Z
// Each figure is the median over FRAMES frames, the two ways taking turns.
#include "engine/display/DisplayManager.h"
#include "engine/resources/Sprite.h"
#include "engine/world/Geometry.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectList.h"
#include "engine/world/WorldManager.h"
#include "BenchLevel.h"
#include "game/FloorManager.h"
#include "game/Player.h"
#include "support/ReferenceRenderer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

const int FRAMES = 151;

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point begin)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

ov::DisplayManager& display()
{
    return ov::DisplayManager::getInstance();
}

// One frame the display manager's way: the characters, then the swap that
// draws and shows them.
double batchedFrame(const std::vector<test::Cell>& cells)
{
    const Clock::time_point begin = Clock::now();
    for (const test::Cell& cell : cells)
        display().drawCh(cell.position, cell.ch, cell.color);
    display().swapBuffers();
    return millisecondsSince(begin);
}

// The same frame one character at a time, shown and cleared the same way.
double perCharacterFrame(test::ReferenceRenderer& reference, const std::vector<test::Cell>& cells)
{
    sf::RenderWindow& window = *display().getWindow();
    const Clock::time_point begin = Clock::now();
    reference.draw(cells);
    window.display();
    window.clear();
    return millisecondsSince(begin);
}

// How far what has been drawn so far lies from the reference's drawing of
// the same cells (see test::worstPatch); leaves the window cleared.
int distanceFromReference(test::ReferenceRenderer& reference, const std::vector<test::Cell>& cells)
{
    sf::RenderWindow& window = *display().getWindow();
    display().flush();
    const sf::Image drawn = test::readWindow();
    window.clear();
    reference.draw(cells);
    const sf::Image expected = test::readWindow();
    window.clear();
    return test::worstPatch(drawn, expected);
}

// How far apart the pictures the two ways leave in the back buffer for one
// frame lie (see test::worstPatch).
int pictureDistance(test::ReferenceRenderer& reference, const std::vector<test::Cell>& cells)
{
    // Over a buffer the swap has cleared, as in the game.
    display().swapBuffers();
    for (const test::Cell& cell : cells)
        display().drawCh(cell.position, cell.ch, cell.color);
    return distanceFromReference(reference, cells);
}

// Appends the characters of one sprite frame, as a frame draws them.
void addFrame(std::vector<test::Cell>& cells, const ov::Sprite* sprite, int index, ov::Vector topLeft)
{
    if (!sprite || index < 0 || index >= sprite->getFrameCount())
        return;
    const ov::Frame& frame = sprite->getFrame(index);
    const std::string& text = frame.getText();
    for (int r = 0; r < frame.getHeight(); ++r)
    {
        for (int c = 0; c < frame.getWidth(); ++c)
        {
            const std::size_t at = static_cast<std::size_t>(r * frame.getWidth() + c);
            if (at >= text.size())
                return;
            if (sprite->getTransparency() != 0 && text[at] == sprite->getTransparency())
                continue;
            cells.push_back({ov::Vector(topLeft.x + c, topLeft.y + r), text[at], sprite->getColor()});
        }
    }
}

// The characters the game draws for one object of the level.
void addObject(std::vector<test::Cell>& cells, ov::Object* object)
{
    const ov::Vector position = object->getPosition();
    const std::string& type = object->getType();
    if (type == "Floor")
        cells.push_back({position, '-', ov::WHITE});
    else if (type == "Wall")
        cells.push_back({position, '|', ov::WHITE});

    ov::ResourceManager& resources = ov::ResourceManager::getInstance();
    if (type == "Player")
    {
        // Standing still on the ground: body, and the legs' standing frame.
        addFrame(cells, resources.getSprite("player-idle-body"), 0, ov::Vector(position.x - 1, position.y - 1));
        addFrame(cells, resources.getSprite("player-walk"), 1, ov::Vector(position.x - 1, position.y + 1.2f));
    }

    // The object's own sprite, centred on its position.
    const ov::Sprite* sprite = object->getAnimation().getSprite();
    if (sprite)
    {
        const ov::Vector topLeft(position.x - sprite->getWidth() * 0.5f + 0.5f,
                                 position.y - sprite->getHeight() * 0.5f + 0.5f);
        addFrame(cells, sprite, object->getAnimation().getIndex(), topLeft);
    }
}

// A frame of the game at its start screen: the first floor's ground and the
// shaft's wall, its enemies, the player standing among them and the start
// screen over it all, from the level the game builds for a fixed seed.
std::vector<test::Cell> gameScene()
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    const ov::Box view = buildBenchLevel(1);

    const ov::ObjectList objects = world.getAllObjects();
    for (int i = 0; i < objects.getCount(); ++i)
    {
        ov::Object* object = objects.get(i);
        if (object->getType() == "Player")
            object->setPosition(ov::Vector(view.corner.x + 50, view.corner.y + 21)); // on the ground, 17 rows below the first floor's base
        else if (object->getType() == "StartMenu")
            object->setPosition(ov::Vector(view.corner.x + 40, view.corner.y + 12));
    }

    // What the world's draw pass visits, in its order: by altitude, then as listed.
    std::vector<test::Cell> cells;
    for (int altitude = 0; altitude <= ov::MAX_ALTITUDE; ++altitude)
    {
        const ov::ObjectList active = world.getSceneGraph().activeObjects();
        for (int i = 0; i < active.getCount(); ++i)
        {
            ov::Object* object = active.get(i);
            if (object->getAltitude() == altitude
                && (object->getAlwaysDraw() || ov::boxIntersectsBox(ov::getWorldBox(object), view)))
                addObject(cells, object);
        }
    }
    return cells;
}

// Whether the scene is the frame the game's own draw pass gives.
int distanceFromWorldDraw(test::ReferenceRenderer& reference, const std::vector<test::Cell>& cells)
{
    display().getWindow()->clear();
    ov::WorldManager::getInstance().draw();
    return distanceFromReference(reference, cells);
}

bool measure(const char* name, const std::vector<test::Cell>& cells)
{
    // Both ways keep the colour last given; start them alike.
    test::ReferenceRenderer reference;
    std::vector<test::Cell> scene = cells;
    scene.insert(scene.begin(), test::Cell{ov::Vector(-100, -100), ' ', ov::WHITE});

    const int distance = pictureDistance(reference, scene);
    if (distance < 0 || distance > test::MOST_IN_A_PATCH)
    {
        std::fprintf(stderr, "render_bench: the two ways draw different %s frames (%d pixels of a patch differ)\n",
                     name, distance);
        return false;
    }

    std::vector<double> batched;
    std::vector<double> perCharacter;
    for (int i = 0; i < FRAMES; ++i)
    {
        batched.push_back(batchedFrame(scene));
        perCharacter.push_back(perCharacterFrame(reference, scene));
    }
    const double x = median(batched);
    const double y = median(perCharacter);
    std::printf("render %s: batched %.2f ms/frame, per-character %.2f ms/frame, speed-up %.2f\n", name, x, y, y / x);
    std::fflush(stdout);
    return true;
}

} // namespace

int main()
{
    if (!startBenchEngine("render_bench"))
        return 1;

    bool ok = measure("full-screen", test::fullScreenScene());

    const std::vector<test::Cell> game = gameScene();
    {
        test::ReferenceRenderer reference;
        const int distance = distanceFromWorldDraw(reference, game);
        if (distance < 0 || distance > test::MOST_IN_A_PATCH)
            std::fprintf(stderr, "render_bench: note: the game scene differs from the world's own draw (%d pixels of a "
                         "patch)\n", distance);
    }
    ok = measure("game", game) && ok;

    stopBenchEngine();
    return ok ? 0 : 1;
}
