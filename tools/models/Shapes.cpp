#include "Shapes.h"

#include <cmath>

Frame Frame::moved(Vec3 local) const {
    Frame f = *this;
    f.origin = point(local);
    return f;
}

Frame Frame::onSide() const {
    Frame f = *this;
    f.up = right;
    f.right = up * -1.0;
    return f;
}

Frame Frame::facing(Vec3 origin, Vec3 direction) {
    Frame f;
    f.origin = origin;
    f.forward = normalized(direction);
    const Vec3 reference = std::abs(f.forward.y) < 0.95 ? Vec3{0, 1, 0} : Vec3{0, 0, -1};
    f.up = normalized(reference - f.forward * dot(reference, f.forward));
    f.right = cross(f.up, f.forward);
    return f;
}

Frame Frame::along(Vec3 from, Vec3 to) {
    Frame f;
    f.origin = from;
    f.up = normalized(to - from);
    const Vec3 reference = std::abs(f.up.y) < 0.95 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    f.right = normalized(cross(reference, f.up));
    f.forward = cross(f.right, f.up);
    return f;
}

UvMap swatch(Vec2 uv) {
    return [uv](Vec3, Vec3) { return uv; };
}

UvMap topProjection(double halfX, double halfZ, Vec2 uv0, Vec2 uv1) {
    return [=](Vec3 p, Vec3) {
        const double s = (p.x + halfX) / (2.0 * halfX);
        const double t = (halfZ - p.z) / (2.0 * halfZ);
        return Vec2{uv0.u + s * (uv1.u - uv0.u), uv0.v + t * (uv1.v - uv0.v)};
    };
}

namespace {

Vertex place(const Frame& frame, Vec3 local, Vec3 normal, const UvMap& uv) {
    return {frame.point(local), normalized(frame.direction(normal)), uv(local, normal)};
}

}  // namespace

void box(MeshBuilder& model, int material, const Frame& frame, Vec3 c, Vec3 h, const UvMap& uv) {
    // Each face: its normal and two in-plane axes.
    const Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int axis = 0; axis < 3; ++axis)
        for (double sign : {-1.0, 1.0}) {
            const Vec3 n = axes[axis] * sign;
            const Vec3 s = axes[(axis + 1) % 3];
            const Vec3 t = axes[(axis + 2) % 3];
            const double hn = axis == 0 ? h.x : axis == 1 ? h.y : h.z;
            const double hs = axis == 0 ? h.y : axis == 1 ? h.z : h.x;
            const double ht = axis == 0 ? h.z : axis == 1 ? h.x : h.y;
            const Vec3 centre = c + n * hn;
            auto corner = [&](double a, double b) {
                return place(frame, centre + s * (a * hs) + t * (b * ht), n, uv);
            };
            model.quad(material, corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1));
        }
}

void lathe(MeshBuilder& model, int material, const Frame& frame,
           const std::vector<ProfilePoint>& profile, int segments, const UvMap& uv,
           double startDegrees, double sweepDegrees) {
    const std::size_t bands = profile.size() - 1;
    std::vector<Vec2> bandNormals;  // (radial, up) of each band
    for (std::size_t i = 0; i < bands; ++i) {
        const double dr = profile[i + 1].radius - profile[i].radius;
        const double dh = profile[i + 1].height - profile[i].height;
        const double l = std::sqrt(dr * dr + dh * dh);
        bandNormals.push_back(l > 0.0 ? Vec2{dh / l, -dr / l} : Vec2{0.0, 0.0});
    }
    // A smooth profile point shares the average normal of its two bands.
    auto pointNormal = [&](std::size_t point, std::size_t band) {
        const bool atStart = point == band;
        const bool hasNeighbour = atStart ? band > 0 : band + 1 < bands;
        if (profile[point].sharp || !hasNeighbour) return bandNormals[band];
        const Vec2 a = bandNormals[band];
        const Vec2 b = bandNormals[atStart ? band - 1 : band + 1];
        const double l = std::hypot(a.u + b.u, a.v + b.v);
        return l > 0.0 ? Vec2{(a.u + b.u) / l, (a.v + b.v) / l} : a;
    };
    const double start = startDegrees * PI / 180.0;
    const double sweep = sweepDegrees * PI / 180.0;
    for (std::size_t band = 0; band < bands; ++band) {
        const Vec2 n0 = pointNormal(band, band);
        const Vec2 n1 = pointNormal(band + 1, band);
        auto at = [&](std::size_t point, Vec2 n, int step) {
            const double a = start + sweep * step / segments;
            const double c = std::cos(a), s = std::sin(a);
            const ProfilePoint& p = profile[point];
            const Vec3 local{p.radius * s, p.height, p.radius * c};
            const Vec3 normal{n.u * s, n.v, n.u * c};
            return place(frame, local, normal, uv);
        };
        for (int step = 0; step < segments; ++step)
            model.quad(material, at(band, n0, step), at(band + 1, n1, step),
                       at(band + 1, n1, step + 1), at(band, n0, step + 1));
    }
}

void prism(MeshBuilder& model, int material, const Frame& frame, const std::vector<Vec2>& outline,
           double y0, double y1, const UvMap& sides, const UvMap& caps) {
    Vec3 centre;
    for (const Vec2& p : outline) centre = centre + Vec3{p.u, 0.0, p.v};
    centre = centre * (1.0 / static_cast<double>(outline.size()));
    const std::size_t n = outline.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vec2 a = outline[i], b = outline[(i + 1) % n];
        Vec3 normal = normalized(Vec3{b.v - a.v, 0.0, -(b.u - a.u)});
        const Vec3 mid{(a.u + b.u) / 2.0, 0.0, (a.v + b.v) / 2.0};
        if (dot(normal, mid - centre) < 0.0) normal = normal * -1.0;
        model.quad(material, place(frame, {a.u, y0, a.v}, normal, sides),
                   place(frame, {b.u, y0, b.v}, normal, sides),
                   place(frame, {b.u, y1, b.v}, normal, sides),
                   place(frame, {a.u, y1, a.v}, normal, sides));
        for (double y : {y0, y1}) {
            const Vec3 up{0.0, y == y1 ? 1.0 : -1.0, 0.0};
            model.triangle(material, place(frame, {centre.x, y, centre.z}, up, caps),
                           place(frame, {a.u, y, a.v}, up, caps),
                           place(frame, {b.u, y, b.v}, up, caps));
        }
    }
}

void ellipsoid(MeshBuilder& model, int material, const Frame& frame, Vec3 radii, int segments,
               int rings, const UvMap& uv) {
    // A unit sphere's profile, then every vertex stretched; normals take the
    // inverse stretch so that lighting stays right.
    MeshBuilder unit;
    const int m = unit.addMaterial({});
    std::vector<ProfilePoint> profile;
    for (int i = 0; i <= rings; ++i) {
        const double a = -PI / 2.0 + PI * i / rings;
        profile.push_back({std::cos(a), std::sin(a)});
    }
    lathe(unit, m, Frame{}, profile, segments, [](Vec3, Vec3) { return Vec2{}; });
    for (const Triangle& t : unit.triangles()[0]) {
        auto stretch = [&](const Vertex& v) {
            const Vec3 local{v.position.x * radii.x, v.position.y * radii.y,
                             v.position.z * radii.z};
            const Vec3 normal = normalized(
                Vec3{v.normal.x / radii.x, v.normal.y / radii.y, v.normal.z / radii.z});
            return place(frame, local, normal, uv);
        };
        model.triangle(material, stretch(t.a), stretch(t.b), stretch(t.c));
    }
}
