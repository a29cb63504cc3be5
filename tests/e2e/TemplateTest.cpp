// The installer's own resources read from its file: dialog template 131
// exactly as made, and icon 128 with its two sizes.
#include <gtest/gtest.h>
#include <windows.h>

#include <ctype.h>

#include <string>
#include <vector>

#include "TestConfig.h"

namespace pw {
namespace {

struct Item {
  DWORD style;
  short x, y, cx, cy;
  int id;
  std::string className;  // "button", "Edit", "Static" for the predefined atoms
  std::string text;
};

struct Template {
  DWORD style, exStyle;
  short x, y, cx, cy;
  bool hasMenu, hasClass;
  std::string caption, face;
  WORD points;
  std::vector<Item> items;
};

class Reader {
 public:
  explicit Reader(const BYTE* p) : p_(p), start_(p) {}
  WORD Word() {
    WORD w = *(const WORD*)p_;
    p_ += 2;
    return w;
  }
  DWORD Dword() {
    DWORD d = *(const DWORD*)p_;
    p_ += 4;
    return d;
  }
  // A string, or 0xFFFF and an ordinal (returned as "#n").
  std::string SzOrOrd() {
    if (*(const WORD*)p_ == 0xFFFF) {
      p_ += 2;
      return "#" + std::to_string(Word());
    }
    std::string s;
    for (WORD c; (c = Word()) != 0;) s += (char)c;
    return s;
  }
  void AlignDword() {
    while ((p_ - start_) % 4) p_++;
  }

 private:
  const BYTE* p_;
  const BYTE* start_;
};

Template ParseDialog(const BYTE* data) {
  Reader r(data);
  Template t;
  t.style = r.Dword();
  t.exStyle = r.Dword();
  WORD count = r.Word();
  t.x = (short)r.Word();
  t.y = (short)r.Word();
  t.cx = (short)r.Word();
  t.cy = (short)r.Word();
  t.hasMenu = !r.SzOrOrd().empty();
  t.hasClass = !r.SzOrOrd().empty();
  t.caption = r.SzOrOrd();
  if (t.style & DS_SETFONT) {
    t.points = r.Word();
    t.face = r.SzOrOrd();
  }
  for (WORD i = 0; i < count; i++) {
    r.AlignDword();
    Item item;
    item.style = r.Dword();
    r.Dword();  // extended style
    item.x = (short)r.Word();
    item.y = (short)r.Word();
    item.cx = (short)r.Word();
    item.cy = (short)r.Word();
    item.id = (short)r.Word();
    std::string cls = r.SzOrOrd();
    // The predefined classes, by atom or by name in any case.
    for (char& c : cls) c = (char)tolower((unsigned char)c);
    item.className = cls == "#128" ? "button" : cls == "#129" ? "edit" : cls == "#130" ? "static" : cls;
    item.text = r.SzOrOrd();
    WORD extra = r.Word();
    for (WORD k = 0; k < extra; k++) r.Word();
    t.items.push_back(item);
  }
  return t;
}

class TemplateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(Config().installer.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module_ != NULL) << Config().installer;
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  const BYTE* Resource(LPCSTR type, LPCSTR name) {
    HRSRC info = FindResourceA(module_, name, type);
    return info ? (const BYTE*)LockResource(LoadResource(module_, info)) : nullptr;
  }
  HMODULE module_ = NULL;
};

TEST_F(TemplateTest, Dialog131) {
  const BYTE* data = Resource((LPCSTR)RT_DIALOG, MAKEINTRESOURCEA(131));
  ASSERT_TRUE(data != nullptr);
  Template t = ParseDialog(data);
  EXPECT_EQ((DWORD)(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT), t.style);
  EXPECT_EQ(0u, t.exStyle);
  EXPECT_EQ(0, t.x);
  EXPECT_EQ(0, t.y);
  EXPECT_EQ(318, t.cx);
  EXPECT_EQ(84, t.cy);
  EXPECT_FALSE(t.hasMenu);
  EXPECT_FALSE(t.hasClass);
  EXPECT_EQ("Setup", t.caption);
  EXPECT_EQ(8, t.points);
  EXPECT_EQ("MS Sans Serif", t.face);

  const DWORD base = WS_CHILD | WS_VISIBLE;
  const Item expected[] = {
      {base | BS_PUSHBUTTON | WS_TABSTOP, 291, 40, 14, 14, 1001, "button", "..."},
      {base | BS_AUTOCHECKBOX | WS_TABSTOP, 7, 67, 95, 10, 1008, "button", "&Launch Korvelin"},
      {base | BS_DEFPUSHBUTTON | WS_TABSTOP, 261, 65, 50, 14, IDOK, "button", "&Install"},
      {base | ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, 14, 40, 276, 14, 1005, "edit", ""},
      {base | BS_GROUPBOX, 7, 7, 304, 54, -1, "button", "Korvelin installed directory"},
      {base | SS_LEFT | WS_GROUP, 14, 19, 289, 17, -1, "static",
       "Setup has detected the Korvelin installed directory!\nPlease click on Install to continue...."},
  };
  ASSERT_EQ(6u, t.items.size());
  for (size_t i = 0; i < t.items.size(); i++) {
    const Item& a = t.items[i];
    const Item& e = expected[i];
    EXPECT_EQ(e.id, a.id) << i;
    EXPECT_EQ(e.style, a.style) << i;
    EXPECT_EQ(e.className, a.className) << i;
    EXPECT_EQ(e.text, a.text) << i;
    EXPECT_EQ(e.x, a.x) << i;
    EXPECT_EQ(e.y, a.y) << i;
    EXPECT_EQ(e.cx, a.cx) << i;
    EXPECT_EQ(e.cy, a.cy) << i;
  }
}

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colors, reserved;
  WORD planes, bits;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST_F(TemplateTest, Icon128Has32And16PixelImages) {
  const BYTE* group = Resource((LPCSTR)RT_GROUP_ICON, MAKEINTRESOURCEA(128));
  ASSERT_TRUE(group != nullptr);
  WORD count = ((const WORD*)group)[2];
  std::vector<int> sizes;
  const GroupIconEntry* entries = (const GroupIconEntry*)(group + 6);
  for (WORD i = 0; i < count; i++) {
    sizes.push_back(entries[i].width);
    EXPECT_EQ(entries[i].width, entries[i].height);
    EXPECT_TRUE(Resource((LPCSTR)RT_ICON, MAKEINTRESOURCEA(entries[i].id)) != nullptr);
  }
  EXPECT_EQ((std::vector<int>{32, 16}), sizes);
}

}  // namespace
}  // namespace pw
