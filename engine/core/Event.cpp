#include "engine/core/Event.h"

namespace ov
{

Event::Event()
{
}

Event::~Event()
{
}

void Event::setType(const std::string& type)
{
    m_type = type;
}

const std::string& Event::getType() const
{
    return m_type;
}

} // namespace ov
