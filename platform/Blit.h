#pragma once
// Block transfers between pictures with a raster operation, converting depth
// through colours when the two differ (to 8 or 1 bits by the nearest palette entry).

#include "platform/Bitmaphandle.h"

#include <QPoint>
#include <QRect>

// Raster operation codes of the blits (the classic ternary codes).
constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t SRCPAINT = 0x00EE0086;
constexpr uint32_t SRCAND = 0x008800C6;
constexpr uint32_t SRCINVERT = 0x00660046;
constexpr uint32_t SRCERASE = 0x00440328;
constexpr uint32_t NOTSRCCOPY = 0x00330008;
constexpr uint32_t NOTSRCERASE = 0x001100A6;
constexpr uint32_t MERGEPAINT = 0x00BB0226;
constexpr uint32_t DSTINVERT = 0x00550009;
constexpr uint32_t BLACKNESS = 0x00000042;
constexpr uint32_t WHITENESS = 0x00FF0062;

// Combines src's pixels starting at srcPos into dst's rect with rop (SRCCOPY,
// SRCPAINT, SRCAND, SRCINVERT, SRCERASE, NOTSRCCOPY, NOTSRCERASE, MERGEPAINT,
// DSTINVERT, BLACKNESS, WHITENESS). Both sides are clipped to their pictures and,
// when clip is given, the destination to it. False for an unknown rop or an empty handle.
bool BlitHandle(TBitmapHandle& dst, const QRect& rect, const TBitmapHandle& src, QPoint srcPos, uint32_t rop,
                const QRegion* clip = nullptr);

// Fills rect (clipped to the picture) with a pixel value: an index for 8 bits,
// a colour value with red in the low byte for 24 bits, 0/1 for 1 bit.
void FillHandleRect(TBitmapHandle& h, const QRect& rect, uint32_t value);

// The palette index whose colour is nearest (squared RGB distance, lowest index on ties).
int NearestPaletteIndex(const TRGBQuad* palette, int count, int red, int green, int blue);
