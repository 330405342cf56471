#include "platform/XFileScanner.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <string>

namespace {

constexpr std::size_t HEADER_SIZE = 16;
// The importer recurses once per nested frame; deeper nesting than any
// exporter writes only comes from a garbled file.
constexpr int MAX_FRAME_NESTING = 64;
// The importer copies a frame's name into a fixed 1024-byte string without
// checking its length, and collapses a texture name's doubled backslashes
// in time that grows with the square of its length.
constexpr std::size_t MAX_NAME_LENGTH = 1023;
// Sets of texture coordinates and of vertex colours the importer has room for.
constexpr int MAX_CHANNEL_SETS = 8;
// Digits of a fraction the importer reads; the rest are skipped.
constexpr unsigned FRACTION_DIGITS = 15;
constexpr std::uint32_t QUATERNION_SIZE = 4, VECTOR_SIZE = 3, MATRIX_SIZE = 16;
// A face has at least three corners (fewer would leave the importer
// skipping a material the material lists count on), and not so many that
// cutting it into triangles, in time growing with their square, stalls.
constexpr std::uint32_t MIN_FACE_CORNERS = 3, MAX_FACE_CORNERS = 256;

enum BinaryToken : std::uint16_t {
    TOKEN_NAME = 1,
    TOKEN_STRING = 2,
    TOKEN_INTEGER = 3,
    TOKEN_GUID = 5,
    TOKEN_INTEGER_LIST = 6,
    TOKEN_FLOAT_LIST = 7,
    TOKEN_COMMA = 0x13,
    TOKEN_SEMICOLON = 0x14,
};
constexpr std::size_t GUID_SIZE = 16;

// The importer's words for the tokens that stand alone, by binary code.
const std::map<std::uint16_t, std::string>& bareTokens() {
    static const std::map<std::uint16_t, std::string> tokens = {
        {0x0a, "{"},    {0x0b, "}"},     {0x0c, "("},      {0x0d, ")"},     {0x0e, "["},     {0x0f, "]"},
        {0x10, "<"},    {0x11, ">"},     {0x12, "."},      {0x13, ","},     {0x14, ";"},     {0x1f, "template"},
        {0x28, "WORD"}, {0x29, "DWORD"}, {0x2a, "FLOAT"},  {0x2b, "DOUBLE"}, {0x2c, "CHAR"}, {0x2d, "UCHAR"},
        {0x2e, "SWORD"}, {0x2f, "SDWORD"}, {0x30, "void"}, {0x31, "string"}, {0x32, "unicode"},
        {0x33, "cstring"}, {0x34, "array"}};
    return tokens;
}

// Thrown wherever the importer would fail, or could be made to fault.
struct Refused {};

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isDelimiter(char c) { return c == ';' || c == '}' || c == '{' || c == ','; }

// The importer reads "1,5" as the decimal 1.5, while a text .x file means two
// list elements; a blank after every comma outside strings (and after the
// header, which must stay in place) keeps them apart.
std::vector<char> separateCommas(const std::vector<char>& bytes) {
    std::vector<char> out(bytes.begin(), bytes.begin() + HEADER_SIZE);
    out.reserve(bytes.size() + bytes.size() / 8);
    bool inString = false;
    for (std::size_t i = HEADER_SIZE; i < bytes.size(); ++i) {
        const char c = bytes[i];
        out.push_back(c);
        if (c == '"') inString = !inString;
        else if (c == ',' && !inString) out.push_back(' ');
    }
    return out;
}

// Drops the two bytes at each offset (in ascending order).
std::vector<char> dropPadding(const std::vector<char>& bytes, const std::vector<std::size_t>& offsets) {
    std::vector<char> out;
    out.reserve(bytes.size());
    std::size_t from = 0;
    for (const std::size_t offset : offsets) {
        out.insert(out.end(), bytes.begin() + from, bytes.begin() + offset);
        from = offset + 2;
    }
    out.insert(out.end(), bytes.begin() + from, bytes.end());
    return out;
}

struct ParsedMaterial {
    std::string name;
    bool isReference = false;
    MeshMaterial material;
};

struct ParsedMesh {
    std::uint32_t vertices = 0;
    std::uint32_t faces = 0;
    bool hasMaterialList = false;
    std::uint32_t declaredMaterials = 0;
    std::vector<std::uint32_t> materialIndices;
    std::vector<ParsedMaterial> materials;
};

struct ParsedFrame {
    std::vector<ParsedMesh> meshes;
    std::vector<ParsedFrame> children;
};

// Follows the importer's reading of the file step by step: the same tokens,
// the same objects, the same numbers consumed in the same order.
class Reader {
public:
    Reader(const std::vector<char>& bytes, bool binary, std::size_t floatSize)
        : bytes_(bytes), end_(bytes.size()), binary_(binary), floatSize_(floatSize) {}

