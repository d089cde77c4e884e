// Writes a picture as a PNG file, through libpng.
#pragma once

#include <string>

#include "packaging/tool/MeshRender.h"

namespace ship_mesh {

// False when the file cannot be written (the reason on `error`).
bool WritePng(const std::string& file, const Image& image, std::string& error);

}  // namespace ship_mesh
