#pragma once
// The Image menu's effects on a full-colour picture. Point operations and the
// mosaic are our own; the neighbourhood filters run through ImageMagick.
#include "platform/Bitmaphandle.h"

enum TEffect : int {
    EffectIntensityDetect,
    EffectSolarize,
    EffectPosterize,
    EffectMosaic,
    EffectAverage,
    EffectMedian,
    EffectSharpen,
    EffectAddNoise,
    EffectEmboss,
    EffectGradient,
    EffectLaplacian,
    EffectSobel,
    EffectPrewitt,
    EffectShiftDifference,
    EffectLineSegment,
    EffectEdgeEnhance,
};

// Parameters, by effect:
//  IntensityDetect: Low, High (0 .. 255): pixels whose intensity lies within turn white, the rest black.
//  Solarize: Low = threshold (0 .. 255): channels above it are inverted.
//  Posterize: Low = levels per channel (2 .. 64).  Mosaic: Low = tile size (2 .. 64).
//  Average, Median: Low = neighbourhood size (3 .. 15, odd).  Sharpen: Low = strength (1 .. 100).
//  AddNoise: Low = range (1 .. 255), High = seed.  Emboss: Low = depth (1 .. 100).
//  The spatial filters and Edge Enhance take none.
struct TEffectParams {
    int Low = 0;
    int High = 0;
};

// Applies the effect to a 24-bit picture, or only to the pixels of its region
// when it has one (neighbourhood effects still read the pixels around it), as
// ImageMagick's operation of the same name does. False (picture unchanged) for
// other depths, parameters out of range or an ImageMagick failure.
bool ApplyEffect(TBitmapHandle& h, TEffect effect, const TEffectParams& params);

// Whether the effect runs through ImageMagick (the neighbourhood filters), and so
// cannot take pictures beyond its policy and cache (TooLargeForImageMagick).
bool EffectNeedsImageMagick(TEffect effect);
