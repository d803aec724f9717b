#include "platform/linux/x11/X11PickFrame.h"

#include "platform/linux/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace morvane::platform::x11 {

namespace {

// A graphics context, freed on the connection that made it.
struct GcFree {
    Display* display = nullptr;
    void operator()(_XGC* gc) const { XFreeGC(display, gc); }
};
using UniqueGc = std::unique_ptr<_XGC, GcFree>;

bool HasInputShapes(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    return XShapeQueryExtension(display, &eventBase, &errorBase) != 0 &&
           XShapeQueryVersion(display, &major, &minor) != 0 &&
           (major > 1 || (major == 1 && minor >= 1));
}

unsigned long OverlayColour(Display* display, int screen) {
    XColor colour{};
    colour.red = 0xE000;
    colour.green = 0x1B00;
    colour.blue = 0x2400;
    colour.flags = DoRed | DoGreen | DoBlue;
    if (XAllocColor(display, DefaultColormap(display, screen), &colour) != 0) {
        return colour.pixel;
    }
    return BlackPixel(display, screen);
}

} // namespace

X11PickFrame::X11PickFrame(X11Windows& windows, FrameStyle style)
    : m_windows(windows), m_style(style) {
    // Without input shapes the overlay would catch the pointer it is meant to follow.
    if (m_style == FrameStyle::Overlay && !HasInputShapes(m_windows.Handle())) {
        m_style = FrameStyle::Invert;
    }
}

X11PickFrame::~X11PickFrame() {
    Erase();
}

FrameStyle X11PickFrame::PreferredStyle(X11Windows& windows, const SessionProbe& session) {
    const std::string manager = "_NET_WM_CM_S" + std::to_string(windows.ScreenNumber());
    X11ErrorTrap trap(windows.Handle());
    const bool composited = XGetSelectionOwner(windows.Handle(), windows.Atom(manager)) != None;
    // An X server inside a Wayland session shows only what the compositor lets through.
    const bool wayland = session.Type() == SessionType::Wayland;
    return composited || wayland ? FrameStyle::Overlay : FrameStyle::Invert;
}

std::vector<Rect> X11PickFrame::Band(const Rect& rect) {
    if (rect.width <= 0 || rect.height <= 0) {
        return {};
    }
    if (rect.width <= 2 * kWidth || rect.height <= 2 * kWidth) {
        return {rect};
    }
    return {
        {rect.x, rect.y, rect.width, kWidth},
        {rect.x, rect.y + rect.height - kWidth, rect.width, kWidth},
        {rect.x, rect.y + kWidth, kWidth, rect.height - 2 * kWidth},
        {rect.x + rect.width - kWidth, rect.y + kWidth, kWidth, rect.height - 2 * kWidth},
    };
}

void X11PickFrame::Draw(const Rect& rect) {
    if (m_drawn && *m_drawn == rect) {
        return;
    }
    Erase();
    if (rect.width <= 0 || rect.height <= 0) {
        return;
    }
    if (m_style == FrameStyle::Invert) {
        Invert(rect);
    } else {
        ShowOverlay(rect);
    }
    m_drawn = rect;
}

void X11PickFrame::Erase() {
    if (!m_drawn) {
        return;
    }
    if (m_style == FrameStyle::Invert) {
        Invert(*m_drawn);
    } else {
        HideOverlay();
    }
    m_drawn.reset();
}

void X11PickFrame::EraseByRepaint(const std::optional<Rect>& carriedTo) {
    if (!m_drawn) {
        return;
    }
    if (m_style == FrameStyle::Invert) {
        RepaintArea(*m_drawn);
        if (carriedTo && carriedTo->width > 0 && carriedTo->height > 0) {
            RepaintArea(*carriedTo);
        }
    } else {
        HideOverlay();
    }
    m_drawn.reset();
}

void X11PickFrame::Invert(const Rect& rect) {
    Display* display = m_windows.Handle();
    std::vector<XRectangle> strips;
    for (const Rect& strip : Band(rect)) {
        strips.push_back(XRectangle{static_cast<short>(strip.x), static_cast<short>(strip.y),
                                    static_cast<unsigned short>(strip.width),
                                    static_cast<unsigned short>(strip.height)});
    }
    X11ErrorTrap trap(display);
    XGCValues values{};
    values.function = GXinvert;
    values.subwindow_mode = IncludeInferiors;
    values.plane_mask = AllPlanes;
    const UniqueGc gc(
        XCreateGC(display, m_windows.Root(), GCFunction | GCSubwindowMode | GCPlaneMask, &values),
        GcFree{display});
    // One request with strips that never overlap: no pixel is inverted twice.
    XFillRectangles(display, m_windows.Root(), gc.get(), strips.data(),
                    static_cast<int>(strips.size()));
    XFlush(display);
}

void X11PickFrame::ShowOverlay(const Rect& rect) {
    Display* display = m_windows.Handle();
    X11ErrorTrap trap(display);
    const std::vector<Rect> strips = Band(rect);
    for (std::size_t i = 0; i < 4; ++i) {
        if (m_overlay[i].Get() == 0) {
            XSetWindowAttributes attributes{};
            attributes.override_redirect = True;
            attributes.background_pixel = OverlayColour(display, m_windows.ScreenNumber());
            m_overlay[i] =
                OwnedWindow(display, XCreateWindow(display, m_windows.Root(), 0, 0, 1, 1, 0,
                                                   CopyFromParent, InputOutput, CopyFromParent,
                                                   CWOverrideRedirect | CWBackPixel, &attributes));
            XShapeCombineRectangles(display, m_overlay[i].Get(), ShapeInput, 0, 0, nullptr, 0,
                                    ShapeSet, Unsorted);
        }
        const Window overlay = m_overlay[i].Get();
        if (i < strips.size()) {
            const Rect& strip = strips[i];
            XMoveResizeWindow(display, overlay, strip.x, strip.y,
                              static_cast<unsigned>(strip.width),
                              static_cast<unsigned>(strip.height));
            XMapRaised(display, overlay);
        } else {
            XUnmapWindow(display, overlay);
        }
    }
    XFlush(display);
}

void X11PickFrame::HideOverlay() {
    Display* display = m_windows.Handle();
    X11ErrorTrap trap(display);
    for (const OwnedWindow& window : m_overlay) {
        if (window.Get() != 0) {
            XUnmapWindow(display, window.Get());
        }
    }
    XFlush(display);
}

void X11PickFrame::RepaintArea(const Rect& rect) {
    // A window without a background covers the area without painting it; when it goes, every
    // window below gets an exposure for that area and paints it afresh.
    Display* display = m_windows.Handle();
    X11ErrorTrap trap(display);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixmap = None;
    OwnedWindow cover(display, XCreateWindow(display, m_windows.Root(), rect.x, rect.y,
                                             static_cast<unsigned>(rect.width),
                                             static_cast<unsigned>(rect.height), 0, CopyFromParent,
                                             InputOutput, CopyFromParent,
                                             CWOverrideRedirect | CWBackPixmap, &attributes));
    XMapWindow(display, cover.Get());
    XUnmapWindow(display, cover.Get());
    cover.Reset();
    XFlush(display);
}

} // namespace morvane::platform::x11
