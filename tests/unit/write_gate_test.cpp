// The write gate that closing the program shuts: writes under way may end, none may begin.
#include "platform/write_gate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

TEST(WriteGate, ShutWaitsForTheWriteUnderWayAndRefusesLaterOnes) {
  platform::WriteGate gate;
  std::atomic<bool> shutReturned{false};
  ASSERT_TRUE(gate.Enter());
  std::thread closing([&] {
    EXPECT_TRUE(gate.Shut(60000));
    shutReturned = true;
  });
  // Once the gate refuses, the closing thread is inside Shut, waiting for this write.
  while (platform::GatedWrite(gate).Open()) {
  }
  EXPECT_FALSE(shutReturned);
  gate.Leave();
  closing.join();
  EXPECT_TRUE(shutReturned);
  EXPECT_FALSE(platform::GatedWrite(gate).Open());
}

TEST(WriteGate, ShutGivesUpOnAStuckWriteAfterItsBound) {
  platform::WriteGate gate;
  ASSERT_TRUE(gate.Enter());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(gate.Shut(20));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20)) << "waited";
  gate.Leave();
  EXPECT_TRUE(gate.Shut(0));
}

}  // namespace
