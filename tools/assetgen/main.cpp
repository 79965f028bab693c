// vorn_assetgen: draws the sample programs' pictures.
//   vorn_assetgen sparkbench|aimshot <folder>
// writes nae.bmp and that sample's spark.bmp into the folder (which it creates).
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "assetgen/pictures.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorn_assetgen sparkbench|aimshot <folder>\n");
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[2], error);
    if (!WriteSamplePictures(argv[1], argv[2])) {
        std::fprintf(stderr, "vorn_assetgen: cannot write the pictures of '%s' into %s\n", argv[1],
                     argv[2]);
        return 1;
    }
    return 0;
}
