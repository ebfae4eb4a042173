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
    // From inside a step: the step that runs right after it.
    void then(std::function<void()> step)
    {
        m_steps.insert(m_steps.begin() + static_cast<std::ptrdiff_t>(m_next), std::move(step));
    }
    // Runs the next step; false when none is left. A step may add others.
    bool runNext()
    {
        if (m_next >= m_steps.size())
            return false;
        const std::function<void()> step = std::move(m_steps[m_next++]);
        step();
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
