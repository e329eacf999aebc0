#include "WindowHarness.h"

#include "support/ReferenceRenderer.h"

#include "engine/core/LogManager.h"
#include "engine/display/DisplayManager.h"
#include "engine/display/InputManager.h"
#include "engine/world/WorldManager.h"
#include "support/TestSupport.h"

#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>

// Last: Xlib's macros (None, Status, ...) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace harness
{

namespace
{

sf::Color g_firstCustomColor = sf::Color::Transparent;

// The brightest pixel of a rectangle of the image.
sf::Color brightest(const sf::Image& image, int left, int top, int width, int height)
{
    sf::Color best = sf::Color::Black;
    for (int y = top; y < top + height; ++y)
    {
        for (int x = left; x < left + width; ++x)
        {
            sf::Color pixel = image.getPixel(x, y);
            if (pixel.r + pixel.g + pixel.b > best.r + best.g + best.b)
                best = pixel;
        }
    }
    return best;
}

class WindowEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        if (!hasWindow())
            return;
        test::startManagers(test::LOG | test::DISPLAY);

        // Must be the first character the program draws: the shared text
        // starts white and keeps the colour of the last coloured character.
        ov::DisplayManager& display = ov::DisplayManager::getInstance();
        display.getWindow()->clear();
        ov::Box view = ov::WorldManager::getInstance().getView();
        display.drawCh(view.corner + ov::Vector(1, 1), '#', ov::CUSTOM);
        g_firstCustomColor = brightest(readBack(), 0, 0, 64, 64);
        display.getWindow()->clear();

        startManagers();
    }

    void TearDown() override
    {
        if (hasWindow())
            test::stopManagers(test::LOG | test::DISPLAY | test::WORLD | test::INPUT);
    }
};

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(new WindowEnvironment);

} // namespace

bool hasWindow()
{
    return test::displayAvailable();
}

void startManagers()
{
    test::startManagers(test::LOG | test::DISPLAY | test::WORLD | test::INPUT);
}

sf::Image readBack()
{
    // Characters reach the window only when the frame's batch is drawn.
    ov::DisplayManager::getInstance().flush();
    return test::readWindow();
}

sf::Image readShown()
{
    sf::RenderWindow* window = ov::DisplayManager::getInstance().getWindow();
    unsigned width = window->getSize().x;
    unsigned height = window->getSize().y;
    sf::Image image;
    image.create(width, height, sf::Color::Black);

    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return image;
    XImage* shown = XGetImage(display, static_cast<::Window>(window->getSystemHandle()), 0, 0, width, height,
                              AllPlanes, ZPixmap);
    if (shown)
    {
        for (unsigned y = 0; y < height; ++y)
        {
            for (unsigned x = 0; x < width; ++x)
            {
                unsigned long pixel = XGetPixel(shown, int(x), int(y));
                image.setPixel(x, y, sf::Color((pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff));
            }
        }
        XDestroyImage(shown);
    }
    XCloseDisplay(display);
    return image;
}

sf::Color firstCustomColor()
{
    return g_firstCustomColor;
}

void WindowTest::SetUp()
{
    if (!hasWindow())
        GTEST_SKIP() << "needs an X display (tools/with-xvfb.sh)";
    startManagers();
    ov::WorldManager& world = ov::WorldManager::getInstance();
    m_savedBoundary = world.getBoundary();
    m_savedView = world.getView();
    world.setBoundary(ov::Box(ov::Vector(0, 0), 200, 100));
    world.setView(ov::Box(ov::Vector(0, 0), 80, 30));
    display().flush();
    window().clear();
}

void WindowTest::TearDown()
{
    if (!hasWindow())
        return;
    ov::WorldManager& world = ov::WorldManager::getInstance();
    world.setBoundary(m_savedBoundary);
    world.setView(m_savedView);
    display().flush();
    window().clear();
}

} // namespace harness
