#pragma once

#include "bridge/RigControl.h"

struct s_rig;

/// The rig through Hamlib's library: rigctld with model 2, or a radio on its own port.
class HamlibRig : public RigControl {
public:
    HamlibRig(int model, const QString& path);
    ~HamlibRig() override;
    HamlibRig(const HamlibRig&) = delete;
    HamlibRig& operator=(const HamlibRig&) = delete;

    std::optional<RigReading> read() override;
    bool tune(qint64 hz, const QString& mode) override;

private:
    bool ensureOpen();
    void close();

    const int m_model;
    const QByteArray m_path;
    s_rig* m_rig = nullptr;
};
