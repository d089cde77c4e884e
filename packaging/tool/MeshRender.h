// A picture of a mesh: a small software rasteriser with a depth buffer that draws every group's
// triangles in its material's colours, lit by a sun and a weak fill light with the vertex
// normals interpolated across each face, from a three-quarter view behind the mesh, above it
// and to its right (starboard), in perspective, fitted into the picture. Drawn at three times the
// size and averaged down, so that edges are smooth.
#pragma once

#include <cstdint>
#include <vector>

#include "packaging/tool/MeshFile.h"

namespace ship_mesh {

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // rows from the top, three bytes a pixel

    const std::uint8_t* Pixel(int x, int y) const { return &rgb[3 * (y * width + x)]; }
};

// The colour of every pixel the mesh does not cover.
inline constexpr std::uint8_t kBackground[3] = {14, 20, 32};

// Where the picture is seen from: the direction from the mesh's centre out to the eye, and how far
// away the eye is, in the mesh's bounding radii.
struct Viewpoint {
    VECTOR3 towardsEye{0.55, 0.42, -0.72};
    double distance = 1.8;
};

Image RenderMesh(const Mesh& mesh, int width, int height, const Viewpoint& view = {});

}  // namespace ship_mesh
