#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "driver/vrltkv9d.h"
#include "platform/serial/scripted_backend.h"

// A driver test against the scripted peer, with port 1 open.
class ScriptedPort : public ::testing::Test {
  protected:
    static constexpr int kPort = 1;
    static constexpr char ACK = 0x06;
    static constexpr char NAK = 0x15;
    static constexpr char CAN = 0x18;

    void SetUp() override { ASSERT_EQ(VRLTKV9D_Open(kPort, 9600), 0); }

    // The frames the driver wrote, joined.
    std::string sent() const { return peer.written(); }

    serial::ScriptedBackend peer;
    serial::BackendGuard guard{peer};
};

// One column of a command's failure table: what the peer does wrong.
struct PeerFault {
    const char* what;
    std::function<void(serial::ScriptedBackend&)> arrange;
};
