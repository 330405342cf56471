#pragma once

#include "MeshBuilder.h"

#include <functional>
#include <vector>

// A placed, orthonormal coordinate frame: shapes are described in its local
// axes and land at origin + x·right + y·up + z·forward.
struct Frame {
    Vec3 origin;
    Vec3 right{1.0, 0.0, 0.0};
    Vec3 up{0.0, 1.0, 0.0};
    Vec3 forward{0.0, 0.0, 1.0};

    Vec3 point(Vec3 local) const { return origin + right * local.x + up * local.y + forward * local.z; }
    Vec3 direction(Vec3 local) const { return right * local.x + up * local.y + forward * local.z; }
    // The same frame moved by a local offset.
    Frame moved(Vec3 local) const;
    // Tipped so that its up axis becomes the old right axis (for axles).
    Frame onSide() const;

    // A frame at `origin` whose forward axis points along `direction`, up as
    // close to +y as it can be.
    static Frame facing(Vec3 origin, Vec3 direction);
    // A frame at `from` whose up axis points toward `to`.
    static Frame along(Vec3 from, Vec3 to);
};

// Texture coordinates of a point of a shape, from its local position and
// local normal.
using UvMap = std::function<Vec2(Vec3 local, Vec3 normal)>;

// One colour of a palette picture: every point takes the same texel.
UvMap swatch(Vec2 uv);
// Projects along the local up axis: local (x, z) in [-halfX, halfX] ×
// [-halfZ, halfZ] fill the picture rectangle uv0..uv1 (v runs with -z).
UvMap topProjection(double halfX, double halfZ, Vec2 uv0, Vec2 uv1);

// An axis-aligned box in the frame, centred at `centre` with half extents.
void box(MeshBuilder& model, int material, const Frame& frame, Vec3 centre, Vec3 half,
         const UvMap& uv);

struct ProfilePoint {
    double radius;
    double height;
    bool sharp = false;  // a crease: the two neighbouring bands keep their own normals
};

// A surface of revolution about the frame's up axis. The profile runs from
// the bottom up along the outside, so outward is to its right in (r, h).
void lathe(MeshBuilder& model, int material, const Frame& frame,
           const std::vector<ProfilePoint>& profile, int segments, const UvMap& uv,
           double startDegrees = 0.0, double sweepDegrees = 360.0);

// A prism: a convex outline (x, z) in the frame, from height y0 to y1, with
// flat sides and both caps.
void prism(MeshBuilder& model, int material, const Frame& frame,
           const std::vector<Vec2>& outline, double y0, double y1, const UvMap& sides,
           const UvMap& caps);

// An ellipsoid with semi-axes along the frame's right, up and forward axes.
void ellipsoid(MeshBuilder& model, int material, const Frame& frame, Vec3 radii, int segments,
               int rings, const UvMap& uv);
