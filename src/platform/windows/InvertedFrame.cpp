#include "platform/windows/InvertedFrame.h"

#include "platform/windows/GdiHandle.h"

namespace morvane::platform::windows {

namespace {

bool IsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

} // namespace

InvertedFrame::~InvertedFrame() {
    Erase();
}

std::vector<RECT> InvertedFrame::Band(const RECT& rect) {
    if (IsEmpty(rect)) {
        return {};
    }
    if (rect.right - rect.left <= 2 * kWidth || rect.bottom - rect.top <= 2 * kWidth) {
        return {rect};
    }
    return {
        {rect.left, rect.top, rect.right, rect.top + kWidth},
        {rect.left, rect.bottom - kWidth, rect.right, rect.bottom},
        {rect.left, rect.top + kWidth, rect.left + kWidth, rect.bottom - kWidth},
        {rect.right - kWidth, rect.top + kWidth, rect.right, rect.bottom - kWidth},
    };
}

void InvertedFrame::Draw(const RECT& rect) {
    if (m_drawn && EqualRect(&*m_drawn, &rect) != FALSE) {
        return;
    }
    Erase();
    if (IsEmpty(rect)) {
        return;
    }
    Invert(rect);
    m_drawn = rect;
}

void InvertedFrame::Erase() {
    if (!m_drawn) {
        return;
    }
    Invert(*m_drawn);
    m_drawn.reset();
}

void InvertedFrame::EraseByRepaint(const std::optional<RECT>& carriedTo) {
    if (!m_drawn) {
        return;
    }
    Repaint(*m_drawn);
    if (carriedTo && !IsEmpty(*carriedTo)) {
        Repaint(*carriedTo);
    }
    m_drawn.reset();
}

void InvertedFrame::Invert(const RECT& rect) {
    // The screen's context reaches through every window, in screen coordinates.
    const WindowDc screen(nullptr);
    if (screen.Get() == nullptr) {
        return;
    }
    // Strips that never overlap: no pixel is inverted twice.
    for (const RECT& strip : Band(rect)) {
        PatBlt(screen.Get(), strip.left, strip.top, strip.right - strip.left,
               strip.bottom - strip.top, DSTINVERT);
    }
    GdiFlush();
}

void InvertedFrame::Repaint(const RECT& rect) {
    // The desktop and every window over the area paint it afresh, frames included.
    RedrawWindow(nullptr, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace morvane::platform::windows
