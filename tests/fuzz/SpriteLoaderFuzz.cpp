// libFuzzer target for the sprite file reader: any bytes, read as a sprite
// file, must give a sprite that keeps its own invariants or a logged refusal;
// never a crash, a leak, an out-of-bounds read or a hang.
#include "engine/core/LogManager.h"
#include "engine/resources/SpriteFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The loader's messages go to the log, so their formatting is exercised
    // too; starting the log afresh now and then keeps the file small.
    static unsigned long runs = 0;
    ov::LogManager& log = ov::LogManager::getInstance();
    if (runs++ % 20000 == 0)
        log.start();

    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    ov::Sprite* sprite = ov::readSprite(file, "fuzz");
    if (!sprite)
        return 0;

    const int width = sprite->getWidth();
    const int height = sprite->getHeight();
    if (width < 1 || width > ov::MAX_SPRITE_SIZE || height < 1 || height > ov::MAX_SPRITE_SIZE)
        std::abort();
    if (sprite->getFrameCount() != sprite->getMaxFrameCount())
        std::abort();
    for (int i = 0; i < sprite->getFrameCount(); ++i)
    {
        const ov::Frame& frame = sprite->getFrame(i);
        if (frame.getWidth() != width || frame.getHeight() != height ||
            frame.getText().size() != static_cast<size_t>(width) * static_cast<size_t>(height))
            std::abort();
    }
    if (!sprite->getFrame(sprite->getFrameCount()).isEmpty() || !sprite->getFrame(-1).isEmpty())
        std::abort();
    delete sprite;
    return 0;
}
