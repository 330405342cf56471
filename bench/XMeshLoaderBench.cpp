#include "platform/MeshData.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A text .x grid of n × n quads with normals, coordinates and two
// materials, about the size of the arena model.
std::string gridModel(int n) {
    std::string x = "xof 0302txt 0032\nMesh Grid {\n";
    const int vertices = (n + 1) * (n + 1);
    x += std::to_string(vertices) + ";\n";
    for (int i = 0; i < vertices; ++i)
        x += std::to_string(i % (n + 1)) + ".0;" + std::to_string(i / (n + 1)) + ".0;0.0;" + (i + 1 < vertices ? ",\n" : ";\n");
    x += std::to_string(n * n) + ";\n";
    for (int q = 0; q < n * n; ++q) {
        const int a = q / n * (n + 1) + q % n;
        x += "4;" + std::to_string(a) + "," + std::to_string(a + n + 1) + "," + std::to_string(a + n + 2) + "," +
             std::to_string(a + 1) + (q + 1 < n * n ? ";,\n" : ";;\n");
    }
    x += "MeshNormals { 1; 0.0;0.0;-1.0;; " + std::to_string(n * n) + ";\n";
    for (int q = 0; q < n * n; ++q) x += std::string("4;0,0,0,0") + (q + 1 < n * n ? ";,\n" : ";;\n");
    x += "}\nMeshTextureCoords { " + std::to_string(vertices) + ";\n";
    for (int i = 0; i < vertices; ++i) x += std::string("0.5;0.5") + (i + 1 < vertices ? ";,\n" : ";;\n");
    x += "}\nMeshMaterialList { 2; " + std::to_string(n * n) + ";\n";
    for (int q = 0; q < n * n; ++q) x += std::to_string(q % 2) + (q + 1 < n * n ? ",\n" : ";;\n");
    x += "Material { 1.0;1.0;1.0;1.0;; 10.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; TextureFilename { \"floor.png\"; } }\n";
    x += "Material { 0.5;0.5;0.5;1.0;; 10.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\n}\n}\n";
    return x;
}

// Models are loaded at start-up and when a match is built.
void BM_LoadXMesh(benchmark::State& state) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "korv-bench-grid.x";
    std::ofstream(path) << gridModel(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(loadXMesh(path.string()));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadXMesh)->Arg(40)->Unit(benchmark::kMillisecond);

}  // namespace