    void readFile() {
        // The importer skips the rest of a text file's header line.
        if (!binary_) skipLine();
        for (std::string name = token(); !name.empty(); name = token()) {
            if (name == "template") {
                readTemplate();
            } else if (name == "Frame") {
                frames_.emplace_back();
                readFrame(frames_.back(), 1);
            } else if (name == "Mesh") {
                globalMeshes_.emplace_back();
                readMesh(globalMeshes_.back());
            } else if (name == "AnimTicksPerSecond") {
                readHead();
                readInt();
                expectClosingBrace();
            } else if (name == "AnimationSet") {
                readAnimationSet();
            } else if (name == "Material") {
                ParsedMaterial material;
                readMaterial(material);
                remember(material);
            } else if (name != "}") {
                skipUnknown();
            }
        }
        // The importer hangs meshes outside any frame on the root frame in
        // place of the root's own, which are then lost; a file has one or
        // the other, and one at least.
        if (frames_.empty() == globalMeshes_.empty()) throw Refused{};
    }

    // Meshes in the order the importer turns them into meshes.
    std::vector<const ParsedMesh*> meshes() const {
        std::vector<const ParsedMesh*> out;
        for (const ParsedFrame& frame : frames_) collect(frame, out);
        for (const ParsedMesh& mesh : globalMeshes_) out.push_back(&mesh);
        return out;
    }

    const MeshMaterial* namedMaterial(const std::string& name) const {
        const auto found = named_.find(name);
        return found == named_.end() ? nullptr : &found->second;
    }

    const std::vector<std::size_t>& stringPadding() const { return stringPadding_; }

private:
    static void collect(const ParsedFrame& frame, std::vector<const ParsedMesh*>& out) {
        for (const ParsedMesh& mesh : frame.meshes) out.push_back(&mesh);
        for (const ParsedFrame& child : frame.children) collect(child, out);
    }

    std::size_t remaining() const { return end_ - pos_; }
    // Past the end the importer finds the zero it puts after the file.
    char peek(std::size_t ahead = 0) const { return ahead < remaining() ? bytes_[pos_ + ahead] : '\0'; }
    bool startsWith(const char* text) const {
        for (std::size_t i = 0; text[i] != '\0'; ++i)
            if (peek(i) != text[i]) return false;
        return true;
    }
    bool startsWithNoCase(const char* text) const {
        for (std::size_t i = 0; text[i] != '\0'; ++i)
            if (std::tolower(static_cast<unsigned char>(peek(i))) != text[i]) return false;
        return true;
    }
    void advance(std::size_t count) {
        if (count > remaining()) throw Refused{};
        pos_ += count;
    }
    template <class T>
    T binaryValue() {
        T value{};
        if (remaining() < sizeof(T)) throw Refused{};
        std::memcpy(&value, bytes_.data() + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }

    // Text: whitespace, and comments from "//" or "#" to the line's end.
    void skipBlank() {
        while (!binary_) {
            while (pos_ < end_ && isSpace(bytes_[pos_])) ++pos_;
            if (pos_ >= end_ || !((peek() == '/' && peek(1) == '/') || peek() == '#')) return;
            skipLine();
        }
    }
    void skipLine() {
        while (pos_ < end_) {
            const char c = bytes_[pos_++];
            if (c == '\n' || c == '\r') return;
        }
    }

    // The next token; empty at the end of the file, and wherever the
    // importer takes a token for the end.
    std::string token() { return binary_ ? binaryToken() : textToken(); }

    std::string textToken() {
        skipBlank();
        std::string out;
        while (pos_ < end_ && !isSpace(bytes_[pos_])) {
            if (isDelimiter(bytes_[pos_])) {
                if (out.empty()) out.push_back(bytes_[pos_++]);
                break;
            }
            out.push_back(bytes_[pos_++]);
        }
        return out;
    }

    std::string binaryToken() {
        if (remaining() < 2) return {};
        const auto tag = binaryValue<std::uint16_t>();
        switch (tag) {
            case TOKEN_NAME:
            case TOKEN_STRING: {
                if (remaining() < 4) return {};
                const auto length = binaryValue<std::uint32_t>();
                if (length <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()) &&
                    remaining() < length)
                    return {};
                std::string out(bytes_.data() + pos_, bytes_.data() + pos_ + std::min<std::size_t>(length, remaining()));
                advance(length);
                // The importer steps over the word after a string, its
                // separator; a double-word separator's high half would be
                // taken for the end of the file, so it is taken out.
                if (tag == TOKEN_STRING) {
                    const auto separator = binaryValue<std::uint16_t>();
                    if ((separator == TOKEN_COMMA || separator == TOKEN_SEMICOLON) && remaining() >= 2 &&
                        peek() == 0 && peek(1) == 0) {
                        stringPadding_.push_back(pos_);
                        pos_ += 2;
                    }
                }
                return out;
            }
            case TOKEN_INTEGER:
                advance(4);
                return "<integer>";
            case TOKEN_GUID:
                advance(GUID_SIZE);
                return "<guid>";
            case TOKEN_INTEGER_LIST:
            case TOKEN_FLOAT_LIST: {
                if (remaining() < 4) return {};
                const std::uint64_t count = binaryValue<std::uint32_t>();
                const std::uint64_t size = tag == TOKEN_INTEGER_LIST ? 4 : floatSize_;
                if (count * size > remaining()) throw Refused{};
                pos_ += count * size;
                return tag == TOKEN_INTEGER_LIST ? "<int_list>" : "<flt_list>";
            }
            default: {
                const auto found = bareTokens().find(tag);
                return found == bareTokens().end() ? std::string() : found->second;
            }
        }
    }

