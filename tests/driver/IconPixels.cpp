#include "IconPixels.h"

namespace pw {

namespace {

// A top-down 32-bit DIB selected into a memory DC.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(NULL);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, NULL, 0);
    if (bitmap_) old_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    if (old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool ok() const { return bits_ != nullptr; }
  HDC dc() const { return dc_; }
  uint32_t* bits() const { return static_cast<uint32_t*>(bits_); }

  Pixels Read() const {
    GdiFlush();
    Pixels pixels;
    if (!ok()) return pixels;
    pixels.width = width_;
    pixels.height = height_;
    for (int i = 0; i < width_ * height_; ++i) pixels.rgb.push_back(bits()[i] & 0x00FFFFFF);
    return pixels;
  }

 private:
  int width_, height_;
  HDC dc_ = NULL;
  HBITMAP bitmap_ = NULL;
  HGDIOBJ old_ = NULL;
  void* bits_ = nullptr;
};

}  // namespace

Pixels CaptureScreen(const RECT& rect) {
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return Pixels();
  Canvas canvas(width, height);
  if (!canvas.ok()) return Pixels();
  HDC screen = GetDC(NULL);
  BitBlt(canvas.dc(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  ReleaseDC(NULL, screen);
  return canvas.Read();
}

Pixels DrawSystemIcon(LPCSTR id, int width, int height, uint32_t background) {
  Canvas canvas(width, height);
  if (!canvas.ok()) return Pixels();
  for (int i = 0; i < width * height; ++i) canvas.bits()[i] = background;
  DrawIconEx(canvas.dc(), 0, 0, LoadIconA(NULL, id), 0, 0, 0, NULL, DI_NORMAL);
  return canvas.Read();
}

size_t CountDifferences(const Pixels& a, const Pixels& b) {
  if (a.width != b.width || a.height != b.height) return a.rgb.size() > b.rgb.size() ? a.rgb.size() : b.rgb.size();
  size_t differ = 0;
  for (size_t i = 0; i < a.rgb.size(); ++i) differ += a.rgb[i] != b.rgb[i];
  return differ;
}

bool IsUniform(const Pixels& pixels) {
  for (uint32_t pixel : pixels.rgb) {
    if (pixel != pixels.rgb.front()) return false;
  }
  return true;
}

}  // namespace pw
