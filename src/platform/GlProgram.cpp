#include "platform/GlProgram.h"

#include "platform/GlHeaders.h"

#include <vector>

namespace {

GLuint compile(GLenum kind, const char* source, std::string& error) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
    error = log.data();
    glDeleteShader(shader);
    return 0;
}

}  // namespace

GlProgram::GlProgram(const char* vertexSource, const char* fragmentSource, std::string& error) {
    GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource, error);
    GLuint fragment = vertex != 0 ? compile(GL_FRAGMENT_SHADER, fragmentSource, error) : 0;
    if (fragment == 0) {
        glDeleteShader(vertex);
        return;
    }
    id_ = glCreateProgram();
    glAttachShader(id_, vertex);
    glAttachShader(id_, fragment);
    glLinkProgram(id_);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(id_, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[1024] = {};
        glGetProgramInfoLog(id_, sizeof log, nullptr, log);
        error = log;
        glDeleteProgram(id_);
        id_ = 0;
    }
}

GlProgram::~GlProgram() {
    if (id_ != 0) glDeleteProgram(id_);
}

int GlProgram::uniform(const char* name) const { return glGetUniformLocation(id_, name); }
