#include "platform/QueuedPoster.h"

namespace tarn {

void QueuedPoster::post(std::function<void()> work)
{
    {
        std::lock_guard lock(m_mutex);
        m_work.push_back(std::move(work));
    }
    m_arrived.notify_all();
}

int QueuedPoster::runPending()
{
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(m_mutex);
        batch.swap(m_work);
    }
    for (auto& work : batch)
        work();
    return static_cast<int>(batch.size());
}

int QueuedPoster::waitAndRun(std::chrono::milliseconds timeout)
{
    {
        std::unique_lock lock(m_mutex);
        m_arrived.wait_for(lock, timeout, [this] { return !m_work.empty(); });
    }
    return runPending();
}

} // namespace tarn
