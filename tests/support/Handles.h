#pragma once
// Test helpers on raw bitmap handles.
#include "platform/Bitmaphandle.h"

#include <gtest/gtest.h>

#include <cstring>

// A separate handle with the same size, depth, pixels and palette.
inline TBitmapHandle Copy(const TBitmapHandle& h) {
    TBitmapHandle c;
    EXPECT_TRUE(CreateBitmapHandle(c, h.Width, h.Height, h.BitsPerPixel));
    std::memcpy(c.Bits, h.Bits, h.ByteSize());
    std::memcpy(c.Palette, h.Palette, sizeof h.Palette);
    return c;
}
