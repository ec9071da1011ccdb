// Writes the program's PNG artwork at 1x and 2x into the directory given, or the
// application icon for the desktop's icon theme.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <cstdio>

#include "resources/IconArt.h"

namespace {

bool Save(const QImage& image, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    if (image.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// One enlarged sheet of everything on white, for looking at the artwork.
QImage PreviewSheet() {
    const QImage parts[] = {art::LibraryStrip(2),        art::InfoStrip(2),    art::ToolbarStrip(2),
                            art::ApplicationIcon(48, 2), art::LibraryStrip(1), art::InfoStrip(1),
                            art::ToolbarStrip(1)};
    constexpr int kZoom = 3;
    int w = 0;
    int h = 0;
    for (const QImage& part : parts) {
        w = std::max(w, part.width() * kZoom);
        h += part.height() * kZoom + 8;
    }
    QImage sheet(w, h, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int y = 0;
    for (const QImage& part : parts) {
        p.drawImage(QRect(0, y, part.width() * kZoom, part.height() * kZoom), part);
        y += part.height() * kZoom + 8;
    }
    return sheet;
}

// The sizes the hicolor theme is given, besides the scalable one.
constexpr int kThemeSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int kGridUnits = 16;  // the artwork's grid
constexpr int kSvgSize = 256;

bool SaveSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kSvgSize, kSvgSize));
    svg.setViewBox(QRect(0, 0, kGridUnits, kGridUnits));
    svg.setTitle(QStringLiteral("Kelvane"));
    svg.setDescription(QStringLiteral("The Kelvane application icon"));
    QPainter p;
    if (!p.begin(&svg)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    p.setRenderHint(QPainter::Antialiasing);
    art::PaintApplicationIcon(p);
    return p.end();
}

// DIR/NxN/apps/NAME.png for every theme size and DIR/scalable/apps/NAME.svg.
bool WriteThemeIcons(const QString& root, const QString& name) {
    bool ok = true;
    for (int size : kThemeSizes) {
        const QDir dir(QStringLiteral("%1/%2x%2/apps").arg(root).arg(size));
        ok &= dir.mkpath(QStringLiteral(".")) &&
              Save(art::ApplicationIcon(size, 1), dir, name + QStringLiteral(".png"));
    }
    const QDir scalable(root + QStringLiteral("/scalable/apps"));
    ok &= scalable.mkpath(QStringLiteral(".")) &&
          SaveSvg(scalable.filePath(name + QStringLiteral(".svg")));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--preview")
        return PreviewSheet().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    if (argc == 4 && QByteArray(argv[1]) == "--theme")
        return WriteThemeIcons(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]))
                   ? 0
                   : 1;
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: kelvane_draw_icons OUTPUT_DIR | --preview FILE | --theme DIR NAME\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@2x");
        ok &= Save(art::LibraryStrip(scale), dir, QStringLiteral("strip131%1.png").arg(suffix));
        ok &= Save(art::InfoStrip(scale), dir, QStringLiteral("strip132%1.png").arg(suffix));
        ok &= Save(art::ToolbarStrip(scale), dir, QStringLiteral("toolbar%1.png").arg(suffix));
        for (int size : {16, 32, 48})
            ok &= Save(art::ApplicationIcon(size, scale), dir,
                       QStringLiteral("app%1%2.png").arg(size).arg(suffix));
    }
    return ok ? 0 : 1;
}
