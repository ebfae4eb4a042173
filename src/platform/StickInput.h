#pragma once

#include <string>
#include <vector>

namespace tarn {

// One stick as the console sees it: its name, its axes from -1 (left, up,
// released trigger at -1 too) to +1 and its buttons. An empty name is "no stick".
struct StickState {
    std::string name;
    std::vector<double> axes;
    std::vector<bool> buttons;

    bool present() const { return !name.empty(); }
    double axis(int index) const
    {
        return index >= 0 && index < static_cast<int>(axes.size()) ? axes[static_cast<std::size_t>(index)] : 0.0;
    }
    bool button(int index) const
    {
        return index >= 0 && index < static_cast<int>(buttons.size()) && buttons[static_cast<std::size_t>(index)];
    }
};

// Told of the stick after every look at it: `state` as it is now; `plugged`
// when a stick came or went since the last look (the state's name says which).
class StickListener {
public:
    virtual void stickPolled(const StickState& state, bool plugged) = 0;

protected:
    ~StickListener() = default;
};

// A source of stick input, looked at on its own timer. One stick at a time:
// the first one found; when it goes, the next one plugged in.
class StickInput {
public:
    virtual ~StickInput() = default;
    virtual void setListener(StickListener* listener) = 0;
    virtual const StickState& state() const = 0;
};

} // namespace tarn
