#include <gtest/gtest.h>

#include "Wnd.h"

namespace {

// Handlers found by id and code, the derived map before the base's.
class CBaseTarget : public CWnd {
 public:
  int baseClicks = 0;
  int sharedInBase = 0;
  void OnBaseOnly() { baseClicks++; }
  void OnShared() { sharedInBase++; }
  DECLARE_MESSAGE_MAP()
};

class CDerivedTarget : public CBaseTarget {
 public:
  int derivedClicks = 0;
  int sharedInDerived = 0;
  UINT sizeType = 0;
  int width = 0, height = 0;
  void OnDerived() { derivedClicks++; }
  void OnSharedHere() { sharedInDerived++; }
  void OnSize(UINT type, int cx, int cy) {
    sizeType = type;
    width = cx;
    height = cy;
  }
  DECLARE_MESSAGE_MAP()
  friend class MessageMapTest_SizeHandlerGetsItsArguments_Test;
};

BEGIN_MESSAGE_MAP(CBaseTarget, CWnd)
  ON_BN_CLICKED(10, OnBaseOnly)
  ON_BN_CLICKED(20, OnShared)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
  ON_BN_CLICKED(30, OnDerived)
  ON_BN_CLICKED(20, OnSharedHere)
  ON_WM_SIZE()
END_MESSAGE_MAP()

TEST(MessageMap, CommandsGoToTheMostDerivedHandler) {
  CDerivedTarget t;
  EXPECT_TRUE(t.OnCmdMsg(10, BN_CLICKED));
  EXPECT_TRUE(t.OnCmdMsg(30, BN_CLICKED));
  EXPECT_TRUE(t.OnCmdMsg(20, BN_CLICKED));
  EXPECT_FALSE(t.OnCmdMsg(30, BN_SETFOCUS));
  EXPECT_FALSE(t.OnCmdMsg(99, BN_CLICKED));
  EXPECT_EQ(1, t.baseClicks);
  EXPECT_EQ(1, t.derivedClicks);
  EXPECT_EQ(1, t.sharedInDerived);
  EXPECT_EQ(0, t.sharedInBase);
}

TEST(MessageMap, SizeHandlerGetsItsArguments) {
  CDerivedTarget t;
  RECT r = {0, 0, 100, 50};
  ASSERT_TRUE(t.CreateEx(0, "STATIC", "", WS_POPUP, r, NULL, 0));
  ::SendMessageA(t.m_hWnd, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480));
  EXPECT_EQ((UINT)SIZE_MAXIMIZED, t.sizeType);
  EXPECT_EQ(640, t.width);
  EXPECT_EQ(480, t.height);
  t.DestroyWindow();
  EXPECT_EQ(NULL, t.m_hWnd);  // detached on WM_NCDESTROY
}

}  // namespace