    // A binary number is one element of a list token, or stands alone
    // behind a word the importer does not look at.
    void startBinaryNumber(std::uint16_t listTag) {
        if (numbersLeft_ == 0 && remaining() >= 2) {
            const auto tag = binaryValue<std::uint16_t>();
            numbersLeft_ = tag == listTag && remaining() >= 4 ? binaryValue<std::uint32_t>() : 1;
        }
        --numbersLeft_;
    }

    std::uint32_t readInt() {
        if (binary_) {
            startBinaryNumber(TOKEN_INTEGER_LIST);
            return binaryValue<std::uint32_t>();
        }
        skipBlank();
        const bool negative = peek() == '-';
        if (negative) ++pos_;
        if (!isDigit(peek())) throw Refused{};
        std::uint32_t value = 0;
        while (isDigit(peek())) value = value * 10 + static_cast<std::uint32_t>(bytes_[pos_++] - '0');
        expectSeparator();
        return negative ? 0u - value : value;
    }

    float readFloat() {
        if (binary_) {
            startBinaryNumber(TOKEN_FLOAT_LIST);
            return floatSize_ == sizeof(double) ? static_cast<float>(binaryValue<double>()) : binaryValue<float>();
        }
        skipBlank();
        float value = 0.0f;
        // What some exporters write for an undefined number.
        if (startsWith("-1.#IND00") || startsWith("1.#IND00")) advance(9);
        else if (startsWith("1.#QNAN0")) advance(8);
        else value = static_cast<float>(decimal());
        expectSeparator();
        return value;
    }

    // Digits, at least one; a value too large for 64 bits leaves the
    // importer at the digits, which it then fails to take for a separator.
    std::uint64_t digits(unsigned* maxDigits = nullptr) {
        if (!isDigit(peek())) throw Refused{};
        std::uint64_t value = 0;
        unsigned count = 0;
        while (isDigit(peek())) {
            const auto digit = static_cast<std::uint64_t>(bytes_[pos_++] - '0');
            if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) throw Refused{};
            value = value * 10 + digit;
            if (maxDigits && *maxDigits == ++count) {
                while (isDigit(peek())) ++pos_;
                return value;
            }
        }
        if (maxDigits) *maxDigits = count;
        return value;
    }

