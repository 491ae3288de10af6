#pragma once

#include <QPoint>

class CTarvoFormView;
class FrameHost;

/// Lets the operator choose where the focus goes after a control: Ctrl+Shift+click on it opens
/// the destination menu under a title naming the entry.
class FocusDestinations {
public:
    FocusDestinations(CTarvoFormView& view, FrameHost& frame) : m_view(view), m_frame(frame) {}

    /// Edits the destination of the focused control; false when it has no entry to edit.
    bool edit(QPoint globalPos);

private:
    void resetAll();

    CTarvoFormView& m_view;
    FrameHost& m_frame;
};
