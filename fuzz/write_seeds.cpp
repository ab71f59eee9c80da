// Writes the fuzz target's seeds (fuzz/seeds.h) into the folder given, one
// file each; fuzz/write_seeds.sh runs it on fuzz/corpus/.
#include "fuzz/seeds.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    for (const FuzzSeed& seed : kFuzzSeeds) {
        const auto path = std::filesystem::path(argv[1]) / seed.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(seed.stream.data()), std::streamsize(seed.stream.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