    // The importer's decimal reading, where a comma may stand for the point.
    double decimal() {
        const bool negative = peek() == '-';
        if (negative || peek() == '+') ++pos_;
        if (startsWithNoCase("nan")) {
            pos_ += 3;
            return 0.0;
        }
        if (startsWithNoCase("inf")) {
            pos_ += 3;
            if (startsWithNoCase("inity")) pos_ += 5;
            return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        }
        const auto point = [this] { return (peek() == '.' || peek() == ',') && isDigit(peek(1)); };
        if (!isDigit(peek()) && !point()) throw Refused{};
        double value = 0.0;
        if (peek() != '.' && peek() != ',') value = static_cast<double>(digits());
        if (point()) {
            ++pos_;
            unsigned count = FRACTION_DIGITS;
            value += static_cast<double>(digits(&count)) * std::pow(10.0, -static_cast<double>(count));
        } else if (peek() == '.') {
            ++pos_;
        }
        if (peek() == 'e' || peek() == 'E') {
            ++pos_;
            const bool negativeExponent = peek() == '-';
            if (negativeExponent || peek() == '+') ++pos_;
            const auto exponent = static_cast<double>(digits());
            value *= std::pow(10.0, negativeExponent ? -exponent : exponent);
        }
        return negative ? -value : value;
    }

