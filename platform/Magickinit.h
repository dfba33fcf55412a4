#pragma once
// ImageMagick start-up. Debian's system policy caps ImageMagick's pixel cache at
// 256 MiB and 16000 pixels a side, which an A0 design at 160 dpi already exceeds,
// and ResourceLimits cannot raise a policy limit. So before ImageMagick starts we
// hand it a policy file of our own, which it reads ahead of the system one.

// Starts ImageMagick once per process with raised resource limits (memory 8 GiB,
// map 16 GiB, disk 16 GiB, area 4 Gpx, sides up to kMaxBitmapSide) and its large
// blocks on huge pages. Safe to call repeatedly and from several threads; every
// ImageMagick user calls it first, since a policy is read only at start-up.
void InitImaging();
