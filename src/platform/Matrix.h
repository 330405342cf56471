#pragma once

// Left-handed, row-vector matrices in the D3DX style: a point is a row
// vector transformed as p' = p · M, the translation sits in the last row, and
// a product A · B applies A first.

struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;
};

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Matrix {
    float m[4][4] = {};

    static Matrix identity();
};

Matrix matrixTranslation(float x, float y, float z);
Matrix matrixScaling(float sx, float sy, float sz);
Matrix matrixRotationX(float radians);
Matrix matrixRotationY(float radians);
Matrix matrixRotationZ(float radians);
// a · b: a applied first, then b.
Matrix matrixMultiply(const Matrix& a, const Matrix& b);
// Null pointers stand for "no centre", "no scaling" and "no translation".
Matrix matrixTransformation2D(const Vector2* scalingCentre, float scalingRotation,
                              const Vector2* scaling, const Vector2* rotationCentre,
                              float rotation, const Vector2* translation);
Matrix matrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up);
Matrix matrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

// p · M with the homogeneous divide; for placing points in tests and tools.
Vector3 transformCoord(const Vector3& p, const Matrix& m);
