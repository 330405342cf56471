#include "platform/XFileScanner.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

namespace {

constexpr std::size_t HEADER_SIZE = 16;
// Deeper nesting than any exporter writes only comes from a garbled file;
// the limit keeps the recursive reading off the end of the stack.
constexpr int MAX_NESTING = 64;
// faceColor (4), power (1), specularColor (3), emissiveColor (3).
constexpr std::size_t MATERIAL_NUMBERS = 11;

enum class TokenKind { Name, String, Number, Open, Close };

struct Token {
    explicit Token(TokenKind k, double n = 0.0, std::string t = {}) : kind(k), number(n), text(std::move(t)) {}
    TokenKind kind;
    double number;
    std::string text;
};

bool isNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
}

bool isNumberChar(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' ||
           c == 'e' || c == 'E';
}

bool tokenizeText(const char* p, const char* end, std::vector<Token>& out) {
    while (p < end) {
        const char c = *p;
        if (c == '#' || (c == '/' && p + 1 < end && p[1] == '/')) {
            while (p < end && *p != '\n') ++p;
        } else if (c == '{') {
            out.push_back(Token{TokenKind::Open});
            ++p;
        } else if (c == '}') {
            out.push_back(Token{TokenKind::Close});
            ++p;
        } else if (c == '<') {  // a GUID: identifies templates, carries no data
            const void* close = std::memchr(p, '>', end - p);
            if (!close) return false;
            p = static_cast<const char*>(close) + 1;
        } else if (c == '"') {
            const void* close = std::memchr(p + 1, '"', end - p - 1);
            if (!close) return false;
            const char* last = static_cast<const char*>(close);
            out.push_back(Token{TokenKind::String, 0.0, std::string(p + 1, last)});
            p = last + 1;
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.') {
            const char* q = p;
            while (q < end && isNumberChar(*q)) ++q;
            const std::string digits(p, q);
            char* stop = nullptr;
            const double value = std::strtod(digits.c_str(), &stop);
            // Some exporters write "1.#IND00" and the like: the digits count,
            // the rest of the word is skipped.
            p = q;
            while (p < end && (*p == '#' || std::isalnum(static_cast<unsigned char>(*p)))) ++p;
            if (stop != digits.c_str()) out.push_back(Token{TokenKind::Number, value});
        } else if (isNameStart(c)) {
            const char* q = p + 1;
            while (q < end && isNameChar(*q)) ++q;
            out.push_back(Token{TokenKind::Name, 0.0, std::string(p, q)});
            p = q;
        } else {
            ++p;  // separators ';' ',' and template brackets carry no data
        }
    }
    return true;
}

template <class T>
bool readValue(const char*& p, const char* end, T& value) {
    if (end - p < static_cast<std::ptrdiff_t>(sizeof(T))) return false;
    std::memcpy(&value, p, sizeof(T));
    p += sizeof(T);
    return true;
}

enum BinaryToken : std::uint16_t {
    TOKEN_NAME = 1,
    TOKEN_STRING = 2,
    TOKEN_INTEGER = 3,
    TOKEN_GUID = 5,
    TOKEN_INTEGER_LIST = 6,
    TOKEN_FLOAT_LIST = 7,
    TOKEN_OBRACE = 10,
    TOKEN_CBRACE = 11,
    TOKEN_COMMA = 19,
    TOKEN_SEMICOLON = 20,
    TOKEN_TEMPLATE = 31,
};
// Punctuation (12 to 20) and the primitive type names of templates (40 to
// 53) stand alone and carry no data.
bool isBareToken(std::uint16_t tag) { return (tag >= 12 && tag <= 20) || (tag >= 40 && tag <= 53); }

constexpr std::size_t GUID_SIZE = 16;

