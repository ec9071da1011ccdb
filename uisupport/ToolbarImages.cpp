#include "uisupport/ToolbarImages.h"

#include <QAction>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QToolBar>

namespace {
// Pixels below this alpha count as transparent, as an image list mask would have them.
constexpr int kOpaqueAlpha = 128;

QRgb MapSysColor(QRgb rgb, const QPalette& palette) {
    switch (rgb & RGB_MASK) {
        case 0x000000:
            return palette.color(QPalette::ButtonText).rgb();
        case 0x808080:
            return palette.color(QPalette::Dark).rgb();
        case 0xC0C0C0:
            return palette.color(QPalette::Button).rgb();
        case 0xFFFFFF:
            return palette.color(QPalette::Light).rgb();
        default:
            return rgb;
    }
}
}  // namespace

ToolbarSource ToolbarSourceOf(QToolBar* pToolBar) {
    return [toolBar = QPointer<QToolBar>(pToolBar)]() -> std::optional<CToolbarResource> {
        if (!toolBar)
            return std::nullopt;
        CToolbarResource resource;
        resource.sizeImage = toolBar->iconSize();
        for (const QAction* pAction : toolBar->actions()) {
            if (pAction->isSeparator()) {
                resource.commands.push_back(0);
                continue;
            }
            bool bOk = false;
            const int nCommand = pAction->data().toInt(&bOk);
            const bool bValid = bOk && nCommand > 0 && nCommand <= 0xFFFF;
            resource.commands.push_back(bValid ? nCommand : -1);
            resource.images.push_back(pAction->icon());
        }
        return resource;
    };
}

QImage LoadSysColorImage(const QIcon& icon, QSize size, const QPalette& palette) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        const QPixmap pixmap = icon.pixmap(size, 1.0);
        QPainter painter(&image);
        const QSize drawn = pixmap.size().boundedTo(size);
        painter.drawPixmap((size.width() - drawn.width()) / 2, (size.height() - drawn.height()) / 2,
                           pixmap);
    }
    const QRgb rgbFace = palette.color(QPalette::Button).rgb() & RGB_MASK;
    for (int y = 0; y < image.height(); ++y) {
        auto* pLine = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(pLine[x]) < kOpaqueAlpha) {
                pLine[x] = 0;
                continue;
            }
            const QRgb rgb = MapSysColor(pLine[x], palette) & RGB_MASK;
            pLine[x] = rgb == rgbFace ? 0 : (rgb | 0xFF000000u);
        }
    }
    return image;
}
