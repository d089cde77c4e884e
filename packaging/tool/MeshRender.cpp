#include "packaging/tool/MeshRender.h"

#include <algorithm>
#include <cmath>

#include "host/VectorMath.h"
#include "packaging/tool/MeshShapes.h"

namespace ship_mesh {
namespace {

using vector_math::Add;
using vector_math::Cross;
using vector_math::Dot;
using vector_math::Scale;
using vector_math::Sub;

constexpr int kSupersample = 3;
constexpr double kMargin = 0.04;  // of the picture's size, round the mesh
// Light: the sun's direction (towards it) in the eye's frame (right, up, back towards the eye),
// so that the faces turned to the eye are lit whatever the viewpoint; a weak fill light from
// below; and the ambient share.
constexpr VECTOR3 kSunInView{-0.45, 0.65, 0.62};
constexpr VECTOR3 kFillInView{0.5, -0.6, 0.3};
constexpr double kSun = 0.95, kFill = 0.22, kAmbient = 0.2, kHighlight = 0.5;

struct Eye {
    VECTOR3 position, right, up, forward;
    // Picture plane to pixels: pixel = centre + scale * (plane - planeCentre), y down.
    double scale = 1, planeX = 0, planeY = 0, centreX = 0, centreY = 0;
};

struct Projected {
    double x, y, inverseDepth;
};

Projected Project(const Eye& eye, const VECTOR3& p) {
    const VECTOR3 d = Sub(p, eye.position);
    const double depth = Dot(d, eye.forward);
    const double x = Dot(d, eye.right) / depth, y = Dot(d, eye.up) / depth;
    return {eye.centreX + (x - eye.planeX) * eye.scale, eye.centreY - (y - eye.planeY) * eye.scale,
            1.0 / depth};
}

// Places the eye and fits the mesh into a picture of the given size.
Eye PlaceEye(const Mesh& mesh, const Viewpoint& view, int width, int height) {
    VECTOR3 low{1e300, 1e300, 1e300}, high{-1e300, -1e300, -1e300};
    for (const Group& group : mesh.groups) {
        for (const Vertex& v : group.vertices) {
            low = {std::min(low.x, v.position.x), std::min(low.y, v.position.y),
                   std::min(low.z, v.position.z)};
            high = {std::max(high.x, v.position.x), std::max(high.y, v.position.y),
                    std::max(high.z, v.position.z)};
        }
    }
    Eye eye;
    if (low.x > high.x) return eye;
    const VECTOR3 centre = Scale(Add(low, high), 0.5);
    const double radius = std::max(std::sqrt(Dot(Sub(high, centre), Sub(high, centre))), 1e-6);
    const VECTOR3 towards = Unit(view.towardsEye);
    eye.position = Add(centre, Scale(towards, radius * view.distance));
    eye.forward = Scale(towards, -1.0);
    // y is up in the mesh's frame; x x y = z by the component formula, as the frame's right, up
    // and forward are.
    eye.right = Unit(Cross({0, 1, 0}, eye.forward));
    eye.up = Cross(eye.forward, eye.right);
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (const Group& group : mesh.groups) {
        for (const Vertex& v : group.vertices) {
            const Projected p = Project(eye, v.position);
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
            minY = std::min(minY, -p.y), maxY = std::max(maxY, -p.y);
        }
    }
    const double usable = 1.0 - 2 * kMargin;
    eye.scale = std::min(usable * width / std::max(maxX - minX, 1e-9),
                         usable * height / std::max(maxY - minY, 1e-9));
    eye.planeX = (minX + maxX) / 2, eye.planeY = (minY + maxY) / 2;
    eye.centreX = width / 2.0, eye.centreY = height / 2.0;
    return eye;
}

struct Light {
    VECTOR3 sun, fill, half;  // towards the lights, and halfway between the sun and the eye
};

VECTOR3 Shade(const Material& m, const VECTOR3& normal, const Light& light) {
    const double sun = std::max(0.0, Dot(normal, light.sun)) * kSun;
    const double fill = std::max(0.0, Dot(normal, light.fill)) * kFill;
    const double shine = std::pow(std::max(0.0, Dot(normal, light.half)), std::max(m.power, 1.0)) *
                         kHighlight * (sun > 0 ? 1.0 : 0.0);
    const double lit = sun + fill;
    return {m.emissive.r + m.ambient.r * kAmbient + m.diffuse.r * lit + m.specular.r * shine,
            m.emissive.g + m.ambient.g * kAmbient + m.diffuse.g * lit + m.specular.g * shine,
            m.emissive.b + m.ambient.b * kAmbient + m.diffuse.b * lit + m.specular.b * shine};
}

}  // namespace

Image RenderMesh(const Mesh& mesh, int width, int height, const Viewpoint& view) {
    Image image;
    image.width = std::max(width, 1);
    image.height = std::max(height, 1);
    const int w = image.width * kSupersample, h = image.height * kSupersample;
    const Eye eye = PlaceEye(mesh, view, w, h);
    const auto inView = [&](const VECTOR3& v) {
        return Unit(Add(Add(Scale(eye.right, v.x), Scale(eye.up, v.y)), Scale(eye.forward, -v.z)));
    };
    Light light{inView(kSunInView), inView(kFillInView), {}};
    light.half = Unit(Sub(light.sun, eye.forward));

    std::vector<double> depth(static_cast<std::size_t>(w) * h, 0.0);  // 1/depth: 0 is empty
    std::vector<VECTOR3> colour(
        static_cast<std::size_t>(w) * h,
        {kBackground[0] / 255.0, kBackground[1] / 255.0, kBackground[2] / 255.0});
    const Material plain{"", {0.7, 0.7, 0.7, 1}, {0.7, 0.7, 0.7, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, 1};
    for (const Group& group : mesh.groups) {
        const Material& material =
            group.material > 0 && static_cast<std::size_t>(group.material) <= mesh.materials.size()
                ? mesh.materials[group.material - 1]
                : plain;
        for (const auto& triangle : group.triangles) {
            const Vertex* v[3];
            Projected p[3];
            bool behind = false;
            for (int k = 0; k < 3; ++k) {
                v[k] = &group.vertices[triangle[k]];
                p[k] = Project(eye, v[k]->position);
                behind = behind || !(p[k].inverseDepth > 0);
            }
            if (behind) continue;
            const double area =
                (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
            if (std::fabs(area) < 1e-12) continue;
            const int x0 =
                std::max(0, static_cast<int>(std::floor(std::min({p[0].x, p[1].x, p[2].x}))));
            const int x1 =
                std::min(w - 1, static_cast<int>(std::ceil(std::max({p[0].x, p[1].x, p[2].x}))));
            const int y0 =
                std::max(0, static_cast<int>(std::floor(std::min({p[0].y, p[1].y, p[2].y}))));
            const int y1 =
                std::min(h - 1, static_cast<int>(std::ceil(std::max({p[0].y, p[1].y, p[2].y}))));
            for (int y = y0; y <= y1; ++y) {
                for (int x = x0; x <= x1; ++x) {
                    const double px = x + 0.5, py = y + 0.5;
                    double b[3];
                    for (int k = 0; k < 3; ++k) {
                        const Projected& a = p[(k + 1) % 3];
                        const Projected& c = p[(k + 2) % 3];
                        b[k] = ((c.x - a.x) * (py - a.y) - (px - a.x) * (c.y - a.y)) / area;
                    }
                    if (b[0] < 0 || b[1] < 0 || b[2] < 0) continue;
                    const double inverse = b[0] * p[0].inverseDepth + b[1] * p[1].inverseDepth +
                                           b[2] * p[2].inverseDepth;
                    double& stored = depth[static_cast<std::size_t>(y) * w + x];
                    if (inverse <= stored) continue;
                    stored = inverse;
                    // The normal, interpolated for the perspective; turned to the eye when the
                    // face is seen from behind.
                    VECTOR3 normal{0, 0, 0};
                    VECTOR3 position{0, 0, 0};
                    for (int k = 0; k < 3; ++k) {
                        const double weight = b[k] * p[k].inverseDepth / inverse;
                        normal = Add(normal, Scale(v[k]->normal, weight));
                        position = Add(position, Scale(v[k]->position, weight));
                    }
                    normal = Unit(normal);
                    if (Dot(normal, Sub(position, eye.position)) > 0) normal = Scale(normal, -1.0);
                    colour[static_cast<std::size_t>(y) * w + x] = Shade(material, normal, light);
                }
            }
        }
    }
    // Each pixel is the mean of its samples.
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            VECTOR3 sum{0, 0, 0};
            for (int sy = 0; sy < kSupersample; ++sy) {
                for (int sx = 0; sx < kSupersample; ++sx) {
                    sum = Add(sum, colour[static_cast<std::size_t>(y * kSupersample + sy) * w +
                                          x * kSupersample + sx]);
                }
            }
            const double share = 1.0 / (kSupersample * kSupersample);
            std::uint8_t* out = &image.rgb[3 * (static_cast<std::size_t>(y) * image.width + x)];
            const double channels[3] = {sum.x * share, sum.y * share, sum.z * share};
            for (int c = 0; c < 3; ++c) {
                out[c] = static_cast<std::uint8_t>(
                    std::lround(std::clamp(channels[c], 0.0, 1.0) * 255.0));
            }
        }
    }
    return image;
}

}  // namespace ship_mesh