bool tokenizeBinary(const char* file, const char* p, const char* end, bool doubles, std::vector<Token>& out,
                    std::vector<std::size_t>& stringPadding) {
    while (p < end) {
        std::uint16_t tag = 0;
        if (!readValue(p, end, tag)) return false;
        if (tag == TOKEN_NAME || tag == TOKEN_STRING) {
            std::uint32_t length = 0;
            if (!readValue(p, end, length) || length > static_cast<std::size_t>(end - p)) return false;
            out.push_back(Token{tag == TOKEN_NAME ? TokenKind::Name : TokenKind::String, 0.0,
                           std::string(p, p + length)});
            p += length;
            // A string ends with its separator token, written by some tools
            // as a word and by others as a double word.
            if (tag == TOKEN_STRING && end - p >= 2) {
                std::uint16_t next = 0;
                std::memcpy(&next, p, 2);
                if (next == TOKEN_COMMA || next == TOKEN_SEMICOLON) {
                    p += 2;
                    if (end - p >= 2 && p[0] == 0 && p[1] == 0) {
                        stringPadding.push_back(static_cast<std::size_t>(p - file));
                        p += 2;
                    }
                }
            }
        } else if (tag == TOKEN_INTEGER) {
            std::uint32_t value = 0;
            if (!readValue(p, end, value)) return false;
            out.push_back(Token{TokenKind::Number, static_cast<double>(value)});
        } else if (tag == TOKEN_GUID) {
            if (static_cast<std::size_t>(end - p) < GUID_SIZE) return false;
            p += GUID_SIZE;
        } else if (tag == TOKEN_INTEGER_LIST || tag == TOKEN_FLOAT_LIST) {
            std::uint32_t count = 0;
            if (!readValue(p, end, count)) return false;
            const std::size_t size = tag == TOKEN_INTEGER_LIST ? 4 : (doubles ? 8 : 4);
            if (count > static_cast<std::size_t>(end - p) / size) return false;
            for (std::uint32_t k = 0; k < count; ++k) {
                double value = 0.0;
                if (tag == TOKEN_INTEGER_LIST) {
                    std::uint32_t v = 0;
                    readValue(p, end, v);
                    value = v;
                } else if (doubles) {
                    readValue(p, end, value);
                } else {
                    float v = 0.0f;
                    readValue(p, end, v);
                    value = v;
                }
                out.push_back(Token{TokenKind::Number, value});
            }
        } else if (tag == TOKEN_OBRACE) {
            out.push_back(Token{TokenKind::Open});
        } else if (tag == TOKEN_CBRACE) {
            out.push_back(Token{TokenKind::Close});
        } else if (tag == TOKEN_TEMPLATE) {
            out.push_back(Token{TokenKind::Name, 0.0, "template"});
        } else if (!isBareToken(tag)) {
            return false;
        }
    }
    return true;
}

// One data object, or a reference to a named one ({ name }).
struct XObject {
    std::string type;
    std::string name;
    bool isReference = false;
    std::vector<double> numbers;
    std::vector<std::string> strings;
    std::vector<XObject> children;
};

class Parser {
public:
    explicit Parser(const std::vector<Token>& tokens) : tokens_(tokens) {}

    bool parseFile(std::vector<XObject>& objects) {
        while (pos_ < tokens_.size()) {
            if (tokens_[pos_].kind != TokenKind::Name) return false;
            if (tokens_[pos_].text == "template") {
                if (!skipTemplate()) return false;
                continue;
            }
            objects.emplace_back();
            if (!parseObject(objects.back(), 0)) return false;
        }
        return true;
    }

private:
    bool at(TokenKind kind) const { return pos_ < tokens_.size() && tokens_[pos_].kind == kind; }

    bool skipTemplate() {
        ++pos_;
        while (pos_ < tokens_.size() && tokens_[pos_].kind != TokenKind::Open) ++pos_;
        int depth = 0;
        for (; pos_ < tokens_.size(); ++pos_) {
            if (tokens_[pos_].kind == TokenKind::Open) ++depth;
            if (tokens_[pos_].kind == TokenKind::Close && --depth == 0) {
                ++pos_;
                return true;
            }
        }
        return false;
    }

    bool parseObject(XObject& object, int depth) {
        if (depth > MAX_NESTING || !at(TokenKind::Name)) return false;
        object.type = tokens_[pos_++].text;
        if (at(TokenKind::Name)) object.name = tokens_[pos_++].text;
        if (!at(TokenKind::Open)) return false;
        ++pos_;
        while (pos_ < tokens_.size()) {
            const Token& token = tokens_[pos_];
            switch (token.kind) {
                case TokenKind::Close:
                    ++pos_;
                    return true;
                case TokenKind::Number:
                    object.numbers.push_back(token.number);
                    ++pos_;
                    break;
                case TokenKind::String:
                    object.strings.push_back(token.text);
                    ++pos_;
                    break;
                case TokenKind::Name:
                    object.children.emplace_back();
                    if (!parseObject(object.children.back(), depth + 1)) return false;
                    break;
                case TokenKind::Open: {
                    ++pos_;
                    XObject reference;
                    reference.isReference = true;
                    if (at(TokenKind::Name)) reference.name = tokens_[pos_++].text;
                    if (!at(TokenKind::Close)) return false;
                    ++pos_;
                    object.children.push_back(std::move(reference));
                    break;
                }
            }
        }
        return false;
    }

    const std::vector<Token>& tokens_;
    std::size_t pos_ = 0;
};

