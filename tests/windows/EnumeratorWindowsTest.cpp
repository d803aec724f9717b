#include "WindowTestRig.h"

#include "platform/Enumerator.h"
#include "platform/windows/WindowSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

// The enumerator's window operations on real windows of this test, under Wine's window system.

namespace morvane::platform {
namespace {

using test::PumpUntil;
using test::TestClass;
using test::TestWindow;

constexpr int kButtonId = 4711;

class EnumeratorWindowsTest : public ::testing::Test {
protected:
    WindowSystem m_system;
    Enumerator m_enumerator{&m_system};
    // A program's window with a caption and a menu, and a control inside it.
    TestWindow m_top{L"Zażółć gęślą jaźń – été", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                     RECT{60, 60, 460, 360}, RGB(40, 90, 200)};
    TestWindow m_child{L"Bouton",
                       WS_CHILD | WS_VISIBLE,
                       WS_EX_CLIENTEDGE,
                       RECT{10, 10, 110, 50},
                       RGB(200, 120, 30),
                       m_top.Get(),
                       reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kButtonId))};
};

TEST_F(EnumeratorWindowsTest, ReadsNamesTheParentChainAndTheWindowsValues) {
    const WindowId top = m_top.Id();
    const WindowId child = m_child.Id();
    EXPECT_EQ(m_enumerator.ClassName(top), "MorvaneFenêtreTest");
    EXPECT_EQ(m_enumerator.GetWindText(top), "Zażółć gęślą jaźń – été");
    EXPECT_EQ(m_enumerator.GetWindTextLength(top), 23);
    m_enumerator.SetWindText(child, "Fermer – Zamknij");
    EXPECT_EQ(m_enumerator.GetWindText(child), "Fermer – Zamknij");

    EXPECT_EQ(m_enumerator.ParentWind(child), top);
    EXPECT_EQ(m_enumerator.ParentWind(top), 0U);
    EXPECT_EQ(m_enumerator.Progenitor(child), top);
    EXPECT_EQ(m_enumerator.Progenitor(top), top);
    EXPECT_EQ(m_enumerator.GetRelWindow(top, GW_CHILD), child);
    EXPECT_EQ(m_enumerator.DesktopWind(), reinterpret_cast<std::uintptr_t>(GetDesktopWindow()));
    EXPECT_TRUE(m_enumerator.IsValidWindow(child));
    EXPECT_EQ(m_enumerator.WindProcess(child), static_cast<ProcessId>(GetCurrentProcessId()));
    EXPECT_EQ(m_enumerator.WindThread(child), static_cast<ThreadId>(GetCurrentThreadId()));

    EXPECT_TRUE(Enumerator::IsStyle(static_cast<std::int32_t>(m_enumerator.StyleVal(top)),
                                    static_cast<std::int32_t>(WS_OVERLAPPEDWINDOW | WS_VISIBLE)));
    EXPECT_TRUE(Enumerator::IsStyle(static_cast<std::int32_t>(m_enumerator.StyleVal(child)),
                                    static_cast<std::int32_t>(WS_CHILD)));
    EXPECT_TRUE(Enumerator::IsStyle(static_cast<std::int32_t>(m_enumerator.ExtStyleVal(child)),
                                    WS_EX_CLIENTEDGE));
    EXPECT_EQ(m_enumerator.GetControlID(child), kButtonId);
    SetWindowLongPtrW(m_child.Get(), GWLP_USERDATA, 0x5eed);
    EXPECT_EQ(m_enumerator.GetUserData(child), 0x5eed);
    const auto module = reinterpret_cast<std::intptr_t>(GetModuleHandleW(nullptr));
    EXPECT_EQ(m_enumerator.GetHandleInstance(top), module);
    EXPECT_NE(m_enumerator.GetWndProc(top), 0);

    EXPECT_EQ(m_enumerator.GetClassStyle(top), TestClass::kStyle);
    EXPECT_EQ(m_enumerator.GetClassExtraBytes(top), TestClass::kClassExtra);
    EXPECT_EQ(m_enumerator.GetClassExtraWndBytes(top), TestClass::kWindowExtra);
    EXPECT_EQ(m_enumerator.GetClassHModule(top), module);
    EXPECT_EQ(m_enumerator.GetClassHIcon(top), reinterpret_cast<std::intptr_t>(TestClass::Icon()));
    EXPECT_NE(m_enumerator.GetClasshSmallIcon(top), 0);
    EXPECT_EQ(m_enumerator.GetClassHCursor(top),
              reinterpret_cast<std::intptr_t>(LoadCursorW(nullptr, IDC_ARROW)));
    EXPECT_EQ(m_enumerator.GetClasshBackgroundBrush(top),
              reinterpret_cast<std::intptr_t>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(m_enumerator.GetClassWndProc(top),
              reinterpret_cast<std::intptr_t>(TestClass::Procedure()));
}

TEST_F(EnumeratorWindowsTest, ChangesVisibilityInputStackingPlaceAndParent) {
    const WindowId child = m_child.Id();
    EXPECT_TRUE(m_enumerator.SetVisible(child, false)); // it was visible
    EXPECT_FALSE(m_enumerator.IsVisible(child));
    EXPECT_FALSE(m_enumerator.SetVisible(child, true));
    EXPECT_TRUE(m_enumerator.IsVisible(child));

    EXPECT_FALSE(m_enumerator.SetEnabled(child, false)); // it was enabled
    EXPECT_FALSE(m_enumerator.IsEnabled(child));
    EXPECT_TRUE(m_enumerator.SetEnabled(child, true));
    EXPECT_TRUE(m_enumerator.IsEnabled(child));

    const WindowId top = m_top.Id();
    EXPECT_TRUE(m_enumerator.SetOntop(top, true));
    EXPECT_TRUE(m_enumerator.IsOnTop(top));
    EXPECT_TRUE(m_enumerator.SetOntop(top, false));
    EXPECT_FALSE(m_enumerator.IsOnTop(top));

    m_enumerator.SetWinSizePos(child, 20, 30, 70, 40);
    RECT placed{};
    GetWindowRect(m_child.Get(), &placed);
    MapWindowPoints(nullptr, m_top.Get(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.right - placed.left, 70);
    EXPECT_EQ(placed.bottom - placed.top, 40);

    TestWindow other(L"other", WS_OVERLAPPEDWINDOW, 0, RECT{500, 60, 700, 200}, RGB(0, 0, 0));
    EXPECT_TRUE(m_enumerator.SetParent(child, other.Id()));
    EXPECT_EQ(m_enumerator.ParentWind(child), other.Id());
    EXPECT_EQ(m_enumerator.Progenitor(child), other.Id());
    EXPECT_TRUE(m_enumerator.SetParent(child, top));
    EXPECT_FALSE(m_enumerator.SetParent(child, 0xDEAD0)); // not a window: left where it is
    EXPECT_EQ(m_enumerator.ParentWind(child), top);
}

TEST_F(EnumeratorWindowsTest, PositionCodesRoundTripAndOtherCodesChangeNothing) {
    // A window no window manager handles: its states are Win32's alone, with no window manager's
    // late answers in between.
    const TestWindow popup(L"popup", WS_POPUP | WS_VISIBLE, 0, RECT{500, 400, 700, 500},
                           RGB(0, 0, 0));
    const WindowId window = popup.Id();
    EXPECT_EQ(m_enumerator.WindPos(window), 0);
    // Minimised from normal: a window minimised from maximised comes back maximised.
    for (const std::int16_t code : {2, 0, 1, 0}) {
        m_enumerator.SetWindPos(window, code);
        EXPECT_TRUE(PumpUntil([&] { return m_enumerator.WindPos(window) == code; })) << code;
        m_enumerator.SetWindPos(window, 3);
        m_enumerator.SetWindPos(window, -1);
        EXPECT_EQ(m_enumerator.WindPos(window), code);
    }
}

TEST_F(EnumeratorWindowsTest, MenusIconsAndDrawingContexts) {
    const WindowId top = m_top.Id();
    EXPECT_EQ(m_enumerator.MenuHandle(top), 0U);
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"Quitter");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"Fichier");
    SetMenu(m_top.Get(), bar); // destroyed with the window
    const Handle menu = m_enumerator.MenuHandle(top);
    EXPECT_EQ(menu, reinterpret_cast<Handle>(bar));
    EXPECT_EQ(m_enumerator.SubMenu(menu, 0), reinterpret_cast<Handle>(file));
    EXPECT_EQ(m_enumerator.SubMenu(menu, 5), 0U);
    EXPECT_EQ(m_enumerator.SubMenu(top, 0), 0U); // a window is not a menu

    EXPECT_EQ(m_enumerator.GetBigIconH(top), 0U);
    SendMessageW(m_top.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(TestClass::Icon()));
    EXPECT_EQ(m_enumerator.GetBigIconH(top), reinterpret_cast<Handle>(TestClass::Icon()));

    const Handle dc = m_enumerator.GetDC(top);
    EXPECT_NE(dc, 0U);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(dc)), static_cast<DWORD>(OBJ_DC));
    m_enumerator.RelDC(top, dc);
}

