#include "MessageBoxReader.h"

#include "IconPixels.h"
#include "WinError.h"

namespace pw {

namespace {

const DWORD kBlankSettleMs = 1000;

struct Candidate {
  IconKind kind;
  LPCSTR id;
};

const Candidate kCandidates[] = {
    {IconKind::Error, IDI_ERROR},
    {IconKind::Information, IDI_INFORMATION},
    {IconKind::Warning, IDI_WARNING},
    {IconKind::Question, IDI_QUESTION},
};

// The system icons differ from each other in a sixth of their pixels or more;
// this leaves room for a stray pixel and none for a wrong icon.
size_t Tolerance(const Pixels& pixels) { return pixels.rgb.size() / 50; }

IconKind Match(const Pixels& shown) {
  if (shown.rgb.empty()) return IconKind::Unknown;
  uint32_t background = shown.rgb.front();
  for (const Candidate& candidate : kCandidates) {
    Pixels drawn = DrawSystemIcon(candidate.id, shown.width, shown.height, background);
    if (CountDifferences(shown, drawn) <= Tolerance(shown)) return candidate.kind;
  }
  return IconKind::Unknown;
}

}  // namespace

const char* IconName(IconKind kind) {
  switch (kind) {
    case IconKind::None: return "none";
    case IconKind::Error: return "error";
    case IconKind::Information: return "information";
    case IconKind::Warning: return "warning";
    case IconKind::Question: return "question";
    case IconKind::Unknown: break;
  }
  return "unknown";
}

bool IsMessageBox(HWND window) {
  return ClassName(window) == "#32770" && ControlById(window, kBoxTextId) && ControlById(window, kBoxIconId);
}

Result<MessageBoxView> ReadMessageBox(HWND box) {
  if (!IsMessageBox(box)) return Fail(Describe(box) + " is not a message box");
  MessageBoxView view;
  view.hwnd = box;
  view.caption = Text(box);
  view.text = Text(ControlById(box, kBoxTextId));
  view.buttons = VisibleButtons(box);
  return view;
}

IconKind ReadIcon(HWND box, DWORD timeoutMs) {
  HWND icon = ControlById(box, kBoxIconId);
  if (!icon || !IsWindowVisible(icon)) return IconKind::None;
  IconKind kind = IconKind::Unknown;
  ULONGLONG blankSince = 0;
  WaitUntil(
      [&] {
        RECT rect;
        if (!GetWindowRect(icon, &rect)) return true;
        Pixels shown = CaptureScreen(rect);
        kind = Match(shown);
        if (kind != IconKind::Unknown) return true;
        if (shown.rgb.empty() || !IsUniform(shown)) {
          blankSince = 0;
          return false;
        }
        if (blankSince == 0) blankSince = GetTickCount64();
        if (GetTickCount64() - blankSince < kBlankSettleMs) return false;
        kind = IconKind::None;
        return true;
      },
      timeoutMs);
  return kind;
}

}  // namespace pw
