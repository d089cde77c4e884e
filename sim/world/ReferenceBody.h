// The body a vessel's state is given against: its name, and its surface when the stand-in models
// one. Motion asks for the surface of every vessel in every frame, so it is looked up once, when
// the name is set.
#pragma once

#include <string>
#include <string_view>

#include "sim/world/SurfaceBodies.h"

namespace sim {

class ReferenceBody {
  public:
    explicit ReferenceBody(std::string_view name) { Set(name); }

    void Set(std::string_view name) {
        name_.assign(name);
        surface_ = FindSurfaceBody(name_);
    }
    const std::string& Name() const { return name_; }
    // Null for a body without a surface here.
    const SurfaceBody* Surface() const { return surface_; }

  private:
    std::string name_;
    const SurfaceBody* surface_ = nullptr;
};

}  // namespace sim
