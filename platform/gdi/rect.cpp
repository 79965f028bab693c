// Rectangle helpers. Rectangles are half-open: right and bottom are outside.
#include <algorithm>

#include "platform/gdi/gdi.h"

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = {left, top, right, bottom};
    return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) {
    return !rect || rect->left >= rect->right || rect->top >= rect->bottom;
}

// The overlap of a and b; an empty result is stored as all zeros and gives FALSE.
BOOL IntersectRect(LPRECT dest, const RECT* a, const RECT* b) {
    if (!dest || !a || !b) return FALSE;
    const RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                 std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        *dest = {0, 0, 0, 0};
        return FALSE;
    }
    *dest = r;
    return TRUE;
}
