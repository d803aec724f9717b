#pragma once

#include "platform/linux/x11/X11Connection.h"
#include "platform/linux/x11/X11Properties.h"
#include "platform/linux/x11/X11WindowTree.h"
#include "platform/linux/x11/X11WmRequests.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morvane::platform::x11 {

/// The thin layer over libX11 that the picker and the window operations share: one connection
/// with its window tree, properties and window-manager requests, each described where it lives.
/// Every call traps X errors, so a window that vanished between two calls only makes that call
/// fail (0, false, empty text). Not thread-safe.
class X11Windows final {
public:
    /// Opens the display named `displayName` (DISPLAY when empty); nullptr when it cannot.
    static std::unique_ptr<X11Windows> Open(const std::string& displayName = {});
    ~X11Windows();
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    // The connection (X11Connection).
    /// The Xlib connection, for the drawing code of this layer.
    [[nodiscard]] _XDisplay* Handle() const { return m_connection->Handle(); }
    [[nodiscard]] int ScreenNumber() const { return m_connection->ScreenNumber(); }
    [[nodiscard]] XId Root() const { return m_connection->Root(); }
    XId Atom(const std::string& name) { return m_connection->Atom(name); }
    void Sync() { m_connection->Sync(); }

    // The window tree and the pointer (X11WindowTree).
    bool Exists(XId window) { return m_tree.Exists(window); }
    XId Parent(XId window) { return m_tree.Parent(window); }
    std::vector<XId> Children(XId window) { return m_tree.Children(window); }
    XId TopLevelOf(XId window) { return m_tree.TopLevelOf(window); }
    bool IsClient(XId window) { return m_tree.IsClient(window); }
    XId ClientOf(XId window) { return m_tree.ClientOf(window); }
    XId ManagedWindowOf(XId window) { return m_tree.ManagedWindowOf(window); }
    std::optional<Rect> OuterRect(XId window) { return m_tree.OuterRect(window); }
    std::optional<MapState> MapStateOf(XId window) { return m_tree.MapStateOf(window); }
    std::vector<XId> Descendants(XId window) { return m_tree.Descendants(window); }
    std::optional<std::pair<int, int>> PointerPosition() { return m_tree.PointerPosition(); }
    XId DeepestUnderPointer() { return m_tree.DeepestUnderPointer(); }

    // Properties (X11Properties).
    std::string Title(XId window) { return m_properties.Title(window); }
    bool SetTitle(XId window, const std::string& utf8) {
        return m_properties.SetTitle(window, utf8);
    }
    std::pair<std::string, std::string> WmClass(XId window) { return m_properties.WmClass(window); }
    std::vector<unsigned long> Cardinals(XId window, const std::string& property,
                                         long maxItems = 1024) {
        return m_properties.Cardinals(window, property, maxItems);
    }
    bool HasProperty(XId window, const std::string& property) {
        return m_properties.HasProperty(window, property);
    }
    long WmState(XId window) { return m_properties.WmState(window); }
    std::int64_t ProcessId(XId client) { return m_properties.ProcessId(client); }
    XId TransientFor(XId window) { return m_properties.TransientFor(window); }

    // Window-manager requests (X11WmRequests).
    bool WmSupports(const std::string& atom) { return m_wm.WmSupports(atom); }
    bool HasNetWmState(XId client, const std::string& state) {
        return m_wm.HasNetWmState(client, state);
    }
    bool ChangeNetWmState(XId client, StateAction action, const std::string& state,
                          const std::string& second = {}) {
        return m_wm.ChangeNetWmState(client, action, state, second);
    }
    XId ActiveWindow() { return m_wm.ActiveWindow(); }
    bool Activate(XId client) { return m_wm.Activate(client); }
    bool Iconify(XId client) { return m_wm.Iconify(client); }
    bool Map(XId window) { return m_wm.Map(window); }
    bool Unmap(XId window) { return m_wm.Unmap(window); }
    bool AskToClose(XId client) { return m_wm.AskToClose(client); }
    bool Raise(XId window) { return m_wm.Raise(window); }
    bool Lower(XId window) { return m_wm.Lower(window); }
    bool MoveResize(XId window, int x, int y, int width, int height) {
        return m_wm.MoveResize(window, x, y, width, height);
    }
    bool Repaint(XId window) { return m_wm.Repaint(window); }
    std::vector<XId> StackingClients() { return m_wm.StackingClients(); }

private:
    explicit X11Windows(std::unique_ptr<X11Connection> connection);

    // The parts keep references to the connection and to each other; the front never moves.
    std::unique_ptr<X11Connection> m_connection;
    X11Properties m_properties;
    X11WindowTree m_tree;
    X11WmRequests m_wm;
};

} // namespace morvane::platform::x11
