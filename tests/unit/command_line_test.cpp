#include <gtest/gtest.h>
#include "shell/command_line.h"
TEST(CommandLine, Placeholder) { EXPECT_EQ(parse_command_line("/s").mode, RUN_SAVER); }
