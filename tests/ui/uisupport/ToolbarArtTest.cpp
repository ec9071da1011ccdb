// The program's own toolbar images as the menus draw them disabled: embossed from their
// shape, each must stay readable and tell its command apart from the others.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPalette>
#include <array>

#include "resources/CommandIds.h"
#include "resources/Icons.h"
#include "uisupport/CoolMenuPainter.h"
#include "uisupport/ToolbarImages.h"

namespace {

const QSize kImage(16, 15);
const QColor kMenu(212, 208, 200);
const QColor kShadow(128, 128, 128);
const QColor kHighlight(255, 255, 255);

constexpr std::array<int, 7> kCommands = {
    cmd::kCodeWizard,      cmd::kLaunchExplorer, cmd::kModify,  cmd::kAddParameter,
    cmd::kDeleteParameter, cmd::kEditField,      cmd::kAppAbout};

// The classic system colours: white button highlight, grey shadow, grey face.
QPalette ClassicPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, kMenu);
    palette.setColor(QPalette::Button, QColor(192, 192, 192));
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Light, kHighlight);
    palette.setColor(QPalette::Dark, kShadow);
    return palette;
}

// The image of the command embossed as a disabled menu item, one pixel of margin beyond
// the image at the right and bottom for the highlight copy.
QImage Embossed(int nCommand) {
    const QPalette palette = ClassicPalette();
    const QImage image = LoadSysColorImage(icons::Toolbar(nCommand), kImage, palette);
    QImage out(kImage + QSize(1, 1), QImage::Format_RGB32);
    out.fill(kMenu);
    QPainter painter(&out);
    coolmenu::DrawEmbossed(painter, image, QPoint(0, 0), palette, false);
    return out;
}

struct Counts {
    int nShadow = 0;
    int nHighlight = 0;
    int nInnerHighlight = 0;  // highlight pixels inside the box that bounds the shadow
};

Counts Count(const QImage& image) {
    Counts counts;
    QRect rcShadow;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == kShadow) {
                ++counts.nShadow;
                rcShadow |= QRect(x, y, 1, 1);
            }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == kHighlight) {
                ++counts.nHighlight;
                counts.nInnerHighlight += rcShadow.contains(x, y) ? 1 : 0;
            }
    return counts;
}

int DifferentPixels(const QImage& a, const QImage& b) {
    int nDifferent = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            nDifferent += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return nDifferent;
}

}  // namespace

TEST(ToolbarArt, embossedImagesShowLightInteriorsAndDifferPairwise) {
    // A few pixels apart is a different picture to a test, not to a reader.
    constexpr int kMinDifferent = 20;
    constexpr int kMinInnerHighlight = 12;
    std::array<QImage, kCommands.size()> images;
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        images[i] = Embossed(kCommands[i]);
        const Counts counts = Count(images[i]);
        EXPECT_GT(counts.nShadow, 0) << kCommands[i];
        EXPECT_GT(counts.nHighlight, 0) << kCommands[i];
        // A filled shape embosses to a grey block with a light rim outside it; light
        // inside the shape is what keeps its drawing readable.
        EXPECT_GE(counts.nInnerHighlight, kMinInnerHighlight) << kCommands[i];
    }
    for (std::size_t i = 0; i < images.size(); ++i)
        for (std::size_t j = i + 1; j < images.size(); ++j)
            EXPECT_GE(DifferentPixels(images[i], images[j]), kMinDifferent)
                << kCommands[i] << " and " << kCommands[j];
}
