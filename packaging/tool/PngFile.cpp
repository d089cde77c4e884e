#include "packaging/tool/PngFile.h"

#include <png.h>

namespace ship_mesh {

bool WritePng(const std::string& file, const Image& image, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    if (image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3 ||
        png_image_write_to_file(&png, file.c_str(), 0, image.rgb.data(), 0, nullptr) == 0) {
        error = png.warning_or_error != 0 ? png.message : "the picture has no pixels";
        png_image_free(&png);
        return false;
    }
    return true;
}

}  // namespace ship_mesh
