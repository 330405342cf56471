#include "platform/Matrix.h"

#include <cmath>

Matrix Matrix::identity() {
    Matrix r;
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
    return r;
}

Matrix matrixTranslation(float x, float y, float z) {
    Matrix r = Matrix::identity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Matrix matrixScaling(float sx, float sy, float sz) {
    Matrix r = Matrix::identity();
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    return r;
}

Matrix matrixRotationX(float a) {
    Matrix r = Matrix::identity();
    const float c = std::cos(a), s = std::sin(a);
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

Matrix matrixRotationY(float a) {
    Matrix r = Matrix::identity();
    const float c = std::cos(a), s = std::sin(a);
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

Matrix matrixRotationZ(float a) {
    Matrix r = Matrix::identity();
    const float c = std::cos(a), s = std::sin(a);
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Matrix matrixMultiply(const Matrix& a, const Matrix& b) {
    Matrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    return r;
}

Matrix matrixTransformation2D(const Vector2* scalingCentre, float scalingRotation,
                              const Vector2* scaling, const Vector2* rotationCentre,
                              float rotation, const Vector2* translation) {
    // M = Tsc⁻¹ · Rsr⁻¹ · S · Rsr · Tsc · Trc⁻¹ · R · Trc · T, all in the xy plane.
    const Vector2 sc = scalingCentre ? *scalingCentre : Vector2{};
    const Vector2 rc = rotationCentre ? *rotationCentre : Vector2{};
    const Vector2 s = scaling ? *scaling : Vector2{1.0f, 1.0f};
    const Vector2 t = translation ? *translation : Vector2{};

    Matrix m = matrixTranslation(-sc.x, -sc.y, 0.0f);
    m = matrixMultiply(m, matrixRotationZ(-scalingRotation));
    m = matrixMultiply(m, matrixScaling(s.x, s.y, 1.0f));
    m = matrixMultiply(m, matrixRotationZ(scalingRotation));
    m = matrixMultiply(m, matrixTranslation(sc.x - rc.x, sc.y - rc.y, 0.0f));
    m = matrixMultiply(m, matrixRotationZ(rotation));
    m = matrixMultiply(m, matrixTranslation(rc.x + t.x, rc.y + t.y, 0.0f));
    return m;
}

namespace {

Vector3 subtract(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector3 normalize(const Vector3& v) {
    const float length = std::sqrt(dot(v, v));
    if (length == 0.0f) return v;
    return {v.x / length, v.y / length, v.z / length};
}

}  // namespace

Matrix matrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up) {
    const Vector3 z = normalize(subtract(at, eye));
    const Vector3 x = normalize(cross(up, z));
    const Vector3 y = cross(z, x);
    Matrix r = Matrix::identity();
    r.m[0][0] = x.x; r.m[0][1] = y.x; r.m[0][2] = z.x;
    r.m[1][0] = x.y; r.m[1][1] = y.y; r.m[1][2] = z.y;
    r.m[2][0] = x.z; r.m[2][1] = y.z; r.m[2][2] = z.z;
    r.m[3][0] = -dot(x, eye);
    r.m[3][1] = -dot(y, eye);
    r.m[3][2] = -dot(z, eye);
    return r;
}

Matrix matrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    const float ys = 1.0f / std::tan(fovY / 2.0f);
    const float xs = ys / aspect;
    Matrix r;
    r.m[0][0] = xs;
    r.m[1][1] = ys;
    r.m[2][2] = zFar / (zFar - zNear);
    r.m[2][3] = 1.0f;
    r.m[3][2] = -zNear * zFar / (zFar - zNear);
    return r;
}

Vector3 transformCoord(const Vector3& p, const Matrix& m) {
    float out[4];
    for (int j = 0; j < 4; ++j)
        out[j] = p.x * m.m[0][j] + p.y * m.m[1][j] + p.z * m.m[2][j] + m.m[3][j];
    if (out[3] == 0.0f) return {out[0], out[1], out[2]};
    return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}
