// Which pictures each sample gets.
#include "assetgen/pictures.h"

#include "assetgen/palette.h"

bool WriteSamplePictures(const std::string& sample, const std::string& folder) {
    Image8 sprites(0, 0, 0);
    if (sample == "sparkbench")
        sprites = DrawSparkStrip();
    else if (sample == "aimshot")
        sprites = DrawShipSheet();
    else
        return false;
    const Palette256& palette = SamplePalette();
    return WriteBitmap8(folder + "/nae.bmp", DrawNightScene(), palette) &&
           WriteBitmap8(folder + "/spark.bmp", sprites, palette);
}
