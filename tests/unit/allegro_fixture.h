// Starts Allegro without any display driver: configuration files, memory
// bitmaps and the loaders all work, and no X server is needed.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>

class AllegroEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
        set_color_depth(32);
    }
};
