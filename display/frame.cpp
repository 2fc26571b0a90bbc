// Composing a frame of the clock in memory.
#include "display/clock_logic.h"
#include "display/full_screen_clock.h"

void draw_hand(BITMAP *dest, BITMAP *hand, int x, int y, int pivotX, int pivotY,
               int value, int units, int subValue, int subUnits)
{
    if (!hand)
        return;
    // Allegro 4.4 takes the positions in whole pixels; angle and scale are
    // fixed point.
    pivot_scaled_sprite(dest, hand, x, y, pivotX, pivotY,
                        hand_angle(value, units, subValue, subUnits), itofix(1));
}

void compose_frame(BITMAP *frame, const ClockDisplay &display, const ClockStyle &style,
                   const SaverSettings &settings, const std::tm &t)
{
    blit(display.background, frame, 0, 0, 0, 0, frame->w, frame->h);

    if (BITMAP *mark = display.brandMarkBitmap)
        draw_sprite(frame, mark, frame->w - mark->w - 5, frame->h - mark->h - 5);

    const BITMAP *face = display.faceBitmap;
    const Point centre = dial_centre(style, {display.faceX, display.faceY}, face ? face->w : 0,
                                     face ? face->h : 0);
    draw_hand(frame, display.hourHandBitmap, centre.x, centre.y, style.hourPivot.x,
              style.hourPivot.y, t.tm_hour, 12, t.tm_min, 60);
    draw_hand(frame, display.minuteHandBitmap, centre.x, centre.y, style.minutePivot.x,
              style.minutePivot.y, t.tm_min, 60, t.tm_sec, 60);
    if (is_on(settings.secondHand))
        draw_hand(frame, display.secondHandBitmap, centre.x, centre.y, style.secondPivot.x,
                  style.secondPivot.y, t.tm_sec, 60, 0, 1);
}
