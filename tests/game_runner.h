// Runs of the real game binary for the process-level tests, each in a working
// directory of its own under the display the suite runs on, and the PNG
// pictures those runs leave behind.
#pragma once

#include <gtest/gtest.h>
#include <png.h>  // Required for: reading and writing the pictures

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tests/test_files.h"

struct GameRun {
    int status = -1;     // exit status, or -1 when killed or timed out
    std::string errors;  // what it wrote to stderr
};

// A working directory holding the build's data: Library, image and sound
// linked in, the model files linked one by one except those in `leaveOut`,
// and `ownCopy` (a folder name) copied so a test may damage it. There is no
// save file until Save writes one.
class GameDir {
public:
    explicit GameDir(const std::set<std::string>& leaveOut = {}, const std::string& ownCopy = "")
    {
        namespace fs = std::filesystem;
        const fs::path bin = KESTRUNE_BIN_DIR;
        for (const char* folder : {"Library", "image", "sound"}) {
            if (folder == ownCopy) {
                fs::copy(bin / folder, File(folder), fs::copy_options::recursive);
            } else {
                fs::create_directory_symlink(bin / folder, File(folder));
            }
        }
        fs::create_directory(File("model"));
        for (const fs::directory_entry& entry : fs::directory_iterator(bin / "model")) {
            const std::string name = entry.path().filename().string();
            if (leaveOut.count(name) != 0) {
                continue;
            }
            if (ownCopy == "model") {
                fs::copy_file(entry.path(), File("model/" + name));
            } else {
                fs::create_symlink(entry.path(), File("model/" + name));
            }
        }
    }

    const std::string& Path() const { return dir_.Path(); }
    std::string File(const std::string& name) const { return dir_.File(name); }
    void Save(const std::vector<uint8_t>& bytes) const { WriteBytes(File("Kestrune.savedata"), bytes); }

    // Runs the game here with the silent audio back end and the arguments as
    // written (shell words); a non-empty `script` becomes its --script file.
    GameRun Run(const std::string& arguments, const std::string& script = "", int timeoutSeconds = 300) const
    {
        std::string all = arguments;
        if (!script.empty()) {
            WriteBytes(File("keys.txt"), std::vector<uint8_t>(script.begin(), script.end()));
            all += " --script '" + File("keys.txt") + "'";
        }
        const std::string errorsPath = File("stderr.txt");
        const std::string command = "cd '" + dir_.Path() + "' && timeout " + std::to_string(timeoutSeconds) +
                                    " '" KESTRUNE_BIN_DIR "/kestrune' --silent " + all + " 2>'" + errorsPath +
                                    "' >'" + File("stdout.txt") + "'";
        const int raw = std::system(command.c_str());
        GameRun run;
        const std::vector<uint8_t> errors = ReadBytes(errorsPath);
        run.errors.assign(errors.begin(), errors.end());
        if (raw != -1 && WIFEXITED(raw)) {
            const int code = WEXITSTATUS(raw);
            run.status = code == 124 ? -1 : code;
        }
        return run;
    }

private:
    TempDir dir_;
};

// RGB pixels, top row first; empty when a file could not be read.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

inline Picture ReadPicture(const std::string& path)
{
    Picture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return picture;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return picture;
    }
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb = std::move(pixels);
    return picture;
}

inline bool WritePicture(const std::string& path, const Picture& picture)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, picture.rgb.data(), 0, nullptr) != 0;
}
