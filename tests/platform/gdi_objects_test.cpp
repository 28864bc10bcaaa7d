#include "platform/gdi_objects.h"

#include <gtest/gtest.h>

#include "platform/device_context.h"
#include "test_fonts.h"

namespace moji {
namespace {

TEST(HandleTable, CountsLiveHandlesAndRefusesStaleOnes) {
  const std::size_t live = LiveHandleCount();
  const HGDIOBJ font = CreateFontIndirectA(test::LogFont("", 32));
  const HGDIOBJ pen = CreatePen(PS_SOLID, 3, 0x0000FF);
  EXPECT_EQ(LiveHandleCount(), live + 2);
  EXPECT_EQ(FontDescriptionOf(font)->lfHeight, 32);
  EXPECT_EQ(PenDescriptionOf(pen)->Width, 3);
  EXPECT_EQ(FontDescriptionOf(pen), nullptr);
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_FALSE(DeleteObject(font));
  const HGDIOBJ reused = CreatePen(PS_SOLID, 1, 0);  // may take the freed slot, not the handle
  EXPECT_NE(reused, font);
  EXPECT_EQ(PenDescriptionOf(font), nullptr);
  EXPECT_TRUE(DeleteObject(reused) && DeleteObject(pen));
  EXPECT_EQ(LiveHandleCount(), live);
  EXPECT_FALSE(DeleteObject(0x12345678u));
}

TEST(HandleTable, SelectionReturnsThePreviousObjectOfTheSameKind) {
  DeviceContext dc;
  const HGDIOBJ font = CreateFontIndirectA(LOGFONTA{});
  const HGDIOBJ pen = CreatePen(PS_SOLID, 2, 0);
  EXPECT_EQ(SelectObject(dc, font), kStockFont);
  EXPECT_EQ(SelectObject(dc, pen), kStockPen);
  EXPECT_EQ(SelectObject(dc, 0xDEADBEEFu), 0u);  // a bad handle changes nothing
  EXPECT_EQ(SelectObject(dc, kStockFont), font);
  EXPECT_EQ(SelectObject(dc, kStockPen), pen);
  EXPECT_TRUE(DeleteObject(font) && DeleteObject(pen));
  EXPECT_TRUE(DeleteObject(kStockPen));  // stock objects survive deletion
  EXPECT_NE(PenDescriptionOf(kStockPen), nullptr);
  const POINT points[4] = {};  // drawing refuses bad counts
  EXPECT_TRUE(Polyline(dc, points, 2) && PolyBezier(dc, points, 4));
  EXPECT_FALSE(Polyline(dc, points, 1) || Polyline(dc, nullptr, 2) || PolyBezier(dc, points, 3));
}

}  // namespace
}  // namespace moji
