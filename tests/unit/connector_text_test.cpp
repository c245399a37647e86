// Connector texts: every connector type the caption names, and nothing for the others.
#include "gpu/connector_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using gpu::ConnectorText;

TEST(ConnectorText, NamesEveryKnownConnector) {
  EXPECT_STREQ(ConnectorText(-1), " / UNKNOWN");
  const char* const texts[] = {" / UNKNOWN", " / VGA",  " / COMPONENT", " / SVIDEO",   " / HDMI",
                               " / DVI",     " / LVDS", " / DP",        " / COMPOSITE"};
  for (std::int32_t type = 0; type < 9; ++type)
    EXPECT_STREQ(ConnectorText(type), texts[type]) << type;
}

TEST(ConnectorText, OtherTypesAddNothing) {
  const std::int32_t others[] = {9, 10, 0x7FFFFFFF, -2, std::numeric_limits<std::int32_t>::min()};
  for (const std::int32_t type : others) {
    ASSERT_NE(ConnectorText(type), nullptr) << type;
    EXPECT_STREQ(ConnectorText(type), "") << type;
  }
}

}  // namespace
