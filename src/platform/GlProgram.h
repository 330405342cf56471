#pragma once

#include <string>

// A linked vertex and fragment shader pair.
class GlProgram {
public:
    // Null-program (id 0) and the compiler's log in error when a shader does
    // not build.
    GlProgram(const char* vertexSource, const char* fragmentSource, std::string& error);
    ~GlProgram();
    GlProgram(const GlProgram&) = delete;
    GlProgram& operator=(const GlProgram&) = delete;

    unsigned int id() const { return id_; }
    int uniform(const char* name) const;

private:
    unsigned int id_ = 0;
};
