#pragma once

#include "control/CommissioningSweep.h"
#include "platform/VirtualClock.h"

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tarn::test {

// A line of simulated domes: each answers its own address, at its own link,
// rate and protocol, after `answerMs`. A link in `connects` is a port server:
// selecting it first connects, which ends after its time (or never).
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

    struct Connect {
        int afterMs = 0;        // -1: never told
        bool succeeds = true;
    };

    explicit DomeLine(VirtualClock& clock) : m_clock(clock) {}
    ~DomeLine() override
    {
        m_clock.stopAll(m_answer);
        m_clock.stopAll(m_connector);
    }

    std::vector<Dome> domes;
    std::vector<std::string> unusableLinks;
    std::map<std::string, Connect> connects;
    std::vector<std::string> connectsStarted;
    std::vector<std::tuple<std::string, int, int>> selections;
    std::vector<std::pair<int, std::string>> questions;
    int restored = 0;
    CommissioningSweep* sweep = nullptr;
    int answerMs = 20;

    LineSelection selectLine(const std::string& link, int baudIndex, int protocolIndex) override
    {
        selections.emplace_back(link, baudIndex, protocolIndex);
        m_clock.stop(m_connector, 1); // a connect still on its way is dropped
        m_link = link;
        m_baud = baudIndex;
        m_protocol = protocolIndex;
        if (std::find(unusableLinks.begin(), unusableLinks.end(), link) != unusableLinks.end())
            return LineSelection::unusable("cannot be opened");
        const auto server = connects.find(link);
        if (server == connects.end() || m_connected == link)
            return LineSelection::ready();
        m_connected.clear();
        connectsStarted.push_back(link);
        if (server->second.afterMs >= 0)
            m_clock.start(m_connector, 1, server->second.afterMs);
        return LineSelection::connecting();
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
    void restore() override
    {
        m_clock.stop(m_connector, 1);
        ++restored;
    }
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
    struct Connector : TimerClient {
        explicit Connector(DomeLine* owner) : line(owner) {}
        DomeLine* line;
        void timerFired(int) override
        {
            line->m_clock.stop(*this, 1);
            const bool succeeds = line->connects[line->m_link].succeeds;
            if (succeeds)
                line->m_connected = line->m_link;
            if (line->sweep)
                line->sweep->lineSelected(succeeds, succeeds ? "" : "refused");
        }
    };
    VirtualClock& m_clock;
    Answer m_answer{this};
    Connector m_connector{this};
    std::string m_connected;
    std::pair<int, std::string> m_pending;
    std::string m_link;
    int m_baud = -1;
    int m_protocol = -1;
};

} // namespace tarn::test
