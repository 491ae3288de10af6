#pragma once

class PeerSocket;
class PeerSession;
class PeerOutput;

/// Hands the session every datagram that reaches socket and every piece of input read from
/// inputFd, until that input ends (0) or cannot be read (1). With inputFd -1 it reads no input and
/// runs until the process is stopped. With floodPerMs the session floods that many replies each
/// millisecond.
int RunPeer(PeerSocket& socket, PeerSession& session, int inputFd, PeerOutput& output, int floodPerMs = 0);
