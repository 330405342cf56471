// The files the loaders' fuzzers start from and every fault they ever found,
// each through its own loader: it loads whole or is refused, never crashes
// (the sanitizer run also checks for leaks and wild memory).
#include "audio/SoundFile.h"
#include "audio/SoundManager.h"
#include "net/NetPacket.h"
#include "platform/Image.h"
#include "platform/MeshData.h"
#include "platform/Profile.h"
#include "replay/ReplayReader.h"
#include "support/TempDirectory.h"

#include <al.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::vector<std::string> filesOf(const std::string& target) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(KORV_SOURCE_DIR "/tests/data/fuzz/" + target))
        files.push_back(entry.path().string());
    EXPECT_FALSE(files.empty()) << target;
    return files;
}

TEST(FuzzFindings, EveryFileLoadsWholeOrIsRefused) {
    for (const std::string& path : filesOf("picture")) {
        const std::optional<Image> image = loadImage(path);
        if (image) {
            EXPECT_EQ(image->rgba.size(), static_cast<std::size_t>(image->width) * image->height * 4) << path;
        }
    }
    for (const std::string& path : filesOf("xmesh")) {
        const std::optional<MeshData> mesh = loadXMesh(path);
        if (!mesh) continue;
        for (const MeshSubset& subset : mesh->subsets)
            for (const std::uint32_t index : subset.indices) ASSERT_LT(index, subset.vertices.size()) << path;
    }
    setenv("ALSOFT_DRIVERS", "null", 1);
    ASSERT_TRUE(openAudioDevice());
    for (const std::string& path : filesOf("sound")) {
        ALuint buffer = loadSoundFile(path);
        if (buffer != 0) alDeleteBuffers(1, &buffer);
    }
    closeAudioDevice();
    for (const std::string& path : filesOf("replay")) {
        std::string error;
        const std::optional<Replay> replay = ReplayReader::read(path, error);
        EXPECT_TRUE(replay ? !replay->steps.empty() : error.find('\n') == std::string::npos) << path;
    }
    for (const std::string& path : filesOf("netpacket")) {
        std::ifstream file(path, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), {});
        const auto message = NetPacket::decode(bytes.data(), bytes.size());
        if (message) {
            EXPECT_LE(message->controls.held.size(), NetPacket::MAX_STEPS_PER_PACKET) << path;
        }
    }
    TempDirectory dir;
    for (const std::string& path : filesOf("settings")) {
        const std::string copy = dir.file(std::filesystem::path(path).filename());
        std::filesystem::copy_file(path, copy);
        if (writeProfileString("Screen", "width", "1234", copy)) {
            EXPECT_EQ(getProfileString("Screen", "width", "", 16, copy), "1234") << path;
        }
    }
}

}  // namespace
