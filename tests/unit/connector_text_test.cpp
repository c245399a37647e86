// Connector texts: every connector type the caption names, and nothing for the others.
#include "gpu/connector_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using gpu::ConnectorText;

TEST(ConnectorText, NamesEveryKnownConnector) {
  EXPECT_STREQ(ConnectorText(-1), " / UNKNOWN");
  EXPECT_STREQ(ConnectorText(0), " / UNKNOWN");
  EXPECT_STREQ(ConnectorText(1), " / VGA");
  EXPECT_STREQ(ConnectorText(2), " / COMPONENT");
  EXPECT_STREQ(ConnectorText(3), " / SVIDEO");
  EXPECT_STREQ(ConnectorText(4), " / HDMI");
  EXPECT_STREQ(ConnectorText(5), " / DVI");
  EXPECT_STREQ(ConnectorText(6), " / LVDS");
  EXPECT_STREQ(ConnectorText(7), " / DP");
  EXPECT_STREQ(ConnectorText(8), " / COMPOSITE");
}

TEST(ConnectorText, OtherTypesAddNothing) {
  const std::int32_t others[] = {9, 10, 0x7FFFFFFF, -2, std::numeric_limits<std::int32_t>::min()};
  for (const std::int32_t type : others) {
    ASSERT_NE(ConnectorText(type), nullptr) << type;
    EXPECT_STREQ(ConnectorText(type), "") << type;
  }
}

}  // namespace
