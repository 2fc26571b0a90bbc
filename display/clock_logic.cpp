#include "display/clock_logic.h"

#include <cstdlib>

#include "settings/settings_table.h"

ScreenSize saver_screen_size(int resolution, int desktopResult, int desktopWidth, int desktopHeight)
{
    // The last choice is the smallest: the floor for the desktop's size and
    // the answer for a resolution outside the list.
    const ScreenResolution &smallest = SCREEN_RESOLUTIONS[SCREEN_RESOLUTION_COUNT - 1];
    if (resolution == 0 && desktopResult == 0 && desktopWidth >= smallest.width &&
        desktopHeight >= smallest.height)
        return {desktopWidth, desktopHeight};
    if (resolution > 0 && resolution < SCREEN_RESOLUTION_COUNT)
        return {SCREEN_RESOLUTIONS[resolution].width, SCREEN_RESOLUTIONS[resolution].height};
    return {smallest.width, smallest.height};
}

int choose_gfx_mode(ScreenSize size, const std::function<int(const GfxModeRequest &)> &try_mode)
{
    const GfxModeRequest attempts[] = {
        {32, size.width, size.height},
        {16, size.width, size.height},
        {16, 1024, 768},
    };
    for (const GfxModeRequest &attempt : attempts)
        if (try_mode(attempt) == 0)
            return 0;
    return 1;
}

Point face_position(int screenWidth, int screenHeight, int faceWidth, int faceHeight)
{
    return {screenWidth / 2 - faceWidth / 2, screenHeight / 2 - faceHeight / 2};
}

Point dial_centre(const ClockStyle &style, Point face, int faceWidth, int faceHeight)
{
    if (style.dialCentre == DialCentreRule::FixedOffset)
        return {face.x + style.dialOffset.x, face.y + style.dialOffset.y};
    return {face.x + faceWidth / 2, face.y + faceHeight / 2};
}

int hand_angle(int value, int units, int subValue, int subUnits)
{
    const int fullTurn = 1 << 24;
    return (value * fullTurn) / units + (subValue * fullTurn) / (units * subUnits) - (1 << 22);
}

bool time_changed(const std::tm &fresh, const std::tm &lastDrawn)
{
    return fresh.tm_sec != lastDrawn.tm_sec || fresh.tm_min != lastDrawn.tm_min ||
           fresh.tm_hour != lastDrawn.tm_hour;
}

PassSounds sounds_for_pass(const std::tm &fresh, const SaverSettings &settings, bool soundAvailable)
{
    PassSounds sounds{};
    if (!soundAvailable)
        return sounds;
    sounds.tick = is_on(settings.secondSound);
    const struct {
        int minute;
        int32_t setting;
    } chimes[CHIME_COUNT] = {
        {0, settings.hourSound},
        {15, settings.fifteenhourSound},
        {30, settings.halfhourSound},
        {45, settings.fortyfivehourSound},
    };
    for (int i = 0; i < CHIME_COUNT; i++)
        sounds.chime[i] = fresh.tm_sec == 0 && fresh.tm_min == chimes[i].minute && is_on(chimes[i].setting);
    return sounds;
}

bool input_ends_saver(const InputState &input, Point startMouse)
{
    return input.mouseButtons != 0 || std::abs(input.mouseX - startMouse.x) > 10 ||
           std::abs(input.mouseY - startMouse.y) > 10 || input.alt || input.altGr ||
           input.leftShift || input.rightShift || input.tab;
}
