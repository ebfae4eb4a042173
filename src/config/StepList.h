#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace tarn {

// A part's writing, one control at a time: a dialog whose newest command
// supersedes one not yet sent (Setup), or that sends past its pump, must see
// each command answered before the next.
class StepList {
public:
    void add(std::function<void()> step) { m_steps.push_back(std::move(step)); }
    // Runs the next step; false when none is left.
    bool runNext()
    {
        if (m_next >= m_steps.size())
            return false;
        m_steps[m_next++]();
        return true;
    }
    void clear()
    {
        m_steps.clear();
        m_next = 0;
    }

private:
    std::vector<std::function<void()>> m_steps;
    std::size_t m_next = 0;
};

} // namespace tarn
