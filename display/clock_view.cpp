#include "display/clock_view.h"

#include <vector>

ClockView::~ClockView()
{
    free_copy(copy_);
}

bool ClockView::fit(ScreenSize frame, Rgb colour)
{
    damaged = true;
    return fit_copy(copy_, frame, size(), colour);
}

bool ClockView::fits(ScreenSize frame) const
{
    return copy_fits(copy_, frame, size());
}

void ClockView::show(BITMAP *frame, const Rect *rects, int count)
{
    if (count <= 0)
        return;
    std::vector<Rect> shown(static_cast<size_t>(count));
    BITMAP *picture = update_copy(copy_, frame, rects, count, shown.data());
    send(picture, shown.data(), count);
}

void ClockView::show_all(BITMAP *frame)
{
    Rect whole;
    BITMAP *picture = update_whole_copy(copy_, frame, whole);
    send(picture, &whole, 1);
    damaged = false;
}
