#pragma once

/// Where the token examined last begins (its "{") and the position just past the token matched last.
struct TokenSpan {
    int start = 0;
    int end = 0;
    bool isEmpty() const { return start == 0 && end == 0; }
};

/// The keying engine's runtime state, read by the screen, automatic CQ and the link.
struct KeyerState {
    bool sending = false;
    TokenSpan tokenSpan;
    /// Set while a keyboard-keying run holds PTT; every mark clears it.
    bool KeyLinePending = false;
    /// Set while this host station keys a text received from the remote station.
    bool RemoteKeying = false;
    bool cqRepeat = false;
    int cqRepeatCount = 0;
    /// Transmissions under way, each from before its PTT lead to after PTT drops; a keyboard-keying
    /// run counts as one across its characters.
    int transmissions = 0;

    bool onAir() const { return sending || transmissions > 0; }
};

/// Counts a transmission for as long as it lives.
class TransmissionScope {
public:
    explicit TransmissionScope(KeyerState& state) : m_state(state) { ++m_state.transmissions; }
    ~TransmissionScope() { --m_state.transmissions; }
    TransmissionScope(const TransmissionScope&) = delete;
    TransmissionScope& operator=(const TransmissionScope&) = delete;

private:
    KeyerState& m_state;
};
