#include "platform/graphics_services.h"

#include <gtest/gtest.h>

#include "platform/device_context.h"
#include "test_fonts.h"

namespace moji {
namespace {

TEST(HandleTable, CountsLiveHandlesAndRefusesStaleOnes) {
  GraphicsServices gdi;
  const HGDIOBJ font = gdi.CreateFontIndirectA(test::LogFont("", 32));
  const HGDIOBJ pen = gdi.CreatePen(PS_SOLID, 3, 0x0000FF);
  EXPECT_EQ(gdi.LiveHandleCount(), 2u);
  EXPECT_EQ(gdi.FontDescriptionOf(font)->lfHeight, 32);
  EXPECT_EQ(gdi.PenDescriptionOf(pen)->Width, 3);
  EXPECT_EQ(gdi.FontDescriptionOf(pen), nullptr);
  EXPECT_TRUE(gdi.DeleteObject(font));
  EXPECT_FALSE(gdi.DeleteObject(font));
  const HGDIOBJ reused = gdi.CreatePen(PS_SOLID, 1, 0);  // may take the freed slot, not the handle
  EXPECT_NE(reused, font);
  EXPECT_EQ(gdi.PenDescriptionOf(font), nullptr);
  EXPECT_TRUE(gdi.DeleteObject(reused) && gdi.DeleteObject(pen));
  EXPECT_EQ(gdi.LiveHandleCount(), 0u);
  EXPECT_EQ(gdi.CreatedHandleCount(), 3u);
  EXPECT_FALSE(gdi.DeleteObject(0x12345678u));
  // Another application's services know none of these handles.
  GraphicsServices other;
  const HGDIOBJ mine = gdi.CreatePen(PS_SOLID, 1, 0);
  EXPECT_EQ(other.PenDescriptionOf(mine), nullptr);
  EXPECT_FALSE(other.DeleteObject(mine));
}

TEST(HandleTable, SelectionReturnsThePreviousObjectOfTheSameKind) {
  GraphicsServices gdi;
  DeviceContext dc{gdi};
  const HGDIOBJ font = gdi.CreateFontIndirectA(LOGFONTA{});
  const HGDIOBJ pen = gdi.CreatePen(PS_SOLID, 2, 0);
  EXPECT_EQ(SelectObject(dc, font), kStockFont);
  EXPECT_EQ(SelectObject(dc, pen), kStockPen);
  EXPECT_EQ(SelectObject(dc, 0xDEADBEEFu), 0u);  // a bad handle changes nothing
  EXPECT_EQ(SelectObject(dc, kStockFont), font);
  EXPECT_EQ(SelectObject(dc, kStockPen), pen);
  EXPECT_TRUE(gdi.DeleteObject(font) && gdi.DeleteObject(pen));
  EXPECT_TRUE(gdi.DeleteObject(kStockPen));  // stock objects survive deletion
  EXPECT_NE(gdi.PenDescriptionOf(kStockPen), nullptr);
  const POINT points[4] = {};  // drawing refuses bad counts
  EXPECT_TRUE(Polyline(dc, points, 2) && PolyBezier(dc, points, 4));
  EXPECT_FALSE(Polyline(dc, points, 1) || Polyline(dc, nullptr, 2) || PolyBezier(dc, points, 3));
}

}  // namespace
}  // namespace moji
