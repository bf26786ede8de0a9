#pragma once
// The program's pictures, drawn in code: the channel state icons and the
// device toolbar's button images.
#include <string>

class TBitmap;
class TImageList;

class TAppImages {
public:
    // The 16 x 16 state icon of that name ("imgStartTriggerActive", ...),
    // or null for an unknown name. The bitmap lives as long as the program.
    static TBitmap* ChannelStateBitmap(const std::string& Name);

    // Device toolbar image indexes, in button order.
    enum TDeviceImage {
        diShowMeter,
        diShowCurve,
        diZoom,
        diCursor,
        diPause,
        diResume,
        diEnlarge,
        diShrink,
        diZero,
        DeviceImageCount
    };
    // Fills Images (16 x 16) with the device toolbar images.
    static void LoadDeviceImages(TImageList* Images);
};