    ColorValue readColor(bool withAlpha) {
        ColorValue color{readFloat(), readFloat(), readFloat(), 1.0f};
        if (withAlpha) color.a = readFloat();
        testSeparator();
        return color;
    }
    void readVector(int size) {
        for (int i = 0; i < size; ++i) readFloat();
        testSeparator();
    }
    void readFloats(std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i) readFloat();
    }
    // A count of elements that each take at least a byte.
    std::uint32_t readCount() {
        const std::uint32_t count = readInt();
        if (count > remaining()) throw Refused{};
        return count;
    }
    std::uint32_t readIndex(std::uint32_t limit) {
        const std::uint32_t index = readInt();
        if (index >= limit) throw Refused{};
        return index;
    }

    void expectSeparator() {
        if (binary_) return;
        const std::string t = token();
        if (t != "," && t != ";") throw Refused{};
    }
    void expectSemicolon() {
        if (!binary_ && token() != ";") throw Refused{};
    }
    void expectClosingBrace() {
        if (token() != "}") throw Refused{};
    }
    void testSeparator() {
        if (binary_) return;
        skipBlank();
        if (peek() == ';' || peek() == ',') ++pos_;
    }

    // An object's optional name and its opening brace.
    std::string readHead() {
        std::string name = token();
        if (name == "{") return {};
        if (token() != "{") throw Refused{};
        return name;
    }

    std::string readString() {
        if (binary_) return token();
        skipBlank();
        if (peek() != '"') throw Refused{};
        ++pos_;
        std::string out;
        while (pos_ < end_ && bytes_[pos_] != '"') out.push_back(bytes_[pos_++]);
        if (pos_ + 1 >= end_ || peek(1) != ';') throw Refused{};
        pos_ += 2;
        return out;
    }

    void skipUnknown() {
        for (std::string t = token(); t != "{"; t = token())
            if (t.empty()) throw Refused{};
        for (int depth = 1; depth > 0;) {
            const std::string t = token();
            if (t.empty()) throw Refused{};
            if (t == "{") ++depth;
            else if (t == "}") --depth;
        }
    }

    // Reads the members of an object until its closing brace; the handler
    // takes the objects it knows and says so.
    template <class Handler>
    void readMembers(Handler handle) {
        for (std::string t = token(); t != "}"; t = token()) {
            if (t.empty()) throw Refused{};
            if (!handle(t)) skipUnknown();
        }
    }

    // A template ends at its first closing brace, nested or not.
    void readTemplate() {
        readHead();
        token();  // its GUID
        for (std::string t = token(); t != "}"; t = token())
            if (t.empty()) throw Refused{};
    }

    void readFrame(ParsedFrame& frame, int depth) {
        if (depth > MAX_FRAME_NESTING || readHead().size() > MAX_NAME_LENGTH) throw Refused{};
        readMembers([&](const std::string& t) {
            if (t == "Frame") {
                frame.children.emplace_back();
                readFrame(frame.children.back(), depth + 1);
            } else if (t == "FrameTransformMatrix") {
                readHead();
                readFloats(MATRIX_SIZE);
                expectSemicolon();
                expectClosingBrace();
            } else if (t == "Mesh") {
                frame.meshes.emplace_back();
                readMesh(frame.meshes.back());
            } else {
                return false;
            }
            return true;
        });
    }

    void readMesh(ParsedMesh& mesh) {
        readHead();
        mesh.vertices = readCount();
        for (std::uint32_t v = 0; v < mesh.vertices; ++v) readVector(3);
        mesh.faces = readCount();
        for (std::uint32_t f = 0; f < mesh.faces; ++f) {
            const std::uint32_t corners = readCount();
            if (corners < MIN_FACE_CORNERS || corners > MAX_FACE_CORNERS) throw Refused{};
            for (std::uint32_t k = 0; k < corners; ++k) readIndex(mesh.vertices);
            testSeparator();
        }
        int textureSets = 0, colorSets = 0;
        readMembers([&](const std::string& t) {
            if (t == "MeshNormals") {
                readNormals(mesh);
            } else if (t == "MeshTextureCoords") {
                readHead();
                if (++textureSets > MAX_CHANNEL_SETS || readInt() != mesh.vertices) throw Refused{};
                for (std::uint32_t v = 0; v < mesh.vertices; ++v) readVector(2);
                expectClosingBrace();
            } else if (t == "MeshVertexColors") {
                readHead();
                if (++colorSets > MAX_CHANNEL_SETS || readInt() != mesh.vertices) throw Refused{};
                for (std::uint32_t v = 0; v < mesh.vertices; ++v) {
                    readIndex(mesh.vertices);
                    readColor(true);
                    testSeparator();  // some exporters put one more separator here
                }
                expectClosingBrace();
            } else if (t == "MeshMaterialList") {
                // The importer appends a second list's face materials after
                // the first's, past the end of the faces.
                if (mesh.hasMaterialList) throw Refused{};
                readMaterialList(mesh);
            } else if (t == "XSkinMeshHeader") {
                readHead();
                for (int i = 0; i < 3; ++i) readInt();
                expectClosingBrace();
            } else if (t == "SkinWeights") {
                readSkinWeights(mesh);
            } else {
                return false;
            }
            return true;
        });
    }

    void readNormals(const ParsedMesh& mesh) {
        readHead();
        const std::uint32_t normals = readCount();
        for (std::uint32_t n = 0; n < normals; ++n) readVector(3);
        if (readInt() != mesh.faces) throw Refused{};
        for (std::uint32_t f = 0; f < mesh.faces; ++f) {
            const std::uint32_t corners = readCount();
            for (std::uint32_t k = 0; k < corners; ++k) readIndex(normals);
            testSeparator();
        }
        expectClosingBrace();
    }

    void readSkinWeights(const ParsedMesh& mesh) {
        readHead();
        readString();  // the bone's name
        const std::uint32_t weights = readCount();
        for (std::uint32_t w = 0; w < weights; ++w) readIndex(mesh.vertices);
        readFloats(weights);
        readFloats(MATRIX_SIZE);
        expectSemicolon();
        expectClosingBrace();
    }

    void readMaterialList(ParsedMesh& mesh) {
        readHead();
        mesh.hasMaterialList = true;
        mesh.declaredMaterials = readInt();
        const std::uint32_t indices = readInt();
        // One index per face, or a single index that every face shares.
        if (indices != mesh.faces && (indices != 1 || mesh.faces == 0)) throw Refused{};
        for (std::uint32_t i = 0; i < indices; ++i) mesh.materialIndices.push_back(readInt());
        if (!binary_ && peek() == ';') ++pos_;
        readMembers([&](const std::string& t) {
            if (t == "{") {
                ParsedMaterial reference;
                reference.isReference = true;
                reference.name = token();
                expectClosingBrace();
                mesh.materials.push_back(std::move(reference));
            } else if (t == "Material") {
                mesh.materials.emplace_back();
                readMaterial(mesh.materials.back());
                remember(mesh.materials.back());
            } else {
                return t == ";";
            }
            return true;
        });
    }

    void remember(const ParsedMaterial& material) {
        if (!material.name.empty()) named_.emplace(material.name, material.material);
    }

    void readMaterial(ParsedMaterial& out) {
        out.name = readHead();
        Material& m = out.material.material;
        m.diffuse = readColor(true);
        m.power = readFloat();
        m.specular = readColor(false);
        m.emissive = readColor(false);
        m.ambient = {0.0f, 0.0f, 0.0f, 1.0f};
        bool textured = false;
        readMembers([&](const std::string& t) {
            const bool texture = t == "TextureFilename" || t == "TextureFileName";
            if (!texture && t != "NormalmapFilename" && t != "NormalmapFileName") return false;
            readHead();
            const std::string name = readString();
            expectClosingBrace();
            if (name.size() > MAX_NAME_LENGTH) throw Refused{};
            if (texture && !textured) {
                // The importer makes a run of backslashes one; the game's
                // paths use forward slashes.
                bool afterBackslash = false;
                for (const char c : name) {
                    const bool backslash = c == '\\';
                    if (!(backslash && afterBackslash)) out.material.textureFilename.push_back(backslash ? '/' : c);
                    afterBackslash = backslash;
                }
                textured = true;
            }
            return true;
        });
    }

    void readAnimationSet() {
        readHead();
        readMembers([&](const std::string& t) {
            if (t != "Animation") return false;
            readHead();
            readMembers([&](const std::string& member) {
                if (member == "AnimationKey") {
                    readAnimationKey();
                } else if (member == "{") {
                    token();  // the animated frame's name
                    expectClosingBrace();
                } else {
                    return false;
                }
                return true;
            });
            return true;
        });
    }

    void readAnimationKey() {
        readHead();
        const std::uint32_t type = readInt();
        const std::uint32_t keys = readInt();
        for (std::uint32_t k = 0; k < keys; ++k) {
            readInt();  // time
            const std::uint32_t size = readInt();
            if (type == 0 && size == QUATERNION_SIZE) {
                readFloats(QUATERNION_SIZE);
                expectSemicolon();
            } else if ((type == 1 || type == 2) && size == VECTOR_SIZE) {
                readVector(VECTOR_SIZE);
            } else if ((type == 3 || type == 4) && size == MATRIX_SIZE) {
                readFloats(MATRIX_SIZE);
                expectSemicolon();
            } else {
                throw Refused{};
            }
            expectSeparator();
        }
        expectClosingBrace();
    }

    const std::vector<char>& bytes_;
    std::size_t pos_ = HEADER_SIZE;
    std::size_t end_;
    bool binary_;
    std::size_t floatSize_;
    std::uint32_t numbersLeft_ = 0;
    std::vector<ParsedFrame> frames_;
    std::vector<ParsedMesh> globalMeshes_;
    std::map<std::string, MeshMaterial> named_;
    std::vector<std::size_t> stringPadding_;
};