// Reads the numbers of one object in order, refusing counts that the
// numbers left in the object cannot satisfy.
class NumberReader {
public:
    explicit NumberReader(const std::vector<double>& numbers) : numbers_(numbers) {}

    std::size_t remaining() const { return numbers_.size() - pos_; }

    bool count(std::uint32_t& out) {
        if (pos_ >= numbers_.size()) return false;
        const double value = numbers_[pos_++];
        if (!(value >= 0.0 && value <= std::numeric_limits<std::uint32_t>::max()) ||
            value != std::floor(value))
            return false;
        out = static_cast<std::uint32_t>(value);
        return true;
    }

    bool index(std::uint32_t limit, std::uint32_t& out) { return count(out) && out < limit; }

    // Skips `count` elements of `width` numbers each.
    bool skip(std::uint32_t count, std::size_t width) {
        if (count > remaining() / width) return false;
        pos_ += count * width;
        return true;
    }

private:
    const std::vector<double>& numbers_;
    std::size_t pos_ = 0;
};

// A face list: count, then per face its index count and indices below limit.
bool readFaces(NumberReader& reader, std::uint32_t limit, std::vector<std::uint32_t>& sizes) {
    std::uint32_t faces = 0;
    if (!reader.count(faces) || faces > reader.remaining()) return false;
    sizes.reserve(faces);
    for (std::uint32_t f = 0; f < faces; ++f) {
        std::uint32_t size = 0, index = 0;
        if (!reader.count(size) || size > reader.remaining()) return false;
        for (std::uint32_t k = 0; k < size; ++k)
            if (!reader.index(limit, index)) return false;
        sizes.push_back(size);
    }
    return true;
}

// Count checks of the objects other than the mesh's own lists, wherever
// they stand.
bool checkCounts(const XObject& object) {
    NumberReader reader(object.numbers);
    std::uint32_t n = 0, m = 0;
    bool ok = true;
    if (object.type == "AnimationKey") {
        std::uint32_t keyType = 0;
        ok = reader.count(keyType) && reader.count(n) && n <= reader.remaining() / 2;
        for (std::uint32_t k = 0; ok && k < n; ++k)
            ok = reader.skip(1, 1) && reader.count(m) && reader.skip(m, 1);
    } else if (object.type == "SkinWeights") {
        ok = reader.count(n) && reader.skip(n, 2);
    } else if (object.type == "DeclData") {
        ok = reader.count(n) && reader.skip(n, 4) && reader.count(m) && reader.skip(m, 1);
    } else if (object.type == "FVFData") {
        ok = reader.skip(1, 1) && reader.count(n) && reader.skip(n, 1);
    } else if (object.type == "VertexDuplicationIndices") {
        ok = reader.count(n) && reader.skip(1, 1) && reader.skip(n, 1);
    } else if (object.type == "MeshVertexColors") {
        ok = reader.count(n) && reader.skip(n, 5);
    } else if (object.type == "MeshFaceWraps") {
        ok = reader.count(n) && reader.skip(n, 2);
    }
    if (!ok) return false;
    for (const XObject& child : object.children)
        if (!checkCounts(child)) return false;
    return true;
}

ColorValue colorAt(const std::vector<double>& v, std::size_t i, bool withAlpha) {
    return {static_cast<float>(v[i]), static_cast<float>(v[i + 1]), static_cast<float>(v[i + 2]),
            withAlpha ? static_cast<float>(v[i + 3]) : 1.0f};
}

bool readMaterial(const XObject& object, MeshMaterial& out) {
    const std::vector<double>& v = object.numbers;
    if (object.type != "Material" || v.size() < MATERIAL_NUMBERS) return false;
    out.material.diffuse = colorAt(v, 0, true);
    out.material.power = static_cast<float>(v[4]);
    out.material.specular = colorAt(v, 5, false);
    out.material.emissive = colorAt(v, 8, false);
    out.material.ambient = {0.0f, 0.0f, 0.0f, 1.0f};
    for (const XObject& child : object.children) {
        if (child.type == "TextureFilename" && !child.strings.empty()) {
            out.textureFilename = child.strings.front();
            for (char& c : out.textureFilename)
                if (c == '\\') c = '/';
            break;
        }
    }
    return true;
}

using MaterialTable = std::map<std::string, const XObject*>;

void collectNamedMaterials(const XObject& object, MaterialTable& table) {
    if (object.type == "Material" && !object.name.empty()) table.emplace(object.name, &object);
    for (const XObject& child : object.children) collectNamedMaterials(child, table);
}

