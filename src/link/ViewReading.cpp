#include "link/ViewReading.h"

#include "link/CompanionMessage.h"
#include "platform/Clock.h"

#include <utility>

namespace {

constexpr int kFirstAskMs = 1;
constexpr int kNextRoundMs = 300;

} // namespace

ViewReading::ViewReading(Clock& clock, Actions actions)
    : m_actions(std::move(actions)), m_timer(clock.createTimer([this] { tick(); })) {}

ViewReading::~ViewReading() = default;

void ViewReading::start() {
    m_actions.enableGet(false);
    if (!timerRunning())
        startTimer(kFirstAskMs);
}

void ViewReading::answered(int string) {
    if (string >= 1 && string < kDecoderStrings) {
        m_actions.ask(string + 1);
        return;
    }
    if (string < kDecoderStrings)
        return;
    if (!m_loop) {
        m_actions.enableGet(true);
        if (timerRunning())
            m_timer->stop();
    } else if (!timerRunning()) {
        startTimer(kNextRoundMs);
    }
}

void ViewReading::setLoop(bool loop) {
    m_loop = loop;
    if (!loop) {
        if (timerRunning())
            m_timer->stop();
        m_actions.enableGet(true);
    } else if (!timerRunning()) {
        start();
    }
}

bool ViewReading::timerRunning() const {
    return m_timer->isActive();
}

void ViewReading::stop() {
    if (timerRunning())
        m_timer->stop();
}

void ViewReading::tick() {
    // Single-shot: the next round is started by the answer to string 13.
    m_timer->stop();
    m_actions.ask(1);
}

void ViewReading::startTimer(int ms) {
    m_timer->start(ms);
}