// The mesh's material list with references resolved, and the material of
// each face; nothing when the list disagrees with its own count or faces.
std::optional<XMeshInfo> meshInfo(const ParsedMesh& mesh, const Reader& reader) {
    XMeshInfo info;
    if (!mesh.hasMaterialList) {
        info.faceMaterials.assign(mesh.faces, 0);
        return info;
    }
    if (mesh.materials.size() != mesh.declaredMaterials) return std::nullopt;
    for (const ParsedMaterial& material : mesh.materials) {
        const MeshMaterial* source = material.isReference ? reader.namedMaterial(material.name) : &material.material;
        if (!source) return std::nullopt;
        info.materials.push_back(*source);
    }
    for (const std::uint32_t index : mesh.materialIndices)
        if (index >= mesh.declaredMaterials) return std::nullopt;
    for (std::uint32_t f = 0; f < mesh.faces; ++f)
        info.faceMaterials.push_back(mesh.materialIndices[mesh.materialIndices.size() == 1 ? 0 : f]);
    return info;
}

}  // namespace

std::optional<XFileInfo> scanXFile(const std::vector<char>& bytes) {
    if (bytes.size() < HEADER_SIZE || std::memcmp(bytes.data(), "xof ", 4) != 0) return std::nullopt;
    const std::string format(bytes.data() + 8, 4);
    const std::string floatSize(bytes.data() + 12, 4);
    if ((format != "txt " && format != "bin ") || (floatSize != "0032" && floatSize != "0064"))
        return std::nullopt;
    const bool binary = format == "bin ";

    XFileInfo info;
    if (!binary) info.importable = separateCommas(bytes);
    Reader reader(binary ? bytes : info.importable, binary, floatSize == "0064" ? sizeof(double) : sizeof(float));
    try {
        reader.readFile();
    } catch (const Refused&) {
        return std::nullopt;
    }
    for (const ParsedMesh* mesh : reader.meshes()) {
        std::optional<XMeshInfo> meshInfo = ::meshInfo(*mesh, reader);
        if (!meshInfo) return std::nullopt;
        info.meshes.push_back(std::move(*meshInfo));
    }
    if (binary) info.importable = dropPadding(bytes, reader.stringPadding());
    return info;
}
