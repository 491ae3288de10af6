#pragma once

#include <QString>

/// Tells the operator what COM number com means on this machine: the device it resolves to and
/// whether it can key, then the USB serial adapters plugged in and how to choose one.
QString ComDeviceText(int com, const QString& devRoot = QStringLiteral("/dev"),
                      const QString& sysClassTty = QStringLiteral("/sys/class/tty"));