TEST_F(EnumeratorWindowsTest, AsksAWindowToCloseThroughItsOwnProcedure) {
    m_enumerator.TerminateWind(m_top.Id());
    EXPECT_EQ(TestClass::CloseRequests(m_top.Get()), 0); // posted, not sent
    EXPECT_TRUE(PumpUntil([&] { return TestClass::CloseRequests(m_top.Get()) == 1; }));
    EXPECT_TRUE(IsWindow(m_top.Get())); // the window decides; nothing forces it
}

TEST_F(EnumeratorWindowsTest, SnapshotHoldsTopLevelsThenDescendantsThenTheDesktopOnce) {
    std::vector<WindowId> winds;
    m_enumerator.ReturnWindEnum(winds);
    ASSERT_GE(winds.size(), 4U);
    EXPECT_EQ(winds[0], 0U);
    EXPECT_EQ(m_enumerator.NumOfWinds(), static_cast<std::int32_t>(winds.size() - 1));
    const auto top = std::find(winds.begin(), winds.end(), m_top.Id());
    const auto child = std::find(winds.begin(), winds.end(), m_child.Id());
    ASSERT_NE(top, winds.end());
    ASSERT_NE(child, winds.end());
    EXPECT_LT(top, child);
    const WindowId desktop = m_enumerator.DesktopWind();
    EXPECT_EQ(std::count(winds.begin(), winds.end(), desktop), 1);
    EXPECT_EQ(winds.back(), desktop);
}

