#pragma once

#include "control/CommissioningSweep.h"
#include "platform/VirtualClock.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tarn::test {

// A line of simulated domes: each answers its own address, at its own link,
// rate and protocol, after `answerMs`.
class DomeLine : public SweepLine {
public:
    struct Dome {
        std::string link;
        int baudIndex;
        int protocolIndex;
        int address;
        std::string firmware; // empty: does not answer "RS"
        int panTiltType = -1; // -1: does not answer "sS"
    };

    explicit DomeLine(VirtualClock& clock) : m_clock(clock) {}
    ~DomeLine() override { m_clock.stopAll(m_answer); }

    std::vector<Dome> domes;
    std::vector<std::string> unusableLinks;
    std::vector<std::tuple<std::string, int, int>> selections;
    std::vector<std::pair<int, std::string>> questions;
    int restored = 0;
    CommissioningSweep* sweep = nullptr;
    int answerMs = 20;

    bool selectLine(const std::string& link, int baudIndex, int protocolIndex) override
    {
        selections.emplace_back(link, baudIndex, protocolIndex);
        m_link = link;
        m_baud = baudIndex;
        m_protocol = protocolIndex;
        return std::find(unusableLinks.begin(), unusableLinks.end(), link) == unusableLinks.end();
    }
    void ask(int address, std::string_view question) override
    {
        questions.emplace_back(address, std::string(question));
        for (const Dome& dome : domes) {
            if (dome.link != m_link || dome.baudIndex != m_baud || dome.protocolIndex != m_protocol
                || dome.address != address)
                continue;
            std::string answer;
            if (question == CommissioningSweep::StatusQuestion)
                answer = "L\x05";
            else if (question == CommissioningSweep::FirmwareQuestion && !dome.firmware.empty())
                answer = "R" + dome.firmware;
            else if (question == CommissioningSweep::PanTiltQuestion && dome.panTiltType >= 0)
                answer = "s" + std::to_string(dome.panTiltType);
            if (!answer.empty()) {
                m_pending = {address, answer};
                m_clock.start(m_answer, 1, answerMs);
            }
        }
    }
    void restore() override { ++restored; }
    void setSweep(CommissioningSweep* answers) override { sweep = answers; }

private:
    struct Answer : TimerClient {
        explicit Answer(DomeLine* owner) : line(owner) {}
        DomeLine* line;
        void timerFired(int) override
        {
            line->m_clock.stop(*this, 1);
            if (line->sweep)
                line->sweep->replyReceived(line->m_pending.first, line->m_pending.second);
        }
    };
    VirtualClock& m_clock;
    Answer m_answer{this};
    std::pair<int, std::string> m_pending;
    std::string m_link;
    int m_baud = -1;
    int m_protocol = -1;
};

} // namespace tarn::test
