// The game's pictures decoded by stb_image and by libspng, from bytes
// already in memory, into fresh RGBA buffers as loading does; and loaded
// from their files by the game's own loader.
#include "platform/Image.h"

#include <benchmark/benchmark.h>
#include <spng.h>
#include <stb_image.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> picturePaths() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(KORV_GAME_DIR))
        if (entry.path().extension() == ".png") paths.push_back(entry.path().string());
    return paths;
}

const std::vector<std::string>& pictures() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> contents;
        for (const std::string& path : picturePaths()) {
            std::ifstream in(path, std::ios::binary);
            contents.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return contents;
    }();
    return files;
}

void BM_DecodeStb(benchmark::State& state) {
    for (auto _ : state)
        for (const std::string& file : pictures()) {
            int width = 0, height = 0, channels = 0;
            stbi_uc* texels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.data()),
                                                    static_cast<int>(file.size()), &width, &height, &channels, 4);
            benchmark::DoNotOptimize(texels);
            stbi_image_free(texels);
        }
}
BENCHMARK(BM_DecodeStb)->Unit(benchmark::kMillisecond);

void BM_DecodeSpng(benchmark::State& state) {
    for (auto _ : state)
        for (const std::string& file : pictures()) {
            spng_ctx* context = spng_ctx_new(0);
            spng_set_png_buffer(context, file.data(), file.size());
            std::size_t size = 0;
            spng_decoded_image_size(context, SPNG_FMT_RGBA8, &size);
            const std::unique_ptr<unsigned char[]> texels(new unsigned char[size]);
            spng_decode_image(context, texels.get(), size, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS);
            benchmark::DoNotOptimize(texels.get());
            spng_ctx_free(context);
        }
}
BENCHMARK(BM_DecodeSpng)->Unit(benchmark::kMillisecond);

void BM_LoadImage(benchmark::State& state) {
    const std::vector<std::string> paths = picturePaths();
    for (auto _ : state)
        for (const std::string& path : paths) benchmark::DoNotOptimize(loadImage(path));
}
BENCHMARK(BM_LoadImage)->Unit(benchmark::kMillisecond);

}  // namespace
