#pragma once

#include "engine/display/Color.h"
#include "engine/world/Object.h"

#include <string>

namespace ov
{

// A heads-up display element: a label and a number, optionally framed, placed
// at one of nine spots of the view. It never collides, is drawn on top and is
// drawn even when its box lies outside the view.
class ViewObject : public Object
{
public:
    ViewObject();

    // Takes its value from view events whose tag equals the label.
    int handleEvent(const Event& event) override;
    int draw() override;

    // Spots 0 to 8 of the view as it is now; the place does not follow the view later.
    void setLocation(int location);
    void setBorder(bool border);
    void setViewString(const std::string& viewString) { m_viewString = viewString; }
    void setValue(int value) { m_value = value; }
    int getValue() const { return m_value; }
    void setColor(Color color) { m_color = color; }
    Color getColor() const { return m_color; }

private:
    std::string m_viewString;
    int m_value = 0;
    bool m_border = true;
    Color m_color = NO_COLOR;
    int m_location = 1;
};

} // namespace ov
