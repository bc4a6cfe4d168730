#include "win32/picture_view.h"

#include <cmath>
#include <vector>

#include "platform/controls.h"
#include "platform/native_text.h"
#include "platform/view_rules.h"

namespace quillet {
namespace {

constexpr wchar_t kClassName[] = L"QuilletPicture";
constexpr int kGridWidth = 160;
constexpr int kGridHeight = 120;
constexpr double kArrowLength = 7, kArrowSpread = 0.45;

COLORREF Rgb(Colour colour) {
  return IsSystemColour(colour) ? GetSysColor(SystemColourIndex(colour)) : static_cast<COLORREF>(colour);
}

std::vector<POINT> PointsOf(const Shape& shape) {
  std::vector<POINT> points;
  for (std::size_t i = 0; i + 1 < shape.points.size(); i += 2) points.push_back({shape.points[i], shape.points[i + 1]});
  return points;
}

void ArrowHead(HDC dc, POINT tip, POINT from) {
  const double angle = std::atan2(tip.y - from.y, tip.x - from.x);
  auto at = [&](double turn) {
    return POINT{static_cast<LONG>(std::lround(tip.x - kArrowLength * std::cos(angle + turn))),
                 static_cast<LONG>(std::lround(tip.y - kArrowLength * std::sin(angle + turn)))};
  };
  const POINT head[] = {tip, at(-kArrowSpread), at(kArrowSpread)};
  Polygon(dc, head, 3);
}

void DrawShape(HDC dc, const Shape& shape, HFONT font) {
  const std::vector<POINT> points = PointsOf(shape);
  const COLORREF colour = Rgb(shape.colour);
  HPEN pen = CreatePen(PS_SOLID, shape.width, colour);
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  switch (shape.kind) {
    case Shape::Kind::Fill: {
      const RECT all{0, 0, kGridWidth, kGridHeight};
      FillRect(dc, &all, brush);
      break;
    }
    case Shape::Kind::Text:
      if (!points.empty()) {
        const std::wstring text = WideFromUtf8(shape.text);
        SelectObject(dc, font);
        SetTextColor(dc, colour);
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_BASELINE | TA_LEFT);
        TextOutW(dc, points[0].x, points[0].y, text.c_str(), static_cast<int>(text.size()));
      }
      break;
    case Shape::Kind::Ellipse:
    case Shape::Kind::Rectangle:
      if (points.size() < 2) break;
      if (shape.kind == Shape::Kind::Ellipse) Ellipse(dc, points[0].x, points[0].y, points[1].x, points[1].y);
      else Rectangle(dc, points[0].x, points[0].y, points[1].x, points[1].y);
      break;
    case Shape::Kind::Line:
    case Shape::Kind::Polyline:
      if (points.size() < 2) break;
      Polyline(dc, points.data(), static_cast<int>(points.size()));
      SelectObject(dc, brush);
      if (shape.arrowAtStart) ArrowHead(dc, points[0], points[1]);
      if (shape.arrowAtEnd) ArrowHead(dc, points.back(), points[points.size() - 2]);
      break;
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void Paint(HWND window, const Picture& picture) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  // The grid stretched over the control, the window's font with it.
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, kGridWidth, kGridHeight, nullptr);
  SetViewportExtEx(dc, client.right, client.bottom, nullptr);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  for (const Shape& shape : picture.Shapes()) DrawShape(dc, shape, font);
  EndPaint(window, &paint);
}

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_SETFONT:
      SetPropW(window, L"QuilletFont", reinterpret_cast<HANDLE>(wParam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(GetPropW(window, L"QuilletFont"));
    case WM_NCDESTROY:
      RemovePropW(window, L"QuilletFont");
      break;
    case WM_PAINT:
      if (auto* picture = reinterpret_cast<const Picture*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
        Paint(window, *picture);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

const wchar_t* PictureClass(HINSTANCE instance) {
  static const ATOM registered = [instance] {
    WNDCLASSW kind{};
    kind.lpfnWndProc = PictureProc;
    kind.hInstance = instance;
    kind.lpszClassName = kClassName;
    kind.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    return RegisterClassW(&kind);
  }();
  (void)registered;
  return kClassName;
}

}  // namespace quillet
