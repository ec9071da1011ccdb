#include <filesystem>

#include "data/SampleLibrary.h"
#include "records/FileOps.h"

namespace kelvane::sample {

namespace {

SampleParameter In(std::string type, std::string description) {
    return {std::move(type), true, std::move(description), {}, {}};
}

SampleParameter Out(std::string type, std::string description) {
    return {std::move(type), false, std::move(description), {}, {}};
}

SampleParameter Value(std::string type, std::string description, std::string defaultText,
                      std::string storedText) {
    return {std::move(type), true, std::move(description), std::move(defaultText),
            std::move(storedText)};
}

struct Placed {
    const char* group;  // below the library root
    SampleFunction spec;
};

std::vector<Placed> SampleFunctions() {
    return {
        {"Basic/Filter",
         {"Blur",
          0,
          "평균 필터로 영상을 흐리게 한다. Smooths an image with a box filter.",
          {In("CImageByte*", "입력 영상"), Value("int*", "커널 크기 (홀수)", "3", "5"),
           Out("CImageByte*", "흐려진 영상")}}},
        {"Basic/Filter",
         {"Sharpen",
          0,
          "Sharpens an image by unsharp masking.",
          {In("CImageFloat*", "Input image"),
           Value("double*", "Amount of sharpening", "0.5", "1.25"),
           Out("CImageFloat*", "Sharpened image")}}},
        {"Basic/Filter",
         {"Convolve",
          0,
          "3x3 회선(convolution)을 수행한다.\r\nConvolves an image with a kernel.\r\n"
          "The kernel is given row by row.",
          {In("CImageByte*", "Input image"),
           Value("CMatrix*", "회선 커널",
                 "(3x3) 0.000000 -1.000000 0.000000 -1.000000 5.000000 -1.000000 "
                 "0.000000 -1.000000 0.000000",
                 "(1x1) 1.000000"),
           Out("CImageByte*", "Output image")}}},
        {"Basic/Arithmetic",
         {"Add",
          0,
          "두 영상을 더한다. Adds two images pixel by pixel.",
          {In("CImageByte*", "First image"), In("CImageByte*", "Second image"),
           Out("CImageByte*", "Sum, clipped to 255")}}},
        {"Basic/Arithmetic",
         {"Scale",
          0,
          "Multiplies every pixel by a factor.",
          {In("CImageFloat*", "Input image"), Value("double*", "Factor", "2.0", "2.0"),
           Out("CImageFloat*", "Scaled image")}}},
        {"Basic/Color/Convert",
         {"RgbToGray",
          0,
          "컬러 영상을 흑백 영상으로 바꾼다.",
          {In("CImageRGB*", "컬러 영상"), Out("CImageByte*", "흑백 영상")}}},
        {"Basic/Color/Convert",
         {"GrayToRgb",
          0,
          "Turns a grey image into an RGB image with equal channels.",
          {In("CImageByte*", "Grey image"), Out("CImageRGB*", "RGB image")}}},
        {"Basic/Color",
         {"Histogram",
          0,
          "밝기 히스토그램을 구한다. Counts the pixels of every grey level.",
          {In("CImageByte*", "Input image"), Out("CSequence*", "256 counts")}}},
        {"Advanced/Transform",
         {"FFT",
          0,
          "고속 푸리에 변환. Fast Fourier transform of an image.",
          {In("CImageFloat*", "Input image"), Out("CImageComplex*", "Spectrum")}}},
        {"Advanced/Transform",
         {"InverseFFT",
          0,
          "Inverse Fourier transform.",
          {In("CImageComplex*", "Spectrum"), Out("CImageFloat*", "Image")}}},
        {"Advanced/Measure",
         {"Statistics",
          0,
          "영상의 평균과 표준편차를 구한다.",
          {In("CImageByte*", "Input image"), Out("double*", "평균"), Out("double*", "표준편차")}}},
        {"Advanced/Measure",
         {"Label",
          0,
          "Labels connected regions.",
          {In("CImageByte*", "Binary image"),
           Value("char*", "Connectivity", "8-connected", "4-connected"),
           Out("CSequence*", "Region areas"), Out("int*", "Number of regions")}}},
        {"Advanced/Pipelines",
         {"EdgePipeline", 1, "Schematic: blur, then gradient, then threshold.", {}}},
        {"Advanced/Pipelines", {"BatchScript", 2, "Script run over a folder of images.", {}}},
        {"Examples",
         {"Threshold",
          0,
          "임계값으로 이진화한다. Binarises an image at a threshold.",
          {In("CImageByte*", "Input image"), Value("int*", "Threshold", "128", "100"),
           Out("CImageByte*", "Binary image")}}},
    };
}

}  // namespace

Status WriteSampleLibrary(const std::string& programDir) {
    const std::string root = programDir + "/FunctionLibrary";
    for (const Placed& placed : SampleFunctions())
        if (Status written = WriteFunction(root + "/" + placed.group, placed.spec); !written)
            return written;
    // A generated project's source folder, which the library tree never shows.
    std::error_code error;
    std::filesystem::create_directories(root + "/Basic/Filter/Blur()/_Src/res", error);
    if (error)
        return Status::Fail("Could not create the source folder: " + error.message() + ".");
    return WriteFileAtomically(root + "/Basic/Filter/Blur()/_Src/README.txt",
                               "Generated project of Blur() goes here.\r\n");
}

}  // namespace kelvane::sample
