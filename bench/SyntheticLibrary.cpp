#include "bench/SyntheticLibrary.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "data/SampleLibrary.h"
#include "records/LibraryPaths.h"
#include "records/ParamTypes.h"

namespace kelvane::bench {

namespace {

const char* const kWords[] = {"영상",  "필터", "edge",   "blur",  "평균", "matrix",
                              "noise", "gain", "윤곽선", "scale", "mask", "검출"};

class Generator {
public:
    Generator(const LibraryShape& shape, GeneratedLibrary& result, bool keepFacts)
        : m_shape(shape), m_rng(shape.seed), m_result(result), m_keepFacts(keepFacts) {}

    std::string Function(const std::string& group, int index) {
        sample::SampleFunction spec;
        spec.name = "F" + std::to_string(index);
        spec.kind = static_cast<int>(m_rng() % 3);
        spec.description.clear();
        for (int w = 1 + static_cast<int>(m_rng() % 8); w > 0; --w)
            spec.description += std::string(kWords[m_rng() % std::size(kWords)]) + " ";
        const int params = m_shape.varyParameters
                               ? static_cast<int>(m_rng() % static_cast<unsigned>(
                                                                m_shape.parametersPerFunction + 1))
                               : m_shape.parametersPerFunction;
        for (int p = 0; p < params; ++p) {
            const TypeInfo& type = kParameterTypes[m_rng() % kParameterTypes.size()];
            spec.params.push_back(
                {std::string(type.name), p % 2 == 0, kWords[m_rng() % std::size(kWords)], {}, {}});
        }
        const std::string folderName = spec.name + "()";
        const std::string folder = group + "/" + folderName;
        std::filesystem::create_directories(folder);
        const std::string path = GetFunctionFilePath(folder, folderName);
        const std::string bytes = sample::MakeRecord(spec).Serialize();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("could not write " + path);
        ++m_result.functions;
        m_result.files.push_back(path);
        if (m_keepFacts) {
            GeneratedFunction facts{folder, spec.description, {}};
            for (const sample::SampleParameter& param : spec.params)
                facts.params.push_back({param.type, param.input, param.description});
            m_result.facts.push_back(std::move(facts));
        }
        return path;
    }

    void Group(const std::string& dir, int level) {
        std::filesystem::create_directories(dir);
        ++m_result.groups;
        if (level >= m_shape.depth) {
            for (int f = 0; f < m_shape.functionsPerGroup; ++f)
                Function(dir, f);
            return;
        }
        for (int g = 0; g < m_shape.fanout; ++g)
            Group(dir + "/G" + std::to_string(level) + "_" + std::to_string(g), level + 1);
    }

private:
    const LibraryShape& m_shape;
    std::mt19937 m_rng;
    GeneratedLibrary& m_result;
    bool m_keepFacts;
};

}  // namespace

GeneratedLibrary GenerateLibrary(const std::string& programDir, const LibraryShape& shape,
                                 bool keepFacts) {
    GeneratedLibrary result;
    Generator generator(shape, result, keepFacts);
    const std::string root = programDir + "/" + std::string(kLibraryFolderName);
    for (int t = 0; t < shape.topLevelGroups; ++t)
        generator.Group(root + "/Top" + std::to_string(t), 1);
    if (shape.wideFunctions > 0) {
        result.wideGroup = root + "/Wide/All";
        std::filesystem::create_directories(result.wideGroup);
        for (int f = 0; f < shape.wideFunctions; ++f)
            result.wideFiles.push_back(generator.Function(result.wideGroup, f));
    }
    return result;
}

}  // namespace kelvane::bench
