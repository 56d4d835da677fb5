#pragma once
// Shared by the fuzz targets: the input as a file, and the rule that a refusal must be
// in the system's own words. A standard-library text (a failed bounds check, a
// conversion) or an unexpected exception type is a finding: the run stops.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kxfuzz {

// The input written to one file per process, ending in extension.
inline std::string WriteInput(const std::uint8_t *data, std::size_t size, const char *extension)
{
    static const std::string folder = [] {
        const auto dir = std::filesystem::temp_directory_path() / ("kx_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return dir.string();
    }();
    const std::string path = folder + "/input" + extension;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    return path;
}

[[noreturn]] inline void Finding(const char *kind, const char *text)
{
    std::fprintf(stderr, "FINDING: %s: %s\n", kind, text);
    std::abort();
}

// Checks a refusal that reached the caller.
inline void CheckRefusal(const std::exception &e)
{
    const std::string_view text = e.what();
    for (const std::string_view library :
         {"_M_range_check", "_M_", "vector::", "basic_string", "std::", "stoi", "stol", "stod", "stof", "map::at",
          "bitset", "bad_alloc", "bad_array_new_length", "length_error"}) {
        if (text.find(library) != std::string_view::npos)
            Finding("standard-library text", e.what());
    }
    if (dynamic_cast<const std::out_of_range *>(&e) != nullptr ||
        dynamic_cast<const std::length_error *>(&e) != nullptr ||
        dynamic_cast<const std::invalid_argument *>(&e) != nullptr)
        Finding("standard-library exception", e.what());
    if (dynamic_cast<const std::logic_error *>(&e) == nullptr)
        Finding("exception other than logic_error", e.what());
}

// Runs f; a thrown refusal is checked, anything else thrown is a finding.
template <typename F>
void Run(F &&f)
{
    try {
        f();
    } catch (const std::exception &e) {
        CheckRefusal(e);
    } catch (...) {
        Finding("unknown exception", "");
    }
}

} // namespace kxfuzz
