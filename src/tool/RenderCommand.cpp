#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <iostream>
#include <memory>

#include "Commands.h"
#include "ToolArguments.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "render/BlockRenderer.h"
#include "render/Look.h"
#include "render/ModernRenderer.h"
#include "util/SafeFile.h"

namespace trundlex::tool {

namespace {

// Largest picture the command makes, in pixels per side: far beyond any screen, small enough
// that a mistyped block size cannot exhaust memory.
constexpr long long kMaxSide = 16384;
constexpr long long kMaxModernSide = 4096;

// Painting text and some image formats needs a Qt application; none needs a display.
std::unique_ptr<QGuiApplication> makeOffscreenApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return nullptr;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "trundlex-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

constexpr CommandInfo kRender = {
    "render", "render FILE.lev OUT.png [--block-size N] [--grid] [--look classic|modern]",
    "Draw a level as the game does (20 pixels a block unless given) into a PNG; needs no "
    "display."};

int render(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kRender);
    args.addArgument("FILE.lev", "The level to draw.")
        .addArgument("OUT.png", "The picture to write; an existing one is replaced.")
        .addOption("block-size", "N", "Pixels per block, from 1 to 1000 (default 20).")
        .addFlag("grid", "Draw a one-pixel black line along every block edge.")
        .addOption("look", "LOOK",
                   "classic (flat colours, the default) or modern (shaded, with the flag on the "
                   "cup).");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    int blockSize = 20;
    if (!args.readWhole("block-size", 1, 1000, blockSize)) {
        return kUsageError;
    }
    const bool grid = args.isSet("grid");
    Look look = Look::Classic;
    if (args.isSet("look")) {
        const auto named = lookFromName(args.text("look"));
        if (!named) {
            return args.refuse("--look takes classic or modern");
        }
        look = *named;
    }
    const std::vector<std::string>& files = args.positionals();
    Level level;
    if (loadLevelFile(files[0], level) != LevelLoadResult::Loaded) {
        err << files[0] << ": cannot be read as a level file\n";
        return 1;
    }
    const long long w = static_cast<long long>(level.width()) * blockSize;
    const long long h = static_cast<long long>(level.height()) * blockSize;
    // The modern look keeps several planes a pixel while it shades: a smaller limit.
    const long long maxSide = look == Look::Modern ? kMaxModernSide : kMaxSide;
    if (w > maxSide || h > maxSide) {
        err << "the picture would be " << w << " x " << h << " pixels; the limit is " << maxSide
            << " per side: choose a smaller --block-size\n";
        return 1;
    }
    const auto app = makeOffscreenApplication();
    QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    if (image.isNull()) {
        err << "not enough memory for a " << w << " x " << h << " picture\n";
        return 1;
    }
    if (look == Look::Modern) {
        ModernRenderer renderer;
        image = renderer.renderLevel(level, blockSize);
        if (image.isNull()) {
            err << "not enough memory for a " << w << " x " << h << " picture\n";
            return 1;
        }
    }
    {
        QPainter painter(&image);
        if (look == Look::Modern) {
            ModernRenderer::drawFlags(painter, level, 0, 0, blockSize);
            for (int i = 0; grid && i <= level.width(); ++i) {
                painter.fillRect(QRect(i * blockSize, 0, 1, image.height()), Qt::black);
            }
            for (int j = 0; grid && j <= level.height(); ++j) {
                painter.fillRect(QRect(0, j * blockSize, image.width(), 1), Qt::black);
            }
        } else {
            BlockRenderer renderer;
            renderer.drawLevel(painter, level, 0, 0, blockSize, grid);
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        err << "cannot encode the picture as PNG\n";
        return 1;
    }
    std::string error;
    if (!writeFileSafely(files[1],
                         std::string_view(png.constData(), static_cast<std::size_t>(png.size())),
                         &error)) {
        err << error << "\n";
        return 1;
    }
    out << "wrote " << files[1] << " (" << w << " x " << h << ")\n";
    return 0;
}

}  // namespace

std::vector<Command> renderCommands() {
    return {{kRender, render}};
}

}  // namespace trundlex::tool
