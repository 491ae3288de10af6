#pragma once

/// The tone heard with every mark. A started buffer lasts exactly one element and plays to its end.
class SidetoneOutput {
public:
    virtual ~SidetoneOutput() = default;
    /// Queues the dot tone for units 1 and the dash tone for units 3; anything else is silent.
    virtual void SidetoneStart(int units) = 0;
};
