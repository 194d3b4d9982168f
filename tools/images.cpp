// Paints every picture of image_atlas_table.h and writes it as BMP or PNG.
#include "tools/bmp_writer.h"
#include "tools/content.h"
#include "tools/image_atlas_table.h"
#include "tools/image_painters.h"
#include "tools/png_writer.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>

namespace {

using Painter = std::function<void(Canvas&)>;

const std::map<std::string_view, Painter>& Painters()
{
    static const std::map<std::string_view, Painter> painters{
        {"image/Title.bmp", PaintTitleBackground},
        {"image/GameTitleUI.png", PaintTitleInterface},
        {"image/UI.png", PaintStageInterface},
        {"image/TitleMessage.png", PaintRecordPanel},
        {"image/CharaSelectUI.png", PaintCharacterSelect},
        {"image/grass1.png", [](Canvas& c) { PaintGrassTuft(c, 1); }},
        {"image/grass2.png", [](Canvas& c) { PaintGrassTuft(c, 2); }},
        {"image/grass3.png", [](Canvas& c) { PaintGrassTuft(c, 3); }},
        {"image/GameClear.bmp", PaintClearBackground},
        {"image/GameClearMessage1.png", [](Canvas& c) { PaintClearMessage(c, 1); }},
        {"image/GameClearMessage2.png", [](Canvas& c) { PaintClearMessage(c, 2); }},
        {"image/GameClearMessage3.png", [](Canvas& c) { PaintClearMessage(c, 3); }},
        {"image/GameOver.bmp", PaintGameOver},
    };
    return painters;
}

} // namespace

bool WriteImages(const std::string& outDir)
{
    const std::string folder = outDir + "/image";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "%s: %s\n", folder.c_str(), error.message().c_str());
        return false;
    }
    bool ok = true;
    for (const ImageFile& file : ImageFiles) {
        const auto painter = Painters().find(file.path);
        if (painter == Painters().end()) {
            std::fprintf(stderr, "no painter for %.*s\n", static_cast<int>(file.path.size()), file.path.data());
            ok = false;
            continue;
        }
        Canvas canvas(file.width, file.height);
        painter->second(canvas);
        const std::string path = outDir + "/" + std::string(file.path);
        if (file.format == ImageFormat::Bmp) {
            ok = WriteBmp(path, file.width, file.height, canvas.Rgb()) && ok;
        } else {
            ok = WritePng(path, file.width, file.height, canvas.Rgba()) && ok;
        }
    }
    return ok;
}
