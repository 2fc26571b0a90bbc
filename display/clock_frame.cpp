#include "display/clock_frame.h"

#include "display/saver_platform.h"
#include "display/smooth_sprite.h"

namespace {

const int BRAND_MARK_INSET = 5;

struct HandPlace {
    BITMAP *picture;  // nullptr: not drawn
    HandPivot pivot;
    int angle;
};

// Where each hand of `style` points at the time `t`.
void hands_at(const ClockDisplay &d, const ClockStyle &style, const SaverSettings &settings,
              const std::tm &t, HandPlace hands[HAND_COUNT])
{
    hands[HOUR_HAND] = {d.hourHandBitmap, style.hourPivot, hand_angle(t.tm_hour, 12, t.tm_min, 60)};
    hands[MINUTE_HAND] = {d.minuteHandBitmap, style.minutePivot, hand_angle(t.tm_min, 60, t.tm_sec, 60)};
    hands[SECOND_HAND] = {is_on(settings.secondHand) ? d.secondHandBitmap : nullptr, style.secondPivot,
                          hand_angle(t.tm_sec, 60, 0, 1)};
}

Rect place_bounds(const HandPlace &hand, Point centre)
{
    if (!hand.picture)
        return {0, 0, 0, 0};
    return turned_picture_bounds(hand.picture->w, hand.picture->h, {hand.pivot.x, hand.pivot.y},
                                 centre, hand.angle);
}

Rect brand_mark_rect(const BITMAP *frame, const BITMAP *mark)
{
    if (!mark)
        return {0, 0, 0, 0};
    return {frame->w - mark->w - BRAND_MARK_INSET, frame->h - mark->h - BRAND_MARK_INSET, mark->w, mark->h};
}

void draw_brand_mark(BITMAP *frame, BITMAP *mark)
{
    const Rect r = brand_mark_rect(frame, mark);
    if (mark)
        draw_sprite(frame, mark, r.x, r.y);
}

// Puts the background (the style's colour with the face on it) back in
// rectangle `r` of the frame.
void restore_background(BITMAP *frame, const ClockDisplay &d, const Rect &r)
{
    const Rect area = rect_intersection(r, {0, 0, frame->w, frame->h});
    if (rect_is_empty(area))
        return;
    set_clip_rect(frame, area.x, area.y, area.x + area.w - 1, area.y + area.h - 1);
    rectfill(frame, area.x, area.y, area.x + area.w - 1, area.y + area.h - 1, d.backgroundColour);
    if (d.faceBitmap)
        draw_sprite(frame, d.faceBitmap, d.faceX, d.faceY);
    set_clip_rect(frame, 0, 0, frame->w - 1, frame->h - 1);
}

void draw_hands(BITMAP *frame, const HandPlace hands[HAND_COUNT], Point centre)
{
    for (int i = 0; i < HAND_COUNT; i++)
        if (hands[i].picture)
            pivot_smooth_sprite(frame, hands[i].picture, centre.x, centre.y, hands[i].pivot.x,
                                hands[i].pivot.y, hands[i].angle);
}

}  // namespace

void load_clock_pictures(ClockDisplay &d, const AssetPaths &paths)
{
    d.secondHandBitmap = load_bitmap(paths.secondHandPath, nullptr);
    d.minuteHandBitmap = load_bitmap(paths.minuteHandPath, nullptr);
    d.hourHandBitmap = load_bitmap(paths.hourHandPath, nullptr);
    d.brandMarkBitmap = saver_load_brand_mark();
}

void load_face(ClockDisplay &d, const AssetPaths &paths)
{
    d.faceBitmap = load_bitmap(paths.facePath, nullptr);
}

ScreenSize face_size(const ClockDisplay &d)
{
    return d.faceBitmap ? ScreenSize{d.faceBitmap->w, d.faceBitmap->h} : ScreenSize{0, 0};
}

