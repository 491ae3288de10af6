#pragma once

/// States of the command bar's TX indicator.
enum TxIndicator { TxHidden = 8, TxShown = 4, TxPressed = 6 };

/// What the operating screen needs of the main frame around it.
class FrameHost {
public:
    virtual ~FrameHost() = default;
    /// Index of the WPM box selection: the speed − 10.
    virtual int wpmBoxIndex() const = 0;
    virtual void RebuildCommandBar(int txIndicator) = 0;
    virtual void setCommandBarEnabled(bool enabled) = 0;
    /// The link's menus follow the link and its two switches.
    virtual void applyLinkMenuRules() = 0;
};
