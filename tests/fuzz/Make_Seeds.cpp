// Writes one data file of each version, built field by field from the format, as the
// fuzzer's first corpus. Usage: pimloft_fuzz_seeds DIRECTORY
#include "tests/storage/Byte_Image.h"

#include <cstdio>

int main(int Argc, char** Argv) {
    if (Argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", Argv[0]);
        return 2;
    }
    const char* Names[] = {"v1_00_50.ini", "v1_00_40.ini", "v1_00_10.ini", "v1_00_00.ini"};
    const auto Files = Version_Files();
    for (size_t K = 0; K < Files.size(); ++K) {
        std::FILE* Out = std::fopen((std::string(Argv[1]) + "/" + Names[K]).c_str(), "wb");
        if (!Out) return 1;
        const bool Ok = std::fwrite(Files[K].data(), 1, Files[K].size(), Out) == Files[K].size();
        if (std::fclose(Out) != 0 || !Ok) return 1;
    }
    return 0;
}