TEST_F(EnumeratorWindowsTest, NoWindowSystemOrNoWindowGivesNeutralAnswersAndDoesNothing) {
    Enumerator without(nullptr);
    const WindowId top = m_top.Id();
    EXPECT_EQ(without.ClassName(top), "");
    EXPECT_EQ(without.GetWindText(top), "");
    EXPECT_EQ(without.WindProcess(top), 0);
    EXPECT_EQ(without.StyleVal(top), 0);
    EXPECT_EQ(without.DesktopWind(), 0U);
    EXPECT_FALSE(without.IsVisible(top));
    without.SetWindText(top, "changed");
    without.TerminateWind(top);
    EXPECT_EQ(m_enumerator.GetWindText(top), "Zażółć gęślą jaźń – été");
    std::vector<WindowId> winds;
    without.ReturnWindEnum(winds);
    EXPECT_EQ(winds, std::vector<WindowId>{0});

    // A null handle means "this thread" or "the screen" to some calls: never here.
    HWND gone = CreateWindowExW(0, TestClass::Name(), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    DestroyWindow(gone);
    for (const WindowId none : {WindowId{0}, reinterpret_cast<WindowId>(gone)}) {
        EXPECT_EQ(m_enumerator.ClassName(none), "");
        EXPECT_EQ(m_enumerator.Progenitor(none), none);
        EXPECT_EQ(m_enumerator.WindProcess(none), 0);
        EXPECT_EQ(m_enumerator.WindThread(none), 0);
        EXPECT_EQ(m_enumerator.GetDC(none), 0U);
        EXPECT_EQ(m_enumerator.StyleVal(none), 0);
        EXPECT_FALSE(m_enumerator.IsValidWindow(none));
        m_enumerator.TerminateWind(none);
    }
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, reinterpret_cast<HWND>(-1), WM_CLOSE, WM_CLOSE, PM_REMOVE));
}

} // namespace
} // namespace morvane::platform
