#pragma once

/// Asks the kernel to run the calling thread first-in-first-out at the lowest real-time priority,
/// and with the least timer slack. False, and the thread runs as before, when that is not allowed.
bool RequestRealtimeScheduling();
