// Memory blocks written and read through the driver against the simulated DLQ3.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "driver/vrldlq3.h"
#include "driver/vrltkv9d.h"
#include "e2e_line.h"
#include "platform/serial/port_map.h"

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

class MemoryOnLine : public ::testing::Test {
  protected:
    static constexpr int kPort = 8;
    static constexpr char kAddress = '5';

    void SetUp() override {
        line->addDlq3(kAddress);
        serial::setPortPath(kPort, e2e::driverPath(*line));
        ASSERT_EQ(e2e::open(kPort), 0);
        ASSERT_EQ(VRLTKV9D_Timeout(kPort, e2e::timeout(0.5)), 0);
    }
    void TearDown() override {
        VRLTKV9D_Close(kPort);
        serial::setPortPath(kPort, "");
    }

    int read(int start, int length, Bytes& data) {
        data.assign(static_cast<std::size_t>(length), 0);
        return VRLDLQ3_SpeicherLesen(kPort, kAddress, 4, start, length, data);
    }

    std::unique_ptr<sim::Line> line = e2e::makeLine();
};

TEST_F(MemoryOnLine, WrittenBlocksReadBack) {
    const Bytes two{0x12, 0x34};
    ASSERT_EQ(VRLDLQ3_SpeicherSchreiben(kPort, kAddress, 4, 0x00A0, 2, two), 0);
    ASSERT_TRUE(line->waitForFrames(1, 2s));
    EXPECT_EQ(line->frames().front(), "#5BDW400A0000212340047\r");
    EXPECT_EQ(line->memory(kAddress, 0x00A0, 2), two);

    Bytes block(64);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i * 37);
    ASSERT_EQ(VRLDLQ3_SpeicherSchreiben(kPort, kAddress, 4, 0xFFC0, 64, block), 0);
    Bytes got;
    ASSERT_EQ(read(0xFFC0, 64, got), 0);
    EXPECT_EQ(got, block);
    ASSERT_TRUE(line->waitForFrames(3, 2s));  // logged once its answer is out
    EXPECT_EQ(line->frames().back(), "#5BDR4FFC00040\r");

    // Nothing written still makes a frame the device takes.
    EXPECT_EQ(VRLDLQ3_SpeicherSchreiben(kPort, kAddress, 4, 0, 0, {}), 0);
}

TEST_F(MemoryOnLine, LongestReadCarriesTheWholeMemoryButOneByte) {
    Bytes pattern(0xFFFF);
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<std::uint8_t>((i * 7) ^ (i >> 8));
    ASSERT_TRUE(line->setMemory(kAddress, 0, pattern));
    Bytes got;
    ASSERT_EQ(read(0, 0xFFFF, got), 0);
    EXPECT_EQ(got, pattern);
    // 0x10000 bytes do not fit the length field: refused before anything goes out.
    ASSERT_TRUE(line->waitForFrames(1, 2s));
    line->clearFrames();
    Bytes all(0x10000);
    EXPECT_EQ(VRLDLQ3_SpeicherLesen(kPort, kAddress, 4, 0, 0x10000, all), -895178);
    EXPECT_TRUE(line->frames().empty());
}

TEST_F(MemoryOnLine, DeviceFaultsGiveTheirCodes) {
    ASSERT_EQ(VRLTKV9D_Timeout(kPort, e2e::timeout(0.1)), 0);
    const Bytes two{0xAB, 0xCD};
    ASSERT_TRUE(line->setMemory(kAddress, 0x10, two));
    using K = sim::FaultKind;
    struct Row {
        const char* what;
        sim::Fault fault;
        int code;
    };
    const Row rows[] = {
        {"NAK", {K::Nak, "BDR"}, -402183},
        {"CAN", {K::Can, "BDR"}, -405184},
        {"silence", {K::Silence, "BDR"}, -403185},
        {"other byte", {K::OtherByte, "BDR", 1, 'x'}, -404186},
        {"broken off", {K::BrokenOff, "BDR"}, -404188},
        {"two digits too many", {K::OverlongLine, "BDR"}, -404189},
        {"other address", {K::OtherAddress, "BDR"}, -404191},
        {"wrong echo", {K::WrongEcho, "BDR"}, -404191},
        {"wrong checksum", {K::WrongChecksum, "BDR"}, -406198},
        {"lower-case digits", {K::LowerCaseHex, "BDR"}, 0},
    };
    for (const auto& row : rows) {
        line->injectFault(kAddress, row.fault);
        Bytes got;
        EXPECT_EQ(read(0x10, 2, got), row.code) << row.what;
        if (row.code == 0) {
            EXPECT_EQ(got, two);
        }
        line->clearFaults(kAddress);
    }
    const Row writes[] = {
        {"write NAK", {K::Nak, "BDW"}, -402208},
        {"write CAN", {K::Can, "BDW"}, -405209},
        {"write silence", {K::Silence, "BDW"}, -403210},
        {"write other byte", {K::OtherByte, "BDW", 1, '#'}, -404211},
    };
    for (const auto& row : writes) {
        line->injectFault(kAddress, row.fault);
        EXPECT_EQ(VRLDLQ3_SpeicherSchreiben(kPort, kAddress, 4, 0x10, 2, two), row.code)
            << row.what;
        line->clearFaults(kAddress);
    }
}

}  // namespace