bool readMaterialList(const XObject& list, std::uint32_t faces, const MaterialTable& named,
                      XMeshInfo& info) {
    NumberReader reader(list.numbers);
    std::uint32_t materials = 0, indexCount = 0;
    if (!reader.count(materials) || !reader.count(indexCount) || indexCount > reader.remaining())
        return false;
    // One index per face, or a single index that every face shares.
    if (indexCount != faces && indexCount != 1) return false;
    std::vector<std::uint32_t> indices(indexCount);
    for (std::uint32_t& index : indices)
        if (!reader.index(materials, index)) return false;
    info.faceMaterials.resize(faces);
    for (std::uint32_t f = 0; f < faces; ++f) info.faceMaterials[f] = indices[indexCount == 1 ? 0 : f];

    for (const XObject& child : list.children) {
        const XObject* source = &child;
        if (child.isReference) {
            const auto found = named.find(child.name);
            if (found == named.end()) return false;
            source = found->second;
        } else if (child.type != "Material") {
            continue;
        }
        MeshMaterial material;
        if (!readMaterial(*source, material)) return false;
        info.materials.push_back(std::move(material));
    }
    return info.materials.size() == materials;
}

bool readMesh(const XObject& mesh, const MaterialTable& named, XMeshInfo& info) {
    NumberReader reader(mesh.numbers);
    std::uint32_t vertices = 0;
    std::vector<std::uint32_t> faceSizes;
    if (!reader.count(vertices) || !reader.skip(vertices, 3) || !readFaces(reader, vertices, faceSizes))
        return false;
    const auto faces = static_cast<std::uint32_t>(faceSizes.size());
    bool haveMaterials = false;
    for (const XObject& child : mesh.children) {
        NumberReader list(child.numbers);
        std::uint32_t count = 0;
        if (child.type == "MeshNormals") {
            std::vector<std::uint32_t> normalFaceSizes;
            // The normal faces are read alongside the position faces, so
            // they must match them one for one.
            if (!list.count(count) || !list.skip(count, 3) || !readFaces(list, count, normalFaceSizes) ||
                normalFaceSizes != faceSizes)
                return false;
        } else if (child.type == "MeshTextureCoords") {
            if (!list.count(count) || count != vertices || !list.skip(count, 2)) return false;
        } else if (child.type == "MeshVertexColors") {
            std::uint32_t index = 0;
            if (!list.count(count) || count > list.remaining() / 5) return false;
            for (std::uint32_t k = 0; k < count; ++k)
                if (!list.index(vertices, index) || !list.skip(4, 1)) return false;
        } else if (child.type == "MeshMaterialList" && !haveMaterials) {
            if (!readMaterialList(child, faces, named, info)) return false;
            haveMaterials = true;
        }
    }
    if (!haveMaterials) info.faceMaterials.assign(faces, 0);
    return true;
}

void collectFrameMeshes(const XObject& frame, std::vector<const XObject*>& meshes) {
    for (const XObject& child : frame.children)
        if (child.type == "Mesh" && !child.isReference) meshes.push_back(&child);
    for (const XObject& child : frame.children)
        if (child.type == "Frame") collectFrameMeshes(child, meshes);
}

}  // namespace

std::optional<XFileInfo> scanXFile(const std::vector<char>& bytes) {
    if (bytes.size() < HEADER_SIZE || std::memcmp(bytes.data(), "xof ", 4) != 0) return std::nullopt;
    const std::string format(bytes.data() + 8, 4);
    const std::string floatSize(bytes.data() + 12, 4);
    if ((format != "txt " && format != "bin ") || (floatSize != "0032" && floatSize != "0064"))
        return std::nullopt;

    XFileInfo info;
    info.text = format == "txt ";
    std::vector<Token> tokens;
    const char* begin = bytes.data() + HEADER_SIZE;
    const char* end = bytes.data() + bytes.size();
    const bool read = info.text ? tokenizeText(begin, end, tokens)
                                : tokenizeBinary(bytes.data(), begin, end, floatSize == "0064", tokens,
                                                 info.binaryStringPadding);
    std::vector<XObject> objects;
    if (!read || !Parser(tokens).parseFile(objects)) return std::nullopt;

    MaterialTable named;
    for (const XObject& object : objects) {
        if (!checkCounts(object)) return std::nullopt;
        collectNamedMaterials(object, named);
    }

    std::vector<const XObject*> meshes;
    for (const XObject& object : objects)
        if (object.type == "Frame") collectFrameMeshes(object, meshes);
    for (const XObject& object : objects)
        if (object.type == "Mesh") meshes.push_back(&object);

    for (const XObject* mesh : meshes) {
        XMeshInfo meshInfo;
        if (!readMesh(*mesh, named, meshInfo)) return std::nullopt;
        info.meshes.push_back(std::move(meshInfo));
    }
    return info;
}
