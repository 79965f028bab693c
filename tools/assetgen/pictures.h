// The samples' pictures, drawn from code so that the build makes them.
#pragma once

#include <string>

#include "assetgen/image8.h"

// "nae.bmp" of both samples: a night landscape, 640x480.
Image8 DrawNightScene();
// "spark.bmp" of the spark benchmark: sixteen 8x8 spark cells side by side, cell i for
// a spark of age i: white-hot when young, then yellow, red and fading to dark.
Image8 DrawSparkStrip();
// "spark.bmp" of the aimed-shot sample, 80x16: the shot at (0, 0), the ship leaning
// left at (32, 0), level at (48, 0) and leaning right at (64, 0), 16x16 each.
Image8 DrawShipSheet();

// Writes nae.bmp and spark.bmp for a sample ("sparkbench" or "aimshot") into a folder.
// Returns false for an unknown sample or a file that cannot be written.
bool WriteSamplePictures(const std::string& sample, const std::string& folder);
