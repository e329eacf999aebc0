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
    ~ViewObject() override;

    // Takes its value from view events whose tag equals the label.
    int handleEvent(const Event& event) override;
    int draw() override;

    // Spots 0 to 8 of the view as it is now; the place does not follow the view later.
    void setLocation(int location);
    int getLocation() const;
    void setBorder(bool border);
    bool getBorder() const;
    void setViewString(const std::string& viewString);
    const std::string& getViewString() const;
    void setValue(int value);
    int getValue() const;
    void setColor(Color color);
    Color getColor() const;

private:
    std::string m_viewString;
    int m_value;
    bool m_border;
    Color m_color;
    int m_location;
};

} // namespace ov
