#include "logging/log_dialog_rules.h"

#include <gtest/gtest.h>

#include "logging/narrow_name.h"
#include "support/sampling_fixture.h"

namespace {

using namespace logging;

TEST(LogDialogRules, StoresFlagsAtEveryPressAndNamesWhatIsMissing) {
  LogSettings settings;
  LogDialogChoice choice;  // nothing checked, no interval selected
  settings.intervalMs.Store(30000);
  EXPECT_EQ(StoreLogChoice(settings, choice),
            L"GPUに1つもチェックが入っていません\n項目に1つもチェックが入っていません");
  EXPECT_EQ(settings.gpuEnabled[0].Load(), 0) << "stored although refused";
  EXPECT_EQ(settings.itemEnabled[11].Load(), 0);
  EXPECT_EQ(settings.intervalMs.Load(), 30000) << "no entry selected keeps the interval";

  choice.gpus[7] = true;
  EXPECT_EQ(StoreLogChoice(settings, choice), L"項目に1つもチェックが入っていません");
  choice.gpus[7] = false;
  choice.items[kBusInterfaceLoad] = true;
  EXPECT_EQ(StoreLogChoice(settings, choice), L"GPUに1つもチェックが入っていません\n");
  choice.gpus[1] = true;
  const int seconds[kIntervals.size()] = {1, 2, 5, 10, 30, 60};
  for (choice.intervalIndex = 0; choice.intervalIndex < 6; ++choice.intervalIndex) {
    EXPECT_EQ(StoreLogChoice(settings, choice), L"");
    EXPECT_EQ(settings.intervalMs.Load(), seconds[choice.intervalIndex] * 1000);
  }
  EXPECT_EQ(settings.gpuEnabled[1].Load(), 1);
  EXPECT_EQ(settings.gpuEnabled[0].Load(), 0);
  EXPECT_EQ(settings.itemEnabled[kBusInterfaceLoad].Load(), 1);
  EXPECT_EQ(settings.itemEnabled[kGraphicsClock].Load(), 0);
}

TEST(LogDialogRules, TypedIntervalMustEqualAnEntry) {
  EXPECT_EQ(IntervalIndexOf(L"1秒"), 0);
  EXPECT_EQ(IntervalIndexOf(L"10秒"), 3);
  EXPECT_EQ(IntervalIndexOf(L"1分"), 5);
  for (const wchar_t* typed : {L"", L"3秒", L"10", L" 1秒", L"1秒 ", L"60000", L"1分0"}) {
    EXPECT_EQ(IntervalIndexOf(typed), -1) << "refused";
  }
}

class LogGpuCaption : public testing_support::SamplingFixture {
 protected:
  std::string Caption(int slot) {
    char caption[kLogCaptionSize];
    gpu::Vendor v = vendor->Get();
    BuildLogGpuCaption(v, *table, slot, caption);
    return caption;
  }
};

TEST_F(LogGpuCaption, NameAloneNumberedOrWithTheBusInDetailMode) {
  Load("gpu\n bus 1\nend\ngpu\n bus 0x2A\nend\n");
  Slot(0).gpuName.Store(L"Quorvane Sim Alpha");
  Slot(1).gpuName.Store(L"Quorvane Sim Beta");
  EXPECT_EQ(Caption(1), "Quorvane Sim Beta(2)");
  table->detailMode.Store(1);
  EXPECT_EQ(Caption(0), "Quorvane Sim Alpha (0x00000001)");
  EXPECT_EQ(Caption(1), "Quorvane Sim Beta (0x0000002A)");
  table->gpuCount.Store(1);
  table->detailMode.Store(0);
  EXPECT_EQ(Caption(0), "Quorvane Sim Alpha") << "a single GPU has no number";
}

TEST_F(LogGpuCaption, FailedBusQueryGivesTheNameAloneAndLongCaptionsAreCut) {
  Load("gpu\n fail NvAPI_GPU_GetBusId -104\nend\ngpu\nend\n");
  Slot(0).gpuName.Store(L"Alpha");
  table->detailMode.Store(1);
  EXPECT_EQ(Caption(0), "Alpha");
  table->detailMode.Store(0);
  Slot(1).gpuName.Store(L"An Exceedingly Long Graphics Adapter Name For Tests");
  EXPECT_EQ(Caption(1), "An Exceedingly Long Graphics Adapter Name For Tes");
  Slot(1).gpuName.Store(L"K\u00e4se");
  EXPECT_EQ(Caption(1), "K?se(2)") << "a character the code page lacks";
  EXPECT_EQ(NarrowName(L"Alphabet", 5, 49), "Alpha") << "no more than the name's units";
}

}  // namespace
