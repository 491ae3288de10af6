#pragma once

#include "keyer/KeyingEdge.h"

class SerialPort;
class SidetoneOutput;

/// Makes one edge: switches its lines, DTR first, then starts its tone.
class EdgeMaker {
public:
    EdgeMaker(SerialPort& port, SidetoneOutput& sidetone) : m_port(port), m_sidetone(sidetone) {}
    /// False when a line change failed.
    bool make(const KeyingEdge& edge);

private:
    SerialPort& m_port;
    SidetoneOutput& m_sidetone;
};
