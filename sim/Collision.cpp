#include "sim/Collision.h"

#include <algorithm>

namespace tarn::sim::Collision {

Answer merge(const std::vector<Answer>& answers)
{
    Answer merged = answers.front();
    for (std::size_t i = 1; i < answers.size(); ++i) {
        const Answer& other = answers[i];
        if (other.bytes.size() > merged.bytes.size())
            merged.bytes.resize(other.bytes.size(), 0xFF);
        for (std::size_t b = 0; b < other.bytes.size(); ++b)
            merged.bytes[b] &= other.bytes[b];
        if (merged.kind == Answer::Kind::Ack && other.kind == Answer::Kind::Reply) {
            merged.kind = Answer::Kind::Reply;
            merged.checksumIndex = other.checksumIndex;
        }
    }
    return merged;
}

} // namespace tarn::sim::Collision
