#include "two_gpu_log.h"

#include <gtest/gtest.h>

#include "log_file.h"

namespace e2e {

// Alpha's group is 15 columns wide (its time stamp, ten items, two columns per fan item), so
// Beta's name stands 15 commas after Alpha's.
const std::string kAllItemsNames = "Quorvane Sim Alpha,,,,,,,,,,,,,,,Quorvane Sim Beta";
const std::string kAllItemsColumns =
    ",Graphics Clock,Memory Clock,GPU Load,Memory Usage,Video Engine Load,Temperature,"
    "Power Draw,P-State,Memory Controller Load,Bus Interface Load,"
    "FAN1 Level,FAN2 Level,FAN1 rpm,FAN2 rpm,"
    ",Graphics Clock,Memory Clock,GPU Load,Memory Usage,Video Engine Load,Temperature,"
    "Power Draw,P-State,Memory Controller Load,Bus Interface Load,FAN Level,FAN rpm,";

std::string AllItemsRow(const std::string& stamp) {
  return stamp + ",1830,7001,57,2048.50,12,65,215.300,2,33,4,40,42,1400,1450," + stamp +
         ",1755,6000,91,1024.00,9,71,,8,48,7,45,1500,";
}

const std::string kTwoItemsNames = "Quorvane Sim Alpha,,,Quorvane Sim Beta";
const std::string kTwoItemsColumns = ",Graphics Clock,Temperature,,Graphics Clock,Temperature,";

std::string TwoItemsRow(const std::string& stamp) {
  return stamp + ",1830,65," + stamp + ",1755,71,";
}

void ExpectRows(const std::vector<std::string>& lines, std::size_t from, std::size_t to,
                RowOfStamp expected) {
  std::string previous;
  for (std::size_t i = from; i < to && i < lines.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    const std::string stamp = lines[i].substr(0, 19);
    EXPECT_TRUE(IsTimeStamp(stamp)) << lines[i];
    EXPECT_EQ(lines[i], expected(stamp));
    EXPECT_GE(stamp, previous) << "time stamps go back";
    previous = stamp;
  }
}

void ExpectAllItemsRunAt(const std::vector<std::string>& lines, std::size_t at) {
  ASSERT_GE(lines.size(), at + 2) << "no header pair at line " << at + 1;
  EXPECT_EQ(lines[at], kAllItemsNames);
  EXPECT_EQ(lines[at + 1], kAllItemsColumns);
  ExpectRows(lines, at + 2, lines.size(), AllItemsRow);
}

void ExpectStampGaps(const std::vector<std::string>& lines, std::size_t from, long long least,
                     long long most) {
  for (std::size_t i = from + 1; i < lines.size(); ++i) {
    const long long gap =
        StampSeconds(lines[i].substr(0, 19)) - StampSeconds(lines[i - 1].substr(0, 19));
    EXPECT_TRUE(gap >= least && gap <= most)
        << "line " << i + 1 << " comes " << gap << " s after the one before";
  }
}

}  // namespace e2e
