#pragma once

#include <QString>

/// The sender's view of the link: a remote station hands its texts to the host station to key.
class RemoteLink {
public:
    virtual ~RemoteLink() = default;
    /// This instance is a remote station: it keys nothing locally.
    virtual bool isRemoteStation() const = 0;
    /// Sending to the host is enabled and the link socket is valid.
    virtual bool canHandOff() const = 0;
    /// Marks the start of the wait for the host's end-of-sending answer.
    virtual void startRemoteWait() = 0;
    /// Hands text to the host, to be keyed at wpm.
    virtual void sendToHost(int wpm, const QString& text) = 0;
    /// Bytes waiting on the link socket; a host stops keying a remote text when more arrives.
    virtual int PendingLinkBytes() const = 0;
};

/// No link: a stand-alone station.
class NoRemoteLink : public RemoteLink {
public:
    bool isRemoteStation() const override { return false; }
    bool canHandOff() const override { return false; }
    void startRemoteWait() override {}
    void sendToHost(int, const QString&) override {}
    int PendingLinkBytes() const override { return 0; }
};