bool prepare_frame(ClockDisplay &d, const ClockStyle &style, int width, int height)
{
    if (d.frame && (d.frame->w != width || d.frame->h != height)) {
        destroy_bitmap(d.frame);
        d.frame = nullptr;
    }
    if (!d.frame)
        d.frame = create_bitmap(width, height);
    if (!d.frame)
        return false;
    const Rgb colour = style.backgroundColour;
    d.backgroundColour = makecol(colour.r, colour.g, colour.b);
    const ScreenSize face = face_size(d);
    const Point corner = face_position(width, height, face.width, face.height);
    d.faceX = corner.x;
    d.faceY = corner.y;
    d.dialCentre = dial_centre(style, corner, face.width, face.height);
    restore_background(d.frame, d, {0, 0, width, height});
    for (int i = 0; i < HAND_COUNT; i++) {
        d.drawnHands[i] = {0, 0, 0, 0};
        d.drawnAngles[i] = 0;
    }
    d.markDrawn = false;
    return true;
}

bool load_clock(ClockDisplay &d, const ClockStyle &style, const AssetPaths &paths, int width, int height)
{
    load_clock_pictures(d, paths);
    load_face(d, paths);
    return prepare_frame(d, style, width, height);
}

void free_clock_pictures(ClockDisplay &d)
{
    for (BITMAP **b : {&d.faceBitmap, &d.secondHandBitmap, &d.minuteHandBitmap,
                       &d.hourHandBitmap, &d.brandMarkBitmap, &d.frame}) {
        if (*b)
            destroy_bitmap(*b);
        *b = nullptr;
    }
}

void draw_hand(BITMAP *dest, BITMAP *hand, int x, int y, int pivotX, int pivotY,
               int value, int units, int subValue, int subUnits)
{
    if (hand)
        pivot_smooth_sprite(dest, hand, x, y, pivotX, pivotY, hand_angle(value, units, subValue, subUnits));
}

void compose_frame(BITMAP *frame, const ClockDisplay &display, const ClockStyle &style,
                   const SaverSettings &settings, const std::tm &t)
{
    restore_background(frame, display, {0, 0, frame->w, frame->h});
    draw_brand_mark(frame, display.brandMarkBitmap);
    HandPlace hands[HAND_COUNT];
    hands_at(display, style, settings, t, hands);
    draw_hands(frame, hands, display.dialCentre);
}

int redraw_frame(ClockDisplay &d, const ClockStyle &style, const SaverSettings &settings,
                 const std::tm &t, Rect changed[MAX_CHANGED_RECTS])
{
    BITMAP *frame = d.frame;
    const Rect whole = {0, 0, frame->w, frame->h};
    HandPlace hands[HAND_COUNT];
    hands_at(d, style, settings, t, hands);

    // Each hand that moved changes its old and its new place. The hour hand
    // moves once a minute: most seconds its place is left alone.
    int count = 0;
    Rect fresh[HAND_COUNT];
    for (int i = 0; i < HAND_COUNT; i++) {
        fresh[i] = rect_intersection(place_bounds(hands[i], d.dialCentre), whole);
        const Rect &old = d.drawnHands[i];
        const bool moved = hands[i].angle != d.drawnAngles[i] || old.x != fresh[i].x || old.y != fresh[i].y ||
                           old.w != fresh[i].w || old.h != fresh[i].h;
        const Rect r = rect_union(old, fresh[i]);
        if (moved && !rect_is_empty(r))
            changed[count++] = r;
        d.drawnHands[i] = fresh[i];
        d.drawnAngles[i] = hands[i].angle;
    }
    const Rect mark = rect_intersection(brand_mark_rect(frame, d.brandMarkBitmap), whole);
    if (!d.markDrawn && !rect_is_empty(mark))
        changed[count++] = mark;
    d.markDrawn = true;

    // Within each changed place the frame is composed anew: background, the
    // mark and every hand, in their order, touching nothing outside it.
    for (int i = 0; i < count; i++) {
        const Rect &r = changed[i];
        restore_background(frame, d, r);
        set_clip_rect(frame, r.x, r.y, r.x + r.w - 1, r.y + r.h - 1);
        draw_brand_mark(frame, d.brandMarkBitmap);
        draw_hands(frame, hands, d.dialCentre);
    }
    set_clip_rect(frame, 0, 0, frame->w - 1, frame->h - 1);
    return count;
}
