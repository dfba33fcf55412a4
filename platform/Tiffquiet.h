#pragma once
// While it lives, libtiff's messages go nowhere. ImageMagick's TIFF coder, once
// loaded, installs process-wide handlers that raise its own exceptions and abort
// when libtiff is used outside it (as the row-at-a-time TIFF reader and writer do);
// our callers look at return values instead.
#include <tiffio.h>

class TTiffQuiet {
  public:
    TTiffQuiet()
        : Error(TIFFSetErrorHandler(nullptr)), ErrorExt(TIFFSetErrorHandlerExt(nullptr)),
          Warning(TIFFSetWarningHandler(nullptr)), WarningExt(TIFFSetWarningHandlerExt(nullptr)) {}
    ~TTiffQuiet() {
        TIFFSetErrorHandler(Error);
        TIFFSetErrorHandlerExt(ErrorExt);
        TIFFSetWarningHandler(Warning);
        TIFFSetWarningHandlerExt(WarningExt);
    }
    TTiffQuiet(const TTiffQuiet&) = delete;
    TTiffQuiet& operator=(const TTiffQuiet&) = delete;

  private:
    TIFFErrorHandler Error;
    TIFFErrorHandlerExt ErrorExt;
    TIFFErrorHandler Warning;
    TIFFErrorHandlerExt WarningExt;
};
