#pragma once

/// Takes the capabilities that let root past file modes and exclusive ttys out of this thread's
/// effective set while alive, so that a test run as root meets the refusals an operator meets.
class WithoutRootOverrides {
public:
    WithoutRootOverrides();
    ~WithoutRootOverrides();
    WithoutRootOverrides(const WithoutRootOverrides&) = delete;
    WithoutRootOverrides& operator=(const WithoutRootOverrides&) = delete;

    bool isValid() const { return m_valid; }

private:
    unsigned m_saved[6] = {};
    bool m_valid = false;
};
